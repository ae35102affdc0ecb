#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "core/Error.h"
#include "document/CarSet.h"
#include "game/GameFolder.h"

// Reading and patching GP3.EXE and F1GSTATE.SAV. The game needs its tables
// at fixed offsets, so a patch changes only those bytes; but the file is
// replaced whole through a temporary file, so a failure never leaves it half
// patched. Every save file patch stores fresh checksums.

namespace tavolex {

[[nodiscard]] Error ReadExecutable(const GameFolder& game, std::vector<std::uint8_t>& bytes);
[[nodiscard]] Error ReadSaveFile(const GameFolder& game, std::vector<std::uint8_t>& bytes);

// Reads the file, lets `patch` change its bytes (an error: nothing is written, and the patch fails as a write) and
// writes it back.
using BytePatch = std::function<Error(std::vector<std::uint8_t>&)>;
// Before the first patch of an executable recognised by its contents (not
// by the identification text built in), a copy GP3.EXE.orig is kept beside
// it; an existing copy is never replaced.
[[nodiscard]] Error PatchExecutable(const GameFolder& game, const BytePatch& patch);
// Where that copy is kept.
std::filesystem::path OriginalExecutableCopy(const GameFolder& game);
[[nodiscard]] Error PatchSaveFile(const GameFolder& game, const BytePatch& patch);

// While one is alive (on this thread), GP3.EXE and F1GSTATE.SAV of its game
// are each read once, patched in memory and written once: the export of team
// data and settings patches the 8.8 MB executable three times. ReadExecutable
// and ReadSaveFile see the patched bytes. A patch that fails leaves the held
// bytes as they were. Whatever was patched is written by `write`, or when the
// batch ends (errors are then not reported: call `write` to see them).
class GameFileBatch {
  public:
    explicit GameFileBatch(const GameFolder& game);
    ~GameFileBatch();
    GameFileBatch(const GameFileBatch&) = delete;
    GameFileBatch& operator=(const GameFileBatch&) = delete;

    // The save file first, then the executable, as the team data goes.
    [[nodiscard]] Error write();

    struct HeldFile {
        std::vector<std::uint8_t> bytes;
        bool loaded = false;
        bool changed = false;
    };

  private:
    friend HeldFile* HeldGameFile(const std::filesystem::path& path);
    GameFolder game_;
    GameFileBatch* outer_;
    HeldFile executable_;
    HeldFile saveFile_;
};

// The executable's team tables for `mask` into the car set, all or nothing
// through the backup table; and the car set's into the executable.
[[nodiscard]] Error ReadTeamTables(const GameFolder& game, std::uint32_t mask, CarSet& carSet);
[[nodiscard]] Error WriteTeamTables(const GameFolder& game, std::uint32_t mask, const CarSet& carSet);

// The team data of the game for `mask`: the executable's tables when it is
// the supported build, then the save file's when it is intact (its names,
// numbers, flags and tyre types win). All or nothing through the backup table.
[[nodiscard]] Error ImportTeamData(const GameFolder& game, ExeStatus status, std::uint32_t mask, CarSet& carSet);
// Writes the team data into the save file (when intact) and the executable (when supported).
[[nodiscard]] Error ExportTeamData(const GameFolder& game, ExeStatus status, std::uint32_t mask, const CarSet& carSet);

} // namespace tavolex
