#include "game/GameFiles.h"

#include "document/TeamNameRules.h"
#include "files/AtomicWrite.h"
#include "files/FileHelpers.h"
#include "game/GameIdentity.h"
#include "game/TeamTables.h"

namespace tavolex {

GameFileBatch::HeldFile* HeldGameFile(const std::filesystem::path& path);

namespace {

// GP3.EXE is 8.8 MB; the save file much smaller. Anything beyond is not theirs.
constexpr std::size_t kMaxGameFileSize = 32 * 1024 * 1024;

thread_local GameFileBatch* activeBatch = nullptr;

// The file as a batch holds it, or as it is on disk.
Error ReadGameFile(const std::filesystem::path& path, std::vector<std::uint8_t>& bytes) {
    GameFileBatch::HeldFile* held = HeldGameFile(path);
    if (held == nullptr) {
        return ReadWholeFile(path, kMaxGameFileSize, bytes);
    }
    if (!held->loaded) {
        if (Error error = ReadWholeFile(path, kMaxGameFileSize, held->bytes); !Ok(error)) {
            return error;
        }
        held->loaded = true;
    }
    bytes = held->bytes;
    return Error::None;
}

// The patched bytes go to disk, or to the batch that holds the file.
Error StoreGameFile(const std::filesystem::path& path, std::vector<std::uint8_t>&& bytes) {
    if (GameFileBatch::HeldFile* held = HeldGameFile(path)) {
        held->bytes = std::move(bytes);
        held->changed = true;
        return Error::None;
    }
    return WriteFileAtomically(path, bytes);
}

Error Patch(const std::filesystem::path& path, const BytePatch& patch, bool storeChecksums) {
    std::vector<std::uint8_t> bytes;
    if (Error error = ReadGameFile(path, bytes); !Ok(error)) {
        return error;
    }
    // The save file's checksums go in with the patch, so the file is written once.
    if (!Ok(patch(bytes)) || (storeChecksums && !Ok(StampSaveFileChecksums(bytes)))) {
        return Error::WriteFailed;
    }
    return StoreGameFile(path, std::move(bytes));
}

} // namespace

GameFileBatch::HeldFile* HeldGameFile(const std::filesystem::path& path) {
    for (GameFileBatch* batch = activeBatch; batch != nullptr; batch = batch->outer_) {
        if (path == batch->game_.executable()) {
            return &batch->executable_;
        }
        if (path == batch->game_.saveFile()) {
            return &batch->saveFile_;
        }
    }
    return nullptr;
}

GameFileBatch::GameFileBatch(const GameFolder& game) : game_(game), outer_(activeBatch) { activeBatch = this; }

GameFileBatch::~GameFileBatch() {
    // A batch left early still writes what was patched, as unbatched patches would have been.
    // Whoever needs the result calls write() first; after it nothing is left to write here.
    (void)write();
    activeBatch = outer_;
}

Error GameFileBatch::write() {
    for (auto [held, path] : {std::pair{&saveFile_, game_.saveFile()}, std::pair{&executable_, game_.executable()}}) {
        if (held->changed) {
            held->changed = false;
            if (Error error = WriteFileAtomically(path, held->bytes); !Ok(error)) {
                // As patch by patch: the executable is not written after the
                // save file failed, nor retried when the batch ends.
                saveFile_.changed = executable_.changed = false;
                return error;
            }
        }
    }
    return Error::None;
}

Error ReadExecutable(const GameFolder& game, std::vector<std::uint8_t>& bytes) {
    return ReadGameFile(game.executable(), bytes);
}

Error ReadSaveFile(const GameFolder& game, std::vector<std::uint8_t>& bytes) {
    return ReadGameFile(game.saveFile(), bytes);
}

std::filesystem::path OriginalExecutableCopy(const GameFolder& game) {
    std::filesystem::path copy = game.executable();
    copy += ".orig";
    return copy;
}

Error PatchExecutable(const GameFolder& game, const BytePatch& patch) {
    const std::filesystem::path path = game.executable();
    std::vector<std::uint8_t> bytes;
    if (Error error = ReadGameFile(path, bytes); !Ok(error)) {
        return error;
    }
    // A game recognised by its contents, not by the text built in, keeps its
    // executable as it was before the editor first changed it.
    const std::filesystem::path original = OriginalExecutableCopy(game);
    std::vector<std::uint8_t> before;
    if (!HasBuiltInIdentification(bytes) && !FileExists(original)) {
        before = bytes;
    }
    if (!Ok(patch(bytes))) {
        return Error::WriteFailed;
    }
    if (!before.empty()) {
        if (Error error = WriteFileAtomically(original, before); !Ok(error)) {
            return error;
        }
    }
    return StoreGameFile(path, std::move(bytes));
}

Error PatchSaveFile(const GameFolder& game, const BytePatch& patch) { return Patch(game.saveFile(), patch, true); }

Error ReadTeamTables(const GameFolder& game, std::uint32_t mask, CarSet& carSet) {
    std::vector<std::uint8_t> exe;
    if (Error error = ReadExecutable(game, exe); !Ok(error)) {
        return error;
    }
    BackupTeams(carSet);
    if (!Ok(ReadExeTeamTables(exe, mask, carSet.backupTeams))) {
        return Error::ReadFailed;
    }
    carSet.teams = carSet.backupTeams;
    return Error::None;
}

Error WriteTeamTables(const GameFolder& game, std::uint32_t mask, const CarSet& carSet) {
    return PatchExecutable(game, [&](auto& bytes) { return WriteExeTeamTables(bytes, mask, carSet.teams); });
}

Error ImportTeamData(const GameFolder& game, ExeStatus status, std::uint32_t mask, CarSet& carSet) {
    // Both files are read into the backup table; the team table changes only
    // when both succeeded, so a failing save file does not leave half an import.
    BackupTeams(carSet);
    if (AllowsExecutable(status)) {
        std::vector<std::uint8_t> exe;
        if (Error error = ReadExecutable(game, exe); !Ok(error)) {
            return error;
        }
        if (!Ok(ReadExeTeamTables(exe, mask, carSet.backupTeams))) {
            return Error::ReadFailed;
        }
    }
    if (CheckSaveFile(game)) {
        std::vector<std::uint8_t> save;
        if (Error error = ReadSaveFile(game, save); !Ok(error)) {
            return error;
        }
        if (!Ok(ReadSaveTeamTables(save, mask, carSet.backupTeams))) {
            return Error::ReadFailed;
        }
    }
    carSet.teams = carSet.backupTeams;
    return Error::None;
}

Error ExportTeamData(const GameFolder& game, ExeStatus status, std::uint32_t mask, const CarSet& carSet) {
    // A car set made elsewhere may hold a name the game cannot take; nothing is written then.
    if (Error error = CheckTeamNames(carSet); !Ok(error)) {
        return error;
    }
    if (CheckSaveFile(game)) {
        if (Error error =
                PatchSaveFile(game, [&](auto& bytes) { return WriteSaveTeamTables(bytes, mask, carSet.teams); });
            !Ok(error)) {
            return error;
        }
    }
    if (!AllowsExecutable(status)) {
        return Error::None;
    }
    return WriteTeamTables(game, mask, carSet);
}

} // namespace tavolex
