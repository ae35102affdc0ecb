#include "document/MiscSettingsDefaults.h"

#include <string>

namespace tavolex {
namespace {

// The "%s" of each pattern is where the filler goes.
constexpr std::array<std::string_view, kLanguageCount> kLevelNamePatterns = {
    "%s Levels", "Niveaux %s", "Livelli del %s", "Leistungsstufen von %s", "Niveles de %s"};
constexpr std::string_view kProgramName = "Tavolex";

std::string Fill(std::string_view pattern, std::string_view filler) {
    std::string text(pattern);
    text.replace(text.find("%s"), 2, filler);
    return text;
}

} // namespace

PointsTable PresetPoints(PointsPreset preset) {
    PointsTable points{};
    auto fill = [&](std::initializer_list<std::uint8_t> values) {
        std::copy(values.begin(), values.end(), points.begin());
    };
    switch (preset) {
    case PointsPreset::F1: fill({10, 6, 4, 3, 2, 1}); break;
    case PointsPreset::Cart: fill({20, 16, 14, 12, 10, 8, 6, 5, 4, 3, 2, 1}); break;
    case PointsPreset::All:
        for (std::size_t p = 0; p < points.size(); ++p) points[p] = static_cast<std::uint8_t>(kPointsPositions - p);
        break;
    }
    return points;
}

std::uint8_t LimitPoints(long value) {
    return static_cast<std::uint8_t>(value < 0 ? 0 : value > kMaxPoints ? kMaxPoints : value);
}

LevelNames LevelNamesFilledWith(std::string_view filler) {
    LevelNames names;
    for (std::size_t language = 0; language < names.size(); ++language) {
        names[language] = Fill(kLevelNamePatterns[language], filler);
    }
    return names;
}

std::string EnglishLevelName(std::string_view filler) { return Fill(kLevelNamePatterns[0], filler); }

MiscSettings DefaultMiscSettings() {
    MiscSettings misc;
    misc.points = PresetPoints(PointsPreset::F1);
    misc.oppositionSpread = 1;
    misc.levelNames = LevelNamesFilledWith(kProgramName);
    misc.playerCarPower = 1;
    return misc;
}

} // namespace tavolex
