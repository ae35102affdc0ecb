#pragma once

#include <QRadioButton>
#include <QWidget>

#include <array>

#include "shell/Eliding.h"

class QLineEdit;

namespace tavolex::editor {

class EditorState;
class TyreSheetPanel;
class UiServices;

// The Wheels tab: the two tyre types with their names, the software wheel
// sheet on the left and the hardware wheel or tread sheet on the right, each
// acting on both halves or either half. Tyres are not per team and never
// generated from one another.
class WheelsPage : public QWidget {
    Q_OBJECT

  public:
    WheelsPage(EditorState& state, UiServices& ui, QWidget* parent = nullptr);

    int tyreType() const { return tyreType_; }
    QRadioButton* tyreButton(int type) const { return tyreButtons_[static_cast<std::size_t>(type)]; }
    QLineEdit* nameEdit() const { return name_; }
    TyreSheetPanel* left() const { return left_; }
    TyreSheetPanel* right() const { return right_; }

  public slots:
    void showTyreType(int type);

  private:
    void chooseTyreType();
    void relabel();
    void nameEdited(const QString& text);
    void dataChanged();
    void applyControlRules();

    EditorState& state_;
    std::array<Eliding<QRadioButton>*, 2> tyreButtons_{};
    QLineEdit* name_ = nullptr;
    TyreSheetPanel* left_ = nullptr;
    TyreSheetPanel* right_ = nullptr;
    int tyreType_ = 0;
};

} // namespace tavolex::editor
