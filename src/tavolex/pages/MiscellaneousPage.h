#pragma once

#include <QWidget>

#include <array>

#include "core/Error.h"
#include "document/CarSet.h"

class QComboBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace tavolex::editor {

class EditorState;
class NumberBox;
class UiServices;

// The Miscellaneous tab: the player car's power, the opposition spread and
// level names, and the championship points; each group with Import and
// Export of its own.
class MiscellaneousPage : public QWidget {
    Q_OBJECT

  public:
    MiscellaneousPage(EditorState& state, UiServices& ui, QWidget* parent = nullptr);

    QRadioButton* powerButton(bool teamDependant) const { return power_[teamDependant ? 0 : 1]; }
    QRadioButton* spreadButton(int spread) const { return spread_[static_cast<std::size_t>(spread)]; }
    QLineEdit* levelName(int language) const { return names_[static_cast<std::size_t>(language)]; }
    QComboBox* namePresets() const { return presets_; }
    NumberBox* pointsBox(int position) const { return points_[static_cast<std::size_t>(position)]; }
    // "powerImport", "powerExport", "oppositionImport", "oppositionExport",
    // "pointsImport", "pointsExport", "F1", "CART", "ALL".
    QPushButton* button(const QString& name) const;

  public slots:
    void reload();
    void applyExeStatus();

  private:
    QGroupBox* makePowerGroup();
    QGroupBox* makeOppositionGroup();
    QGroupBox* makePointsGroup();
    QWidget* makeExchangeButtons(QWidget* parent, const QString& group, void (MiscellaneousPage::*import)(),
                                 void (MiscellaneousPage::*exportSettings)());
    void importPower();
    void exportPower();
    void importOpposition();
    void exportOpposition();
    void importPoints();
    void exportPoints();
    void choosePreset(int index);
    void showPatched(Error error);
    void changed();

    EditorState& state_;
    UiServices& ui_;
    std::array<QRadioButton*, 2> power_{}; // team dependant, fixed
    std::array<QRadioButton*, 3> spread_{};
    std::array<QLineEdit*, kLanguageCount> names_{};
    QComboBox* presets_ = nullptr;
    std::array<NumberBox*, kPointsPositions> points_{};
};

} // namespace tavolex::editor
