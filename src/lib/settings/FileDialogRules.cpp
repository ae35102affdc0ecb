#include "settings/FileDialogRules.h"

#include "files/CaseInsensitivePath.h"
#include "files/FileHelpers.h"
#include "settings/Settings.h"

namespace tavolex {

std::optional<std::filesystem::path> ForceExtension(const std::filesystem::path& chosen,
                                                    const std::string& defaultExtension) {
    const std::string name = chosen.filename().string();
    if (name.empty() || name.front() == '.') {
        return std::nullopt;
    }
    const std::string extension = chosen.extension().string();
    if (extension.size() > 1 && EqualsIgnoreCase(std::string_view(extension).substr(1), defaultExtension)) {
        return chosen;
    }
    if (EqualsIgnoreCase(defaultExtension, "BMP") && EqualsIgnoreCase(extension, ".png")) {
        return chosen;
    }
    std::filesystem::path forced = chosen;
    if (extension.empty() || extension == ".") {
        forced = chosen.parent_path() / (chosen.stem().string() + "." + defaultExtension);
    } else {
        forced.replace_extension("." + defaultExtension);
    }
    return forced;
}

std::filesystem::path AddMissingExtension(const std::filesystem::path& chosen, const std::string& extension) {
    const std::string typed = chosen.extension().string();
    if (typed.size() > 1) {
        return chosen;
    }
    return ResolvePathIgnoringCase(chosen.parent_path(), chosen.stem().string() + "." + extension);
}

std::filesystem::path DialogStartFolder(const std::filesystem::path& settingsFile, const std::string& title,
                                        const DialogPlaces& places) {
    const auto isFolder = [](const std::filesystem::path& folder) {
        std::error_code error;
        return !folder.empty() && std::filesystem::is_directory(folder, error);
    };
    const std::filesystem::path remembered = RememberedFolder(settingsFile, title);
    for (const std::filesystem::path& folder : {remembered, places.carSetFile.parent_path(), places.gameFolder}) {
        if (folder.is_absolute() && isFolder(folder)) {
            return folder;
        }
    }
    return places.homeFolder;
}

void RememberDialogFolder(const std::filesystem::path& settingsFile, const std::string& title,
                          const std::filesystem::path& chosen) {
    std::string folder = chosen.parent_path().string();
    if (!folder.empty() && folder.back() != '/') {
        folder += '/';
    }
    // A folder that cannot be remembered costs the user one click next time: not worth a message.
    (void)RememberFolder(settingsFile, title, folder);
}

} // namespace tavolex
