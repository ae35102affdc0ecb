#include "shell/InformationDisplay.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QMouseEvent>
#include <QPushButton>
#include <QTextEdit>
#include <QVBoxLayout>

#include "widgets/Texts.h"

namespace tavolex::editor {

using namespace Qt::StringLiterals;

InformationDisplay::InformationDisplay(const QString& text, bool automatic, QWidget* parent)
    : QDialog(parent), automatic_(automatic) {
    setWindowTitle(T(TextId::InformationDisplayTitle));
    text_ = new QTextEdit(this);
    text_->setPlainText(text);
    text_->setReadOnly(true);
    // Shown, not edited: no selection, no caret, no focus.
    text_->setTextInteractionFlags(Qt::NoTextInteraction);
    text_->setFocusPolicy(Qt::NoFocus);
    text_->viewport()->setCursor(Qt::ArrowCursor);
    text_->setStyleSheet(u"QTextEdit { color: rgb(250, 250, 250); background: rgb(176, 0, 0); }"_s);
    text_->setMinimumSize(440, 260);
    text_->viewport()->installEventFilter(this);
    auto* close = new QPushButton(tr("Close"), this);
    close->setObjectName(u"close"_s);
    close->setDefault(true);
    auto* row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text_);
    layout->addLayout(row);
    connect(close, &QPushButton::clicked, this, &InformationDisplay::accept);
    close->setFocus();
}

bool InformationDisplay::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick) {
        if (automatic_) {
            accept();
        }
        return true; // clicks inside the text are swallowed
    }
    return QDialog::eventFilter(watched, event);
}

void InformationDisplay::mousePressEvent(QMouseEvent* event) {
    if (automatic_) {
        accept();
        return;
    }
    QDialog::mousePressEvent(event);
}

} // namespace tavolex::editor
