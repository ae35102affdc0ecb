#include "GameSettingsJson.h"

#include <algorithm>

#include "core/TextEncoding.h"

namespace tavolex::cli {
namespace {
using Json = nlohmann::ordered_json;

template <typename T> Json OrNull(const std::optional<T>& value) { return value ? Json(*value) : Json(nullptr); }

// A whole number from low to high.
std::optional<int> Number(const Json& value, int low, int high) {
    if (value.is_number_unsigned()) {
        const auto number = value.get<std::uint64_t>();
        return number <= static_cast<std::uint64_t>(std::max(high, 0)) && static_cast<std::int64_t>(number) >= low
                   ? std::optional<int>(static_cast<int>(number))
                   : std::nullopt;
    }
    if (!value.is_number_integer()) {
        return std::nullopt;
    }
    const auto number = value.get<std::int64_t>();
    if (number < low || number > high) {
        return std::nullopt;
    }
    return static_cast<int>(number);
}

// `count` whole numbers, each within the limits `range(i)` gives.
template <typename Array, typename Range> std::optional<Array> Numbers(const Json& value, Range range) {
    Array numbers{};
    if (!value.is_array() || value.size() != numbers.size()) {
        return std::nullopt;
    }
    for (std::size_t i = 0; i < numbers.size(); ++i) {
        const auto [low, high] = range(static_cast<int>(i));
        const auto number = Number(value[i], low, high);
        if (!number) {
            return std::nullopt;
        }
        numbers[i] = static_cast<typename Array::value_type>(*number);
    }
    return numbers;
}

std::optional<CameraRecord> Cameras(const Json& value) {
    CameraRecord cameras{};
    if (!value.is_array() || value.size() != cameras.size()) {
        return std::nullopt;
    }
    for (std::size_t c = 0; c < cameras.size(); ++c) {
        const auto camera = Numbers<CameraValues>(value[c], [](int v) {
            return std::pair{CameraValueLow(v), CameraValueHigh(v)};
        });
        if (!camera) {
            return std::nullopt;
        }
        cameras[c] = *camera;
    }
    return cameras;
}

std::optional<GameLevelNames> Names(const Json& value) {
    GameLevelNames names;
    if (!value.is_array() || value.size() != names.size()) {
        return std::nullopt;
    }
    for (std::size_t l = 0; l < names.size(); ++l) {
        if (value[l].is_null()) {
            continue;
        }
        if (!value[l].is_string()) {
            return std::nullopt;
        }
        const auto text = Utf8ToWindows1252(value[l].get<std::string>());
        if (!text || text->size() > FixedText<32>::kCapacity || ContainsControlCharacter(*text)) {
            return std::nullopt;
        }
        names[l] = FixedText<32>(*text);
    }
    return names;
}

} // namespace

Json GameSettingsToJson(const GameSettings& settings) {
    Json names = nullptr;
    if (settings.levelNames) {
        names = Json::array();
        for (const auto& name : *settings.levelNames) {
            names.push_back(name ? Json(Windows1252ToUtf8(name->view())) : Json(nullptr));
        }
    }
    return {{"damage", OrNull(settings.damage)},
            {"driver_aids", OrNull(settings.driverAids)},
            {"cameras", OrNull(settings.cameras)},
            {"points", OrNull(settings.points)},
            {"player_car_power", OrNull(settings.playerCarPower)},
            {"opposition_spread", OrNull(settings.oppositionSpread)},
            {"level_names", names}};
}

std::optional<std::string> GameSettingsFromJson(const Json& json, GameSettings& settings) {
    if (!json.is_object()) {
        return "the file must hold one JSON object";
    }
    GameSettings read;
    for (const auto& [key, value] : json.items()) {
        bool good = false;
        if (key == "damage") {
            read.damage = Numbers<DamageRecord>(value, [](int i) { return std::pair{0, int{DamageLimit(i)}}; });
            good = read.damage.has_value();
        } else if (key == "driver_aids") {
            read.driverAids = Numbers<DriverAidMasks>(value, [](int) { return std::pair{0, int{kAllDriverAids}}; });
            good = read.driverAids.has_value() &&
                   std::all_of(read.driverAids->begin(), read.driverAids->end(), IsDriverAidMask);
        } else if (key == "cameras") {
            read.cameras = Cameras(value);
            good = read.cameras.has_value();
        } else if (key == "points") {
            read.points = Numbers<PointsTable>(value, [](int) { return std::pair{0, int{kMaxPoints}}; });
            good = read.points.has_value();
        } else if (key == "player_car_power") {
            if (const auto power = Number(value, 0, 1))
                read.playerCarPower = static_cast<std::uint16_t>(*power);
            good = read.playerCarPower.has_value();
        } else if (key == "opposition_spread") {
            if (const auto spread = Number(value, 0, 2))
                read.oppositionSpread = static_cast<std::uint16_t>(*spread);
            good = read.oppositionSpread.has_value();
        } else if (key == "level_names") {
            read.levelNames = Names(value);
            good = read.levelNames.has_value();
        } else {
            return "\"" + key + "\" is not a setting of the game";
        }
        if (!good) {
            static const std::pair<const char*, const char*> kExpected[] = {
                {"damage", "26 whole numbers: parts 0-65535, damage 0-32767, bounce 0-255"},
                {"driver_aids", "5 masks of the aid bits 1, 2, 4, 8, 16, 32, 256 and 512"},
                {"cameras", "9 lists of 10 whole numbers: angles -180 to 180, the others -32768 to 32767"},
                {"points", "22 whole numbers from 0 to 127"},
                {"player_car_power", "0 (fixed) or 1 (team dependant)"},
                {"opposition_spread", "0, 1 or 2"},
                {"level_names", "5 texts (or null) of at most 31 Windows-1252 characters, no control characters"}};
            for (const auto& [name, expected] : kExpected) {
                if (key == name)
                    return "\"" + key + "\" must be " + expected;
            }
        }
    }
    settings = read;
    return std::nullopt;
}

} // namespace tavolex::cli
