#include "shell/QtUiServices.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QMessageBox>
#include <QUrl>

namespace tavolex::editor {

using namespace Qt::StringLiterals;

namespace {
const QString kProgram = QStringLiteral("Tavolex");

// The editor's filters list their patterns with commas ("(*.BMP,*.JAM)");
// Qt's file dialog separates them with spaces. Several filters are joined by ";;".
QString DialogFilter(const QString& filter) {
    QStringList filters = filter.split(u";;"_s);
    for (QString& one : filters) {
        const qsizetype open = one.lastIndexOf(u'(');
        if (open >= 0) {
            one.replace(open, one.size() - open, one.mid(open).replace(u',', u' '));
        }
    }
    return filters.join(u";;"_s);
}
} // namespace

void QtUiServices::error(QWidget* parent, const QString& text) {
    QApplication::beep();
    QMessageBox::warning(parent, kProgram, text);
}

void QtUiServices::information(QWidget* parent, const QString& text) {
    QMessageBox::information(parent, kProgram, text);
}

void QtUiServices::explain(QWidget* parent, const QString& caption, const QString& text) {
    QMessageBox::information(parent, caption, text);
}

bool QtUiServices::question(QWidget* parent, const QString& text) {
    return QMessageBox::question(parent, kProgram, text, QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

UiServices::Answer QtUiServices::unsavedChanges(QWidget* parent, const QString& text) {
    switch (QMessageBox::question(parent, kProgram, text, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel)) {
    case QMessageBox::Yes: return Answer::Yes;
    case QMessageBox::No: return Answer::No;
    default: return Answer::Cancel;
    }
}

QString QtUiServices::chooseFolder(QWidget* parent, const QString& title, const QString& start) {
    return QFileDialog::getExistingDirectory(parent, title, start);
}

void QtUiServices::beep() { QApplication::beep(); }

bool QtUiServices::openDocument(const QString& path) { return QDesktopServices::openUrl(QUrl::fromLocalFile(path)); }

QString QtUiServices::askOpenPath(QWidget* parent, const QString& title, const QString& folder, const QString& filter) {
    QFileDialog dialog(parent, title, folder, DialogFilter(filter));
    dialog.setFileMode(QFileDialog::ExistingFile);
    return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
}

QString QtUiServices::askSavePath(QWidget* parent, const QString& title, const QString& folder, const QString& filter) {
    // The callers ask about replacing files themselves.
    QFileDialog dialog(parent, title, folder, DialogFilter(filter));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
}

} // namespace tavolex::editor
