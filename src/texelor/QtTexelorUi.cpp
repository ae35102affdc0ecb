#include "QtTexelorUi.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

#include "core/Texts.h"

namespace texelor {

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
                              const QString& filter) {
    QFileDialog dialog(parent, QObject::tr("Save As"), folder, filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    // No default suffix and no question here: the viewer completes the name
    // first (matching an existing file's case) and then asks about that file.
    dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    dialog.selectFile(defaultName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return {};
    }
    return dialog.selectedFiles().constFirst();
}

bool QtTexelorUi::confirmReplace(QWidget* parent, const QString& path) {
    const std::string name = QFileInfo(path).fileName().toStdString();
    const QString text = QString::fromStdString(tavolex::FormatText(tavolex::TextId::TexelorReplaceQuestion, name));
    return QMessageBox::question(parent, Title(), text, QMessageBox::Yes | QMessageBox::No, QMessageBox::No) ==
           QMessageBox::Yes;
}

void QtTexelorUi::warn(QWidget* parent, const QString& text) {
    QApplication::beep();
    QMessageBox::warning(parent, Title(), text);
}

} // namespace texelor
