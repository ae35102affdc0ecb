#include "settings/AppPaths.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <system_error>

#include "files/FileHelpers.h"

#ifndef _WIN32
#include <unistd.h>
#endif

namespace tavolex {
namespace fs = std::filesystem;

namespace {

std::string EnvironmentValue(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}

bool FolderIsWritable(const fs::path& folder) {
#ifndef _WIN32
    return ::access(folder.c_str(), W_OK) == 0;
#else
    std::error_code ec;
    return fs::is_directory(folder, ec);
#endif
}

std::optional<fs::path> FindPortableSettings(const fs::path& folder, const std::string& name) {
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        if (EqualsIgnoreCase(it->path().filename().string(), name)) {
            return it->path();
        }
    }
    return std::nullopt;
}

// Without HOME the system's temporary folder stands in for it: never the
// current directory, which may be anywhere (a game folder, a USB stick).
fs::path XdgFolder(const std::string& xdg, const Environment& environment, const char* fallback) {
    if (!xdg.empty()) {
        return fs::path(xdg) / "Tavolex";
    }
    const fs::path home = environment.home.empty() ? environment.systemTemp : fs::path(environment.home);
    return home / fallback / "Tavolex";
}

} // namespace

Environment Environment::FromProcess() {
    Environment environment;
    environment.home = EnvironmentValue("HOME");
    environment.xdgConfigHome = EnvironmentValue("XDG_CONFIG_HOME");
    environment.xdgDataHome = EnvironmentValue("XDG_DATA_HOME");
    environment.user = EnvironmentValue("USER");
    environment.winePrefix = EnvironmentValue("WINEPREFIX");
    std::error_code ec;
    environment.systemTemp = fs::temp_directory_path(ec);
    if (ec) {
        environment.systemTemp = "/tmp";
    }
    return environment;
}

AppPaths ResolveAppPaths(const fs::path& executable, const Environment& environment) {
    AppPaths paths;
    paths.programFolder = executable.parent_path();
    const std::string settingsName = executable.stem().string() + ".INI";
    if (FolderIsWritable(paths.programFolder)) {
        if (auto found = FindPortableSettings(paths.programFolder, settingsName)) {
            paths.portable = true;
            paths.settingsFile = *found;
            paths.temporaryParent = paths.programFolder;
            paths.dataFolder = paths.programFolder;
            return paths;
        }
    }
    paths.settingsFile = XdgFolder(environment.xdgConfigHome, environment, ".config") / "Tavolex.ini";
    paths.temporaryParent = environment.systemTemp;
    paths.dataFolder = XdgFolder(environment.xdgDataHome, environment, ".local/share");
    return paths;
}

fs::path CurrentExecutablePath(const char* argv0) {
    std::error_code ec;
#ifdef __linux__
    fs::path self = fs::read_symlink("/proc/self/exe", ec);
    if (!ec) {
        return self;
    }
#endif
    return fs::absolute(argv0 != nullptr ? argv0 : "tavolex", ec);
}

std::string TemporaryFolderName(int hour, int minute, int second, int hundredths) {
    char name[16];
    std::snprintf(name, sizeof name, "%02x%02x%02x%02x", second & 0xFF, hundredths & 0xFF, hour & 0xFF, minute & 0xFF);
    return name;
}

std::optional<fs::path> MakeTemporaryFolder(const AppPaths& paths) {
    const auto now = std::chrono::system_clock::now();
    const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &seconds);
#else
    localtime_r(&seconds, &local);
#endif
    const auto sinceSecond = now.time_since_epoch() % std::chrono::seconds(1);
    int hundredths = static_cast<int>(std::chrono::duration_cast<std::chrono::milliseconds>(sinceSecond).count() / 10);
    const std::string prefix = paths.portable ? "" : "tavolex-";
    // Another instance started in the same hundredth already owns that name:
    // count the hundredths on until a free one turns up.
    for (int attempt = 0; attempt < 100; ++attempt, hundredths = (hundredths + 1) % 100) {
        const fs::path folder = paths.temporaryParent /
                                (prefix + TemporaryFolderName(local.tm_hour, local.tm_min, local.tm_sec, hundredths));
        std::error_code ec;
        if (fs::create_directory(folder, ec)) {
            return folder;
        }
        if (!fs::exists(paths.temporaryParent, ec)) {
            return std::nullopt;
        }
    }
    return std::nullopt;
}

fs::path InstalledManualPath(const fs::path& programFolder) {
    return programFolder.parent_path() / "share/doc/tavolex/manual/index.html";
}

std::optional<fs::path> FindManual(const fs::path& programFolder, const fs::path& sourceManual) {
    const fs::path candidates[] = {InstalledManualPath(programFolder).parent_path(), programFolder / "manual",
                                   sourceManual};
    for (const fs::path& folder : candidates) {
        std::error_code ec;
        if (!folder.empty() && fs::is_regular_file(folder / "index.html", ec)) {
            return folder / "index.html";
        }
    }
    return std::nullopt;
}

} // namespace tavolex
