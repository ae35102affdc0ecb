#pragma once

#include <QLabel>
#include <QWidget>

#include <array>
#include <utility>

#include "teams/PerformanceMath.h"
#include "widgets/Eliding.h"

class QButtonGroup;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace tavolex::editor {

class EditorState;
class UiServices;

// The Performance tab: one quantity for the whole field in a table, Quick
// Edit operations on all its values, and the relative lap times of all cars.
class PerformancePage : public QWidget {
    Q_OBJECT

  public:
    PerformancePage(EditorState& state, UiServices& ui, QWidget* parent = nullptr);
    ~PerformancePage() override;

    void showView(int view);
    QLineEdit* cell(int team, int column) const; // columns: 0 value, 1 second, 2 right value, 3 right second
    QLineEdit* stepBox(int column) const { return steps_[static_cast<std::size_t>(column)]; } // Quick Edit
    QPushButton* quickEditButton(int column, int direction) const; // column 0 min, 1 average, 2 max
    QPushButton* button(const QString& name) const;
    QRadioButton* viewButton(int view) const;
    QRadioButton* modeButton(int mode) const;
    int calculatorMode() const;
    QString calculatorRow(int row) const; // "position|name|time"

  public slots:
    void reload();

  private:
    QWidget* makeEditorGroup();
    QWidget* makeQuickEditGroup();
    QWidget* makeCalculatorGroup();
    void fillTable();
    void refreshQuickEdit();
    void refreshCalculator();
    void setCalculatorMode(int mode);
    void storeCell(int team, int column, const QString& text);
    int cellValue(int team, int column) const;
    void quickEdit(int column, int direction);
    // The smallest and largest number a table cell of `column` takes in the shown view.
    std::pair<int, int> cellRange(int column) const;
    void copyQuantities(bool qualifyingFromRace);
    QuickEditEntry entry() const;

    EditorState& state_;
    UiServices& ui_;
    std::array<std::array<QLineEdit*, 4>, 11> cells_{};
    std::array<std::array<Eliding<QLabel>*, 2>, 11> rowLabels_{};
    std::array<QLabel*, 4> headers_{};
    std::array<QRadioButton*, 4> views_{};
    std::array<QRadioButton*, 2> modes_{};
    std::array<QLineEdit*, 3> steps_{};
    std::array<std::array<QPushButton*, 2>, 3> quickButtons_{};
    std::array<QRadioButton*, 2> calculatorModes_{};
    std::array<std::array<QLabel*, 3>, 22> calculatorRows_{};
    std::array<Eliding<QLabel>*, 22> calculatorNames_{}; // the middle column of calculatorRows_
    bool filling_ = false;
};

} // namespace tavolex::editor
