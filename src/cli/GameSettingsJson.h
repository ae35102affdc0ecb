#pragma once

#include <optional>
#include <string>

#include <nlohmann/json.hpp>

#include "document/MiscSettingsDefaults.h"
#include "gamesettings/CarDamage.h"
#include "gamesettings/DriverAids.h"
#include "gamesettings/MiscSettingsExchange.h"
#include "gamesettings/OnboardCameras.h"

// The JSON shape of the game's settings for `game settings`: each key may be
// missing (a partial write) or, on output, null (the game does not hold it:
// the executable could not be read, the save file is not intact). A level
// name is null where its language file could not be read; on input a null
// name leaves that file as it is.

namespace tavolex::cli {

struct GameSettings {
    std::optional<DamageRecord> damage;
    std::optional<DriverAidMasks> driverAids;
    std::optional<CameraRecord> cameras;
    std::optional<PointsTable> points;
    std::optional<std::uint16_t> playerCarPower;
    std::optional<std::uint16_t> oppositionSpread;
    std::optional<GameLevelNames> levelNames; // Windows-1252

    bool touchesExecutable() const { return damage || driverAids || cameras || points || playerCarPower; }
};

nlohmann::ordered_json GameSettingsToJson(const GameSettings& settings);

// Every key checked before anything is taken: on a bad one, its message
// (naming the key) and `settings` untouched.
std::optional<std::string> GameSettingsFromJson(const nlohmann::ordered_json& json, GameSettings& settings);

} // namespace tavolex::cli
