#include "shell/UiServices.h"

#include <QFileInfo>

#include "core/Texts.h"
#include "settings/FileDialogRules.h"

namespace {
QString FromPath(const std::filesystem::path& path) { return QString::fromStdString(path.string()); }
std::filesystem::path ToPath(const QString& path) { return std::filesystem::path(path.toStdString()); }
} // namespace

UiServices::UiServices(std::filesystem::path settingsFile, std::filesystem::path programFolder)
    : settingsFile_(std::move(settingsFile)), programFolder_(std::move(programFolder)) {}

bool UiServices::replace(QWidget* parent, const QString& path) {
    if (!QFileInfo::exists(path)) {
        return true;
    }
    return question(parent, QString::fromUtf8(tavolex::Text(tavolex::TextId::ReplaceExistingFile).data()));
}

QString UiServices::openFile(QWidget* parent, const QString& title, const QString& filter) {
    const auto start = tavolex::DialogStartFolder(settingsFile_, title.toStdString(), programFolder_);
    const QString chosen = askOpenPath(parent, title, FromPath(start), filter);
    if (!chosen.isEmpty()) {
        tavolex::RememberDialogFolder(settingsFile_, title.toStdString(), ToPath(chosen));
    }
    return chosen;
}

QString UiServices::saveFile(QWidget* parent, const QString& title, const QString& filter,
                             const QString& extension) {
    const auto start = tavolex::DialogStartFolder(settingsFile_, title.toStdString(), programFolder_);
    const QString chosen = askSavePath(parent, title, FromPath(start), filter);
    if (chosen.isEmpty()) {
        return {};
    }
    const auto forced = tavolex::ForceExtension(ToPath(chosen), extension.toStdString());
    if (!forced) {
        beep(); // a name that begins with a dot
        return {};
    }
    tavolex::RememberDialogFolder(settingsFile_, title.toStdString(), *forced);
    return FromPath(*forced);
}
