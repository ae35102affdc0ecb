#include "gamesettings/MiscSettingsExchange.h"

#include <vector>

#include "document/MiscSettingsDefaults.h"
#include "game/GameFiles.h"
#include "game/LevelNames.h"
#include "game/TeamTables.h"
#include "gamesettings/ExecutableTable.h"

namespace tavolex {
namespace {
constexpr std::uint16_t kSpreadWithoutSaveFile = 1;
} // namespace

Error ReadGamePowerSwitch(const GameFolder& game, ExeStatus status, MiscSettings& misc) {
    return ReadExecutableTable(game, status, [&](auto exe) { return ReadPlayerCarPower(exe, misc.playerCarPower); });
}

Error WriteGamePowerSwitch(const GameFolder& game, ExeStatus status, const MiscSettings& misc) {
    return PatchExecutableTable(game, status, [&](auto& exe) { return WritePlayerCarPower(exe, misc.playerCarPower); });
}

Error ReadGamePoints(const GameFolder& game, ExeStatus status, MiscSettings& misc) {
    return ReadExecutableTable(game, status, [&](auto exe) { return ReadPoints(exe, misc.points); });
}

Error WriteGamePoints(const GameFolder& game, ExeStatus status, const MiscSettings& misc) {
    return PatchExecutableTable(game, status, [&](auto& exe) { return WritePoints(exe, misc.points); });
}

std::uint16_t ReadGameSpread(const GameFolder& game) {
    std::vector<std::uint8_t> save;
    std::uint16_t spread = kSpreadWithoutSaveFile;
    if (!CheckSaveFile(game) || !Ok(ReadSaveFile(game, save)) || !ReadSaveSpread(save, spread)) {
        return kSpreadWithoutSaveFile;
    }
    return spread;
}

Error WriteGameSpread(const GameFolder& game, std::uint16_t spread) {
    if (!CheckSaveFile(game)) {
        return Error::None;
    }
    return PatchSaveFile(game, [&](auto& save) { return WriteSaveSpread(save, spread); });
}

void ReadOppositionSettings(const GameFolder& game, MiscSettings& misc) {
    misc.oppositionSpread = ReadGameSpread(game);
    const LevelNames defaults = DefaultMiscSettings().levelNames;
    for (int language = 0; language < kLanguageCount; ++language) {
        auto& name = misc.levelNames[static_cast<std::size_t>(language)];
        if (!Ok(ReadLevelName(game, static_cast<Language>(language), name))) {
            name = defaults[static_cast<std::size_t>(language)];
        }
    }
}

void WriteOppositionSettings(const GameFolder& game, const MiscSettings& misc) {
    (void)WriteGameSpread(game, misc.oppositionSpread);
    for (int language = 0; language < kLanguageCount; ++language) {
        (void)WriteLevelName(game, static_cast<Language>(language), misc.levelNames[static_cast<std::size_t>(language)].view());
    }
}

bool ImportMiscSettings(const GameFolder& game, ExeStatus status, MiscSettings& misc) {
    MiscSettings copy = misc;
    if (AllowsExecutable(status) && !Ok(ReadGamePowerSwitch(game, status, copy))) {
        return false;
    }
    ReadOppositionSettings(game, copy);
    if (AllowsExecutable(status) && !Ok(ReadGamePoints(game, status, copy))) {
        return false;
    }
    misc = copy;
    return true;
}

bool ExportMiscSettings(const GameFolder& game, ExeStatus status, const MiscSettings& misc) {
    if (AllowsExecutable(status) && !Ok(WriteGamePowerSwitch(game, status, misc))) {
        return false;
    }
    WriteOppositionSettings(game, misc);
    return !AllowsExecutable(status) || Ok(WriteGamePoints(game, status, misc));
}

} // namespace tavolex
