#include "GameSettingsCommand.h"

#include <fstream>
#include <iostream>

#include "GameSettingsJson.h"
#include "core/Texts.h"
#include "files/AtomicWrite.h"
#include "game/LevelNames.h"
#include "game/TeamTables.h"
#include "gamesettings/ExecutableTable.h"
#include "gamesettings/MiscSettingsExchange.h"

namespace tavolex::cli {
namespace {
using Json = nlohmann::ordered_json;

constexpr std::size_t kMaxSettingsFileSize = 1024 * 1024;

GameSettings Defaults() {
    const MiscSettings misc = DefaultMiscSettings();
    return {DefaultDamage(),
            DefaultDriverAids(),
            DefaultCameras(),
            misc.points,
            misc.playerCarPower,
            misc.oppositionSpread,
            EveryLevelName(misc.levelNames)};
}

// What the game holds, and null where it holds nothing: the executable's
// settings only from the supported build, the spread from an intact save
// file, each level name from its own language file.
int Print(const GameFolder& game) {
    const ExeStatus status = IdentifyGame(game).status;
    if (status == ExeStatus::Missing) {
        return FailWith(TextId::ExeMissingOrCorrupt);
    }
    GameSettings settings;
    MiscSettings misc = DefaultMiscSettings();
    settings.oppositionSpread = ReadSavedSpread(game);
    settings.levelNames = ReadGameLevelNames(game);
    if (AllowsExecutable(status)) {
        DamageRecord damage{};
        DriverAidMasks aids{};
        CameraRecord cameras{};
        const Error error = ReadExecutableTable(game, status, [&](auto exe) {
            Error read = ReadDamage(exe, damage);
            if (Ok(read))
                read = ReadDriverAids(exe, aids);
            if (Ok(read))
                read = ReadCameras(exe, cameras);
            if (Ok(read))
                read = ReadPoints(exe, misc.points);
            if (Ok(read))
                read = ReadPlayerCarPower(exe, misc.playerCarPower);
            return read;
        });
        if (!Ok(error)) {
            return Fail(Text(TextId::FailedToReadGame), ErrorText(error));
        }
        settings.damage = damage;
        settings.driverAids = aids;
        settings.cameras = cameras;
        settings.points = misc.points;
        settings.playerCarPower = misc.playerCarPower;
    }
    std::cout << GameSettingsToJson(settings).dump(2) << '\n';
    return kSuccess;
}

// The settings of FILE into the game, by the editors' Export rules: every
// value checked first, then the executable in one patch, the save file and
// the language files (a missing one skipped, one that cannot be written a
// failure).
int Write(const GameFolder& game, const std::filesystem::path& file) {
    std::vector<std::uint8_t> bytes;
    if (Error error = ReadWholeFile(file, kMaxSettingsFileSize, bytes); !Ok(error)) {
        return Fail(Text(TextId::CouldntLoadFile), ErrorText(error));
    }
    const Json json = Json::parse(bytes.begin(), bytes.end(), nullptr, false);
    if (json.is_discarded()) {
        return Fail(Text(TextId::CouldntLoadFile), "the file is not JSON");
    }
    GameSettings settings;
    if (const auto problem = GameSettingsFromJson(json, settings)) {
        return Fail(Text(TextId::CouldntLoadFile), *problem);
    }
    const ExeStatus status = IdentifyGame(game).status;
    if (int usable = RequireGame(status); usable != kSuccess) {
        return usable;
    }
    if (settings.touchesExecutable()) {
        const Error error = PatchExecutableTable(game, status, [&](auto& exe) {
            Error written = Error::None;
            if (Ok(written) && settings.damage)
                written = WriteDamage(exe, *settings.damage);
            if (Ok(written) && settings.driverAids)
                written = WriteDriverAids(exe, *settings.driverAids);
            if (Ok(written) && settings.cameras)
                written = WriteCameras(exe, *settings.cameras);
            if (Ok(written) && settings.points)
                written = WritePoints(exe, *settings.points);
            if (Ok(written) && settings.playerCarPower)
                written = WritePlayerCarPower(exe, *settings.playerCarPower);
            return written;
        });
        if (!Ok(error)) {
            return Fail(Text(TextId::FailedToPatchGame), ErrorText(error));
        }
    }
    if (settings.oppositionSpread) {
        if (Error error = WriteGameSpread(game, *settings.oppositionSpread); !Ok(error)) {
            return Fail(Text(TextId::FailedToPatchGame), ErrorText(error));
        }
    }
    if (settings.levelNames) {
        if (Error error = WriteGameLevelNames(game, *settings.levelNames); !Ok(error)) {
            return Fail(Text(TextId::FailedToPatchGame), ErrorText(error));
        }
    }
    return kSuccess;
}

} // namespace

int GameSettingsCommand(Arguments arguments) {
    const auto writeFile = arguments.takeOption("--write");
    const bool defaults = arguments.takeFlag("--defaults");
    if (!arguments.valid() || arguments.positional().size() != 1 || (writeFile && defaults)) {
        return UsageError("game settings takes DIR, DIR --write FILE.json or DIR --defaults");
    }
    if (defaults) {
        std::cout << GameSettingsToJson(Defaults()).dump(2) << '\n';
        return kSuccess;
    }
    const GameFolder game(arguments.positional()[0]);
    return writeFile ? Write(game, *writeFile) : Print(game);
}

} // namespace tavolex::cli
