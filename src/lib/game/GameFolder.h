#pragma once

#include <filesystem>
#include <span>
#include <string>
#include <vector>

#include "core/Error.h"
#include "game/ExeStatus.h"

// The installed game: where its files are, whether its executable is the
// supported build, whether its save file is intact, and starting it.

namespace tavolex {

enum class Language { English = 0, French = 1, Italian = 2, German = 3, Spanish = 4 };

class GameFolder {
  public:
    GameFolder() = default;
    explicit GameFolder(std::filesystem::path folder) : folder_(std::move(folder)) {}

    const std::filesystem::path& folder() const { return folder_; }
    bool empty() const { return folder_.empty(); }

    // Each file found whatever the case of its names on disk; where it does
    // not exist, the path it would have.
    std::filesystem::path executable() const;
    std::filesystem::path saveFile() const;
    std::filesystem::path artArchive() const;
    // The language files' names hold "ç" and "ñ": they are found whether the
    // names on disk are UTF-8 or Windows-1252 bytes.
    std::filesystem::path languageFile(Language language) const;
    std::filesystem::path file(std::string_view relative) const;

  private:
    std::filesystem::path folder_;
};

// The executable's status by the built-in identification text or, failing
// that, by its contents (game/GameIdentity.h tells how it was recognised).
ExeStatus IdentifyExecutable(const GameFolder& game);

// The save file exists and its two checksums match.
[[nodiscard]] bool CheckSaveFile(const GameFolder& game);
// Recomputes and stores the save file's checksums in its last four bytes.
[[nodiscard]] Error StoreSaveFileChecksums(const std::filesystem::path& saveFile);
// The same on the file's bytes in memory; TableOutsideFile when it is shorter than the checksums.
[[nodiscard]] Error StampSaveFileChecksums(std::vector<std::uint8_t>& file);
// The last four bytes hold the sum and rotating checksum of all bytes before them.
[[nodiscard]] bool HasValidChecksums(std::span<const std::uint8_t> file);

// Starts GP3.EXE in the game folder and leaves it running. On Linux a
// Windows program (its file starts with "MZ") always runs through wine,
// found on the PATH, whatever the file's execute bit says (every file on an
// NTFS or FAT mount has it); anything else is started itself. The program
// is reaped when it ends. `command` (may be null) receives the command that
// was run or tried, for the message when it fails.
[[nodiscard]] Error LaunchGame(const GameFolder& game, std::string* command = nullptr);

} // namespace tavolex
