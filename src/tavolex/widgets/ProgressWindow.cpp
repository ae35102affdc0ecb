#include "widgets/ProgressWindow.h"

#include <QApplication>
#include <QFormLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

#include "core/Texts.h"

namespace tavolex::editor {

using namespace Qt::StringLiterals;

namespace {
QString T(TextId id) { return QString::fromUtf8(Text(id).data()); }
} // namespace

ProgressWindow::ProgressWindow(QWidget* parent) : QDialog(parent) {
    setWindowTitle(T(TextId::PleaseWait));
    setWindowFlag(Qt::WindowCloseButtonHint, false);
    heading_ = new QLabel(this);
    heading_->setMinimumWidth(320);
    QFont bold = heading_->font();
    bold.setBold(true);
    heading_->setFont(bold);
    file_ = new QLabel(this);
    counter_ = new QLabel(u"000/000"_s, this);
    bar_ = new QProgressBar(this);
    bar_->setTextVisible(false);
    auto* details = new QFormLayout;
    details->addRow(T(TextId::ProgressFileLabel), file_);
    details->addRow(T(TextId::ProgressItemLabel), counter_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(heading_);
    layout->addLayout(details);
    layout->addWidget(bar_);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void ProgressWindow::begin(int itemCount) {
    bar_->setRange(0, std::max(itemCount, 1));
    bar_->setValue(0);
    counter_->setText(u"000/000"_s);
    // The caller disables the main window, which disables its child windows
    // too; this one must stay enabled so it is not drawn greyed out.
    setEnabled(true);
    // Laid out first, so the size used for centring is the real one.
    adjustSize();
    if (parentWidget() != nullptr) {
        move(parentWidget()->geometry().center() - QPoint(width() / 2, height() / 2));
    }
    show();
    refresh();
}

void ProgressWindow::setHeading(const std::string& heading) {
    heading_->setText(QString::fromStdString(heading));
    refresh();
}

void ProgressWindow::setFile(const std::string& fileName) {
    file_->setText(QString::fromStdString(fileName));
    refresh();
}

void ProgressWindow::setCounter(int current, int total) {
    counter_->setText(QString::asprintf("%.3d/%.3d", current, total));
    refresh();
}

void ProgressWindow::step(int amount) {
    bar_->setValue(std::min(bar_->maximum(), bar_->value() + amount));
    refresh();
}

void ProgressWindow::end() { hide(); }

QString ProgressWindow::heading() const { return heading_->text(); }
QString ProgressWindow::file() const { return file_->text(); }
QString ProgressWindow::counter() const { return counter_->text(); }
int ProgressWindow::value() const { return bar_->value(); }

void ProgressWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape || event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        return;
    }
    QDialog::keyPressEvent(event);
}

void ProgressWindow::refresh() {
    // The operation runs in this thread: let the window paint between its steps.
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

} // namespace tavolex::editor
