#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "core/Error.h"

// The editor's few settings between runs, kept in its INI settings file:
// section "Setup" holds the game folder, the disclaimer counter and the
// car set information switch; section "Directorys" (so spelled) the folder
// last used by each file dialog, keyed by the dialog's title.

namespace tavolex {

// Stands for "not set" in the settings file.
inline constexpr std::string_view kNotSet = "%$";
inline constexpr int kDisclaimerStart = 111;
inline constexpr int kDisclaimerDone = 110;
inline constexpr std::size_t kMaxPathLength = 260;

struct Settings {
    std::string gameFolder;            // empty when not set
    int disclaimer = kDisclaimerStart; // the box shows while above 110
    int carSetInfo = 1;                // show information on open
    // Identification bytes learnt from a game recognised by its contents
    // (hexadecimal; empty when none): GP3.EXE's 27, GP3ART5.BIN's 28.
    std::string exeIdentification;
    std::string artSignature;
};

Settings ReadSettings(const std::filesystem::path& settingsFile);

// What the editor writes at exit: the disclaimer counter.
[[nodiscard]] Error WriteSettingsAtExit(const std::filesystem::path& settingsFile, const Settings& settings);

// The configuration dialog's confirmation writes the game folder.
[[nodiscard]] Error WriteGameFolder(const std::filesystem::path& settingsFile, const std::string& gameFolder);

// Remembers the identification bytes of a game recognised by its contents.
[[nodiscard]] Error WriteExeIdentification(const std::filesystem::path& settingsFile, const std::string& hex);
[[nodiscard]] Error WriteArtSignature(const std::filesystem::path& settingsFile, const std::string& hex);

// The folder a file dialog titled `title` last used; empty when not set.
std::string RememberedFolder(const std::filesystem::path& settingsFile, std::string_view title);
[[nodiscard]] Error RememberFolder(const std::filesystem::path& settingsFile, std::string_view title,
                                   const std::string& folder);

// The car sets opened or saved last, newest first, at most kRecentCarSets;
// kept in section "Recent" as File1, File2, ...
inline constexpr std::size_t kRecentCarSets = 8;
std::vector<std::string> RecentCarSets(const std::filesystem::path& settingsFile);
// Puts `path` at the front of the list (once), dropping the oldest beyond the limit.
[[nodiscard]] Error RememberRecentCarSet(const std::filesystem::path& settingsFile, const std::string& path);

} // namespace tavolex
