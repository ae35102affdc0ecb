#pragma once

#include <filesystem>
#include <optional>
#include <string>

// Where the editor keeps its settings file, its temporary folder and the data
// files it makes. Beside the executable when the user runs it portably (the
// folder is writable and already holds a settings file), else in the user's
// XDG folders and the system's temporary folder.

namespace tavolex {

struct Environment {
    std::string home;
    std::string xdgConfigHome;
    std::string xdgDataHome;
    std::filesystem::path systemTemp;
    std::string user;       // $USER: whose removable drives are under /media/USER
    std::string winePrefix; // $WINEPREFIX

    static Environment FromProcess();
};

struct AppPaths {
    bool portable = false;
    std::filesystem::path settingsFile;
    std::filesystem::path temporaryParent;
    std::filesystem::path dataFolder;
    std::filesystem::path programFolder;
};

// `executable` is the program's own path; its name without extension plus
// ".INI" names a portable settings file (found whatever its case).
AppPaths ResolveAppPaths(const std::filesystem::path& executable, const Environment& environment);

// The program's own path, as the system knows it.
std::filesystem::path CurrentExecutablePath(const char* argv0);

// Eight lower-case hexadecimal digits: seconds, hundredths, hour, minute.
std::string TemporaryFolderName(int hour, int minute, int second, int hundredths);

// Makes a fresh temporary folder under `parent` named from the time of day;
// beside the executable the name is exactly that, in the system temporary
// folder it is prefixed with "tavolex-" so that users can tell whose it is.
std::optional<std::filesystem::path> MakeTemporaryFolder(const AppPaths& paths);

// The manual's first page: installed beside the program
// (<prefix>/share/doc/tavolex/manual), in a portable folder (manual/), or in
// `sourceManual` (the source tree, for a program run from its build folder).
std::optional<std::filesystem::path> FindManual(const std::filesystem::path& programFolder,
                                                const std::filesystem::path& sourceManual);
// Where an installed manual's first page belongs, to tell a user who has none.
std::filesystem::path InstalledManualPath(const std::filesystem::path& programFolder);

} // namespace tavolex
