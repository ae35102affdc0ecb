// The JSON file of `tavolex-cli game settings --write`: any bytes are refused
// or accepted whole, and what is accepted prints and reads back the same.
#include <cstdint>

#include <nlohmann/json.hpp>

#include "GameSettingsJson.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tavolex::cli;
    const auto json = nlohmann::ordered_json::parse(data, data + size, nullptr, false);
    if (json.is_discarded()) {
        return 0;
    }
    GameSettings settings;
    if (GameSettingsFromJson(json, settings)) {
        return 0; // refused
    }
    nlohmann::ordered_json printed = GameSettingsToJson(settings);
    // Keys the file did not hold print as null; a write file leaves them out.
    for (auto it = printed.begin(); it != printed.end();) {
        it = it->is_null() ? printed.erase(it) : std::next(it);
    }
    GameSettings again;
    if (GameSettingsFromJson(printed, again) || GameSettingsToJson(again) != GameSettingsToJson(settings)) {
        __builtin_trap(); // accepted settings must survive their own printing
    }
    return 0;
}
