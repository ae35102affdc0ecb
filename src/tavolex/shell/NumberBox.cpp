#include "shell/NumberBox.h"

#include <QRegularExpressionValidator>

#include "shell/Texts.h"

namespace tavolex::editor {

using namespace Qt::StringLiterals;

NumberBox::NumberBox(int digits, int maximum, QWidget* parent) : QLineEdit(parent), maximum_(maximum) {
    setMaxLength(digits);
    setValidator(new QRegularExpressionValidator(QRegularExpression(u"[0-9]*"_s), this));
    setText(u"0"_s);
    setToolTip(RangeTip(0, maximum));
    connect(this, &QLineEdit::textEdited, this, [this](const QString& text) {
        const qlonglong typed = text.toLongLong();
        value_ = static_cast<int>(std::min<qlonglong>(typed, maximum_));
        ShowLargestAtOnce(this, typed, maximum_);
        emit valueTyped(value_);
    });
}

void NumberBox::setValue(int value) {
    value_ = value; // a stored value is shown as it is, even above the largest that can be typed
    setText(QString::number(value_));
}

void NumberBox::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    emit focusEntered();
}

void NumberBox::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    setText(QString::number(value_));
}

void ShowLargestAtOnce(QLineEdit* edit, qlonglong typed, qlonglong maximum) {
    if (typed > maximum && typed > 0) {
        edit->setText(QString::number(maximum));
    }
}

} // namespace tavolex::editor
