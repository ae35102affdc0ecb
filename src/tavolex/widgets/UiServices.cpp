#include "widgets/UiServices.h"

#include <QDir>
#include <QFileInfo>

#include "core/Texts.h"
#include "widgets/PathText.h"

namespace tavolex::editor {

using namespace Qt::StringLiterals;

UiServices::UiServices(std::filesystem::path settingsFile) : settingsFile_(std::move(settingsFile)) {}

QString UiServices::startFolder(const QString& title) const {
    DialogPlaces places;
    if (places_) {
        places = places_();
    }
    places.homeFolder = ToPath(QDir::homePath());
    return FromPath(DialogStartFolder(settingsFile_, title.toStdString(), places));
}

bool UiServices::loaded(QWidget* parent, Error outcome, const QString& path, const WantedPicture& wanted) {
    if (Ok(outcome)) {
        return true;
    }
    const TextId message = PictureCommandMessage(GraphicCommand::Load, outcome);
    QString text = QString::fromUtf8(Text(message).data());
    const std::string reason = PictureRefusal(wanted, ToPath(path));
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
    return question(parent, QString::fromUtf8(Text(TextId::ReplaceExistingFile).data()));
}

QString UiServices::openFile(QWidget* parent, const QString& title, const QString& filter) {
    const auto start = startFolder(title);
    const QString chosen = askOpenPath(parent, title, start, filter);
    if (!chosen.isEmpty()) {
        RememberDialogFolder(settingsFile_, title.toStdString(), ToPath(chosen));
    }
    return chosen;
}

QString UiServices::saveFile(QWidget* parent, const QString& title, const QString& filter, const QString& extension) {
    const auto start = startFolder(title);
    const QString chosen = askSavePath(parent, title, start, filter);
    if (chosen.isEmpty()) {
        return {};
    }
    const auto forced = ForceExtension(ToPath(chosen), extension.toStdString());
    if (!forced) {
        beep(); // a name that begins with a dot
        return {};
    }
    RememberDialogFolder(settingsFile_, title.toStdString(), *forced);
    return FromPath(*forced);
}

} // namespace tavolex::editor
