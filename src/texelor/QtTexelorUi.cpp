#include "QtTexelorUi.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>

#include "core/Texts.h"

namespace {

QString Title() { return QString::fromUtf8(tavolex::Text(tavolex::TextId::TexelorTitle).data()); }

} // namespace

QString QtTexelorUi::openFile(QWidget* parent, const QString& folder, const QString& filter) {
    QFileDialog dialog(parent, QObject::tr("Open"), folder, filter);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setOption(QFileDialog::ReadOnly, false);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return {};
    }
    return dialog.selectedFiles().constFirst();
}

QString QtTexelorUi::saveFile(QWidget* parent, const QString& folder, const QString& defaultName,
                              const QString& filter, const QString& defaultSuffix) {
    QFileDialog dialog(parent, QObject::tr("Save As"), folder, filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(defaultSuffix);
    dialog.selectFile(defaultName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return {};
    }
    return dialog.selectedFiles().constFirst();
}

void QtTexelorUi::warn(QWidget* parent, const QString& text) {
    QApplication::beep();
    QMessageBox::warning(parent, Title(), text);
}
