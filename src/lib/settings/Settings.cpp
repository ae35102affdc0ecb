#include "settings/Settings.h"

#include <algorithm>

#include "formats/IniFile.h"

namespace tavolex {
namespace {
constexpr std::string_view kSetup = "Setup";
constexpr std::string_view kDirectories = "Directorys";
constexpr std::string_view kRecent = "Recent";

std::string RecentKey(std::size_t index) { return "File" + std::to_string(index + 1); }

std::string NotSetToEmpty(const std::string& value) { return value == kNotSet ? std::string() : value; }

// The settings file's folder may not exist yet on a first run.
Error WriteSetting(const std::filesystem::path& settingsFile, std::string_view section, std::string_view key,
                   const std::string& value) {
    std::error_code ec;
    std::filesystem::create_directories(settingsFile.parent_path(), ec);
    return WriteProfileString(settingsFile, section, key, value);
}
} // namespace

Settings ReadSettings(const std::filesystem::path& settingsFile) {
    IniFile ini;
    Settings settings;
    if (!Ok(IniFile::Load(settingsFile, ini))) {
        return settings;
    }
    std::string folder = ini.value(kSetup, "GP3Dir", kNotSet);
    if (folder.size() > kMaxPathLength) {
        folder.resize(kMaxPathLength);
    }
    settings.gameFolder = NotSetToEmpty(folder);
    settings.disclaimer = ini.intValue(kSetup, "Disclaimer", kDisclaimerStart);
    if (settings.disclaimer < kDisclaimerDone) {
        settings.disclaimer = kDisclaimerStart;
    }
    settings.carSetInfo = ini.intValue(kSetup, "CarSetInfo", 1);
    settings.exeIdentification = NotSetToEmpty(ini.value(kSetup, "ExeIdentification", kNotSet));
    settings.artSignature = NotSetToEmpty(ini.value(kSetup, "ArtSignature", kNotSet));
    return settings;
}

Error WriteSettingsAtExit(const std::filesystem::path& settingsFile, const Settings& settings) {
    return WriteSetting(settingsFile, kSetup, "Disclaimer", std::to_string(settings.disclaimer));
}

Error WriteGameFolder(const std::filesystem::path& settingsFile, const std::string& gameFolder) {
    return WriteSetting(settingsFile, kSetup, "GP3Dir", gameFolder.empty() ? std::string(kNotSet) : gameFolder);
}

Error WriteExeIdentification(const std::filesystem::path& settingsFile, const std::string& hex) {
    return WriteSetting(settingsFile, kSetup, "ExeIdentification", hex);
}

Error WriteArtSignature(const std::filesystem::path& settingsFile, const std::string& hex) {
    return WriteSetting(settingsFile, kSetup, "ArtSignature", hex);
}

std::string RememberedFolder(const std::filesystem::path& settingsFile, std::string_view title) {
    return NotSetToEmpty(ReadProfileString(settingsFile, kDirectories, title, kNotSet));
}

Error RememberFolder(const std::filesystem::path& settingsFile, std::string_view title, const std::string& folder) {
    return WriteSetting(settingsFile, kDirectories, title, folder);
}

std::vector<std::string> RecentCarSets(const std::filesystem::path& settingsFile) {
    IniFile ini;
    std::vector<std::string> paths;
    if (!Ok(IniFile::Load(settingsFile, ini))) {
        return paths;
    }
    for (std::size_t i = 0; i < kRecentCarSets; ++i) {
        const std::string path = NotSetToEmpty(ini.value(kRecent, RecentKey(i), kNotSet));
        if (!path.empty()) {
            paths.push_back(path);
        }
    }
    return paths;
}

Error RememberRecentCarSet(const std::filesystem::path& settingsFile, const std::string& path) {
    std::vector<std::string> paths = RecentCarSets(settingsFile);
    std::erase(paths, path);
    paths.insert(paths.begin(), path);
    paths.resize(std::min(paths.size(), kRecentCarSets));
    IniFile ini;
    if (Error error = IniFile::Load(settingsFile, ini); !Ok(error)) {
        return error;
    }
    for (std::size_t i = 0; i < kRecentCarSets; ++i) {
        ini.setValue(kRecent, RecentKey(i), i < paths.size() ? paths[i] : std::string(kNotSet));
    }
    std::error_code ec;
    std::filesystem::create_directories(settingsFile.parent_path(), ec);
    return ini.save(settingsFile);
}

} // namespace tavolex
