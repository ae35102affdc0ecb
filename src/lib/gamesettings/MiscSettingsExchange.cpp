#include "gamesettings/MiscSettingsExchange.h"

#include <algorithm>
#include <vector>

#include "core/TextEncoding.h"
#include "document/MiscSettingsDefaults.h"
#include "files/FileHelpers.h"
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

std::optional<std::uint16_t> ReadSavedSpread(const GameFolder& game) {
    std::vector<std::uint8_t> save;
    std::uint16_t spread = kSpreadWithoutSaveFile;
    if (!CheckSaveFile(game) || !Ok(ReadSaveFile(game, save)) || !Ok(ReadSaveSpread(save, spread))) {
        return std::nullopt;
    }
    return spread;
}

std::uint16_t ReadGameSpread(const GameFolder& game) { return ReadSavedSpread(game).value_or(kSpreadWithoutSaveFile); }

Error WriteGameSpread(const GameFolder& game, std::uint16_t spread) {
    if (!CheckSaveFile(game)) {
        return Error::None;
    }
    return PatchSaveFile(game, [&](auto& save) { return WriteSaveSpread(save, spread); });
}

GameLevelNames ReadGameLevelNames(const GameFolder& game) {
    GameLevelNames names;
    for (int language = 0; language < kLanguageCount; ++language) {
        FixedText<32> name;
        if (Ok(ReadLevelName(game, static_cast<Language>(language), name))) {
            names[static_cast<std::size_t>(language)] = name;
        }
    }
    return names;
}

GameLevelNames EveryLevelName(const LevelNames& names) {
    GameLevelNames every;
    std::copy(names.begin(), names.end(), every.begin());
    return every;
}

Error ReadOppositionSettings(const GameFolder& game, MiscSettings& misc) {
    const std::optional<std::uint16_t> spread = ReadSavedSpread(game);
    const GameLevelNames names = ReadGameLevelNames(game);
    const bool anyName = std::any_of(names.begin(), names.end(), [](const auto& name) { return name.has_value(); });
    if (!spread && !anyName) {
        return Error::ReadFailed;
    }
    misc.oppositionSpread = spread.value_or(kSpreadWithoutSaveFile);
    const LevelNames defaults = DefaultMiscSettings().levelNames;
    for (std::size_t language = 0; language < names.size(); ++language) {
        misc.levelNames[language] = names[language].value_or(defaults[language]);
    }
    return Error::None;
}

Error CheckLevelNames(const GameLevelNames& names) {
    for (const auto& name : names) {
        if (name && ContainsControlCharacter(name->view())) {
            return Error::ControlCharacter;
        }
    }
    return Error::None;
}

Error WriteGameLevelNames(const GameFolder& game, const GameLevelNames& names) {
    if (Error error = CheckLevelNames(names); !Ok(error)) {
        return error;
    }
    for (int language = 0; language < kLanguageCount; ++language) {
        const auto index = static_cast<Language>(language);
        const auto& name = names[static_cast<std::size_t>(language)];
        // Not every installation has all five languages.
        if (!name || !FileExists(game.languageFile(index))) {
            continue;
        }
        if (Error error = WriteLevelName(game, index, name->view()); !Ok(error)) {
            return error;
        }
    }
    return Error::None;
}

Error WriteOppositionSettings(const GameFolder& game, const MiscSettings& misc) {
    const GameLevelNames names = EveryLevelName(misc.levelNames);
    if (Error error = CheckLevelNames(names); !Ok(error)) {
        return error;
    }
    if (Error error = WriteGameSpread(game, misc.oppositionSpread); !Ok(error)) {
        return error;
    }
    return WriteGameLevelNames(game, names);
}

Error ImportMiscSettings(const GameFolder& game, ExeStatus status, MiscSettings& misc) {
    MiscSettings copy = misc;
    if (AllowsExecutable(status)) {
        if (Error error = ReadGamePowerSwitch(game, status, copy); !Ok(error)) {
            return error;
        }
    }
    // Without the executable the save file and the language files are all there is to read.
    if (!Ok(ReadOppositionSettings(game, copy)) && !AllowsExecutable(status)) {
        return Error::ReadFailed;
    }
    if (AllowsExecutable(status)) {
        if (Error error = ReadGamePoints(game, status, copy); !Ok(error)) {
            return error;
        }
    }
    misc = copy;
    return Error::None;
}

Error ExportMiscTables(const GameFolder& game, ExeStatus status, const MiscSettings& misc) {
    if (AllowsExecutable(status)) {
        if (Error error = WriteGamePowerSwitch(game, status, misc); !Ok(error)) {
            return error;
        }
    }
    if (Error error = WriteGameSpread(game, misc.oppositionSpread); !Ok(error)) {
        return error;
    }
    return AllowsExecutable(status) ? WriteGamePoints(game, status, misc) : Error::None;
}

} // namespace tavolex
