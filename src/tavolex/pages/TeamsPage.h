#pragma once

#include <QPushButton>
#include <QWidget>

#include <array>
#include <functional>
#include <string_view>

#include "shell/Eliding.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QSlider;

namespace tavolex::editor {

class EditorState;
class UiServices;

// The Teams tab: the current team's names, engine power, reliability, tyre
// type and both drivers, with Import/Export from the game and Load/Save of
// team data files.
class TeamsPage : public QWidget {
    Q_OBJECT

  public:
    TeamsPage(EditorState& state, UiServices& ui, QWidget* parent = nullptr);

    QSlider* slider(const QString& name) const;
    QLabel* valueLabel(const QString& name) const;
    QComboBox* driverList(int seat) const { return seats_[static_cast<std::size_t>(seat)].drivers; }
    QComboBox* numberList(int seat) const { return seats_[static_cast<std::size_t>(seat)].numbers; }
    QLineEdit* driverName(int seat) const { return seats_[static_cast<std::size_t>(seat)].name; }
    QPushButton* selectedToggle(int seat) const { return seats_[static_cast<std::size_t>(seat)].selected; }
    QLineEdit* teamName() const { return teamName_; }
    QLineEdit* engineName() const { return engineName_; }
    QPushButton* button(const QString& name) const;

  public slots:
    void reload();
    void applyExeStatus();
    void importFromGame();
    void exportToGame();
    void loadTeamData();
    void saveTeamData();

  private:
    struct Seat {
        QComboBox* drivers = nullptr;
        QComboBox* numbers = nullptr;
        QLineEdit* name = nullptr;
        QPushButton* selected = nullptr;
    };
    QWidget* makeSlider(const QString& name, const QString& label, int low, int high, int page,
                        std::function<std::int16_t&()> field, bool bhp);
    QWidget* makeTeamGroup();
    QWidget* makeCarGroup();
    QWidget* makeDriverGroup(int seat);
    void refillDriverLists();
    // Marks the car set modified; `change` names it for undo.
    void changed(std::string_view change);

    EditorState& state_;
    UiServices& ui_;
    QLineEdit* teamName_ = nullptr;
    QLineEdit* engineName_ = nullptr;
    std::array<Eliding<QPushButton>*, 2> tyres_{};
    std::array<Seat, 2> seats_{};
    std::vector<std::function<void()>> sliderReloads_;
    bool loading_ = false;
};

} // namespace tavolex::editor
