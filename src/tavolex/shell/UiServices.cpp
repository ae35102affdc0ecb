#include "shell/UiServices.h"

#include <QDir>
#include <QFileInfo>

#include "core/Texts.h"
#include "shell/PathText.h"

namespace tavolex::editor {

using namespace Qt::StringLiterals;

UiServices::UiServices(std::filesystem::path settingsFile) : settingsFile_(std::move(settingsFile)) {}

QString UiServices::startFolder(const QString& title) const {
    tavolex::DialogPlaces places;
    if (places_) {
        places = places_();
    }
    places.homeFolder = ToPath(QDir::homePath());
    return FromPath(tavolex::DialogStartFolder(settingsFile_, title.toStdString(), places));
}

bool UiServices::loaded(QWidget* parent, const tavolex::Failure& failure, const QString& path,
                        const tavolex::WantedPicture& wanted) {
    if (!failure) {
        return true;
    }
    QString text = QString::fromUtf8(tavolex::Text(*failure).data());
    const std::string reason = tavolex::PictureRefusal(wanted, ToPath(path));
    if (!reason.empty()) {
        text += u"\n\n"_s + QFileInfo(path).fileName() + u": "_s + QString::fromStdString(reason);
    }
    error(parent, text);
    return false;
}

bool UiServices::replace(QWidget* parent, const QString& path) {
    if (!QFileInfo::exists(path)) {
        return true;
    }
    return question(parent, QString::fromUtf8(tavolex::Text(tavolex::TextId::ReplaceExistingFile).data()));
}

QString UiServices::openFile(QWidget* parent, const QString& title, const QString& filter) {
    const auto start = startFolder(title);
    const QString chosen = askOpenPath(parent, title, start, filter);
    if (!chosen.isEmpty()) {
        tavolex::RememberDialogFolder(settingsFile_, title.toStdString(), ToPath(chosen));
    }
    return chosen;
}

QString UiServices::saveFile(QWidget* parent, const QString& title, const QString& filter, const QString& extension) {
    const auto start = startFolder(title);
    const QString chosen = askSavePath(parent, title, start, filter);
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

} // namespace tavolex::editor
