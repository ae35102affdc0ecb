#pragma once

#include <filesystem>
#include <optional>
#include <string>

// What the editor's save dialogs do with the name a user typed, and where
// every file dialog starts.

namespace tavolex {

// The path with the default extension forced: appended when the name has
// none, replaced when it has another (compared without regard to case), kept
// as typed when it has that one. Nothing for a name that begins with a dot.
// A picture's "BMP" also keeps a typed ".png": the picture is then saved as PNG.
std::optional<std::filesystem::path> ForceExtension(const std::filesystem::path& chosen,
                                                    const std::string& defaultExtension);

// The path with `extension` appended when the name has none, spelt as an
// existing file of that name spells it (so "willia98" saves over
// "WILLIA98.JAM" rather than beside it); a name with an extension is kept.
std::filesystem::path AddMissingExtension(const std::filesystem::path& chosen, const std::string& extension);

// The folders a file dialog may start in, when it has none of its own yet.
struct DialogPlaces {
    std::filesystem::path carSetFile; // empty while the car set is untitled
    std::filesystem::path gameFolder; // empty while no game is set
    std::filesystem::path homeFolder;
};

// The folder a dialog titled `title` starts in: the one remembered for it
// while it still exists; else the car set's folder, else the game's, else the
// home folder. Never the program's own folder or the working directory: the
// user's files are not there.
std::filesystem::path DialogStartFolder(const std::filesystem::path& settingsFile, const std::string& title,
                                        const DialogPlaces& places);

// Remembers the folder of `chosen` for the dialog titled `title`.
void RememberDialogFolder(const std::filesystem::path& settingsFile, const std::string& title,
                          const std::filesystem::path& chosen);

} // namespace tavolex
