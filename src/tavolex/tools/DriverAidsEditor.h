#pragma once

#include <QDialog>

#include <array>

#include "gamesettings/DriverAids.h"

class QPushButton;
class QToolButton;

namespace tavolex::editor {

class EditorState;
class UiServices;

// "Driver Aids Editor": which aids the game offers at each difficulty level,
// edited straight in GP3.EXE. A cell is pushed while its aid is not offered.
class DriverAidsEditor : public QDialog {
    Q_OBJECT

  public:
    DriverAidsEditor(EditorState& state, UiServices& ui, QWidget* parent = nullptr);

    QToolButton* cell(int level, int aid) const {
        return cells_[static_cast<std::size_t>(level)][static_cast<std::size_t>(aid)];
    }
    QPushButton* button(const QString& name) const;
    // The masks the grid shows.
    DriverAidMasks masks() const;

  public slots:
    void importFromGame();
    void exportToGame();
    void loadDefaults();

  private:
    QWidget* makeGrid();
    QWidget* makeLegend();
    void showMasks(const DriverAidMasks& masks);
    void showCell(int level, int aid);

    EditorState& state_;
    UiServices& ui_;
    std::array<std::array<QToolButton*, kDriverAidCount>, kDifficultyLevels> cells_{};
};

} // namespace tavolex::editor
