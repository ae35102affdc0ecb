#pragma once

#include <QLineEdit>

namespace tavolex::editor {

// An edit box for an unsigned number with a largest value: digits only, at
// most `digits` of them; its tooltip gives the range. Typing stores the
// number (a larger one as the largest, shown at once; an empty box as 0) and
// says so; when the box loses the focus it shows the stored number.
class NumberBox : public QLineEdit {
    Q_OBJECT

  public:
    NumberBox(int digits, int maximum, QWidget* parent = nullptr);

    int value() const { return value_; }
    // Shows `value` (as stored, even above the largest), without the typed signal.
    void setValue(int value);

  signals:
    void valueTyped(int value);
    void focusEntered();

  protected:
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

  private:
    int maximum_;
    int value_ = 0;
};

// A typed number above `maximum` is shown as `maximum` at once, as every
// number box in the editor does; a smaller one waits for the box to be left,
// since typing passes through smaller numbers (and a negative one through larger).
void ShowLargestAtOnce(QLineEdit* edit, qlonglong typed, qlonglong maximum);

} // namespace tavolex::editor
