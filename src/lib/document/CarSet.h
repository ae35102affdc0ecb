#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "document/FixedText.h"
#include "document/GraphicSource.h"
#include "formats/PackedBitmap.h"

// The car set: everything that makes up the look and the line-up of the
// field. Graphics are held lazily, as a source and a path per slot; only the
// two helmet pictures are kept in memory.

namespace tavolex {

constexpr int kTeamCount = 11;
constexpr int kDriversPerTeam = 2;
constexpr int kTyreTypeCount = 2;
constexpr int kLanguageCount = 5;
constexpr int kPointsPositions = 22;
constexpr std::size_t kInformationCapacity = 20000;
constexpr std::size_t kScratchSize = 1024000;
constexpr int kHelmetWidth = 256;
constexpr int kHelmetHeight = 330;

struct DriverRecord {
    FixedText<24> name;
    // The game keeps performance figures as signed 16-bit numbers: a GP2 import
    // can bring negative ones, which must stay negative everywhere.
    std::int16_t qualifyingPerformance = 0;
    std::int16_t racePerformance = 0;
    std::int16_t qualifyingRange = 0;
    std::int16_t raceRange = 0;
    std::uint16_t selected = 0;

    friend bool operator==(const DriverRecord&, const DriverRecord&) = default;
};

struct NumberPoint {
    std::uint16_t x = 0;
    std::uint16_t y = 0;
    friend bool operator==(const NumberPoint&, const NumberPoint&) = default;
};

struct NumberRect {
    std::uint16_t x = 0;
    std::uint16_t y = 0;
    std::uint16_t width = 0;
    std::uint16_t height = 0;
    friend bool operator==(const NumberRect&, const NumberRect&) = default;
};

// Which side of the car a number position belongs to.
enum class NumberSide { Left = 0, Front = 1, Right = 2 };

struct TeamRecord {
    FixedText<13> teamName;
    FixedText<13> engineName;
    std::int16_t qualifyingPower = 0; // signed 16-bit, like the driver figures
    std::int16_t racePower = 0;
    std::int16_t failureProbability = 0;
    std::array<std::uint16_t, kDriversPerTeam> carNumbers{};
    std::array<DriverRecord, kDriversPerTeam> drivers{};
    std::array<NumberPoint, 3> numberDestinations{};                        // left, front, right
    std::array<std::array<NumberRect, 3>, kDriversPerTeam> numberSources{}; // per car
    std::array<GraphicSlot, 2> livery;                                      // software, hardware
    std::array<GraphicSlot, 2> cockpit;
    std::array<GraphicSlot, 2> pitCrew;
    std::array<std::uint8_t, 16> pitCrewColours{};
    std::uint16_t pitBoxPosition = 0;
    GraphicSlot artwork;
    std::uint16_t tyreType = 0;

    friend bool operator==(const TeamRecord&, const TeamRecord&) = default;
};

struct TyreRecord {
    FixedText<32> name;
    std::array<GraphicSlot, 2> tyre; // software, hardware
    GraphicSlot tread;               // hardware only

    friend bool operator==(const TyreRecord&, const TyreRecord&) = default;
};

struct PitBoxRecord {
    GraphicSlot slot;
    friend bool operator==(const PitBoxRecord&, const PitBoxRecord&) = default;
};

struct MiscSettings {
    std::array<std::uint8_t, kPointsPositions> points{};
    std::uint16_t oppositionSpread = 1;                   // 0, 1 or 2
    std::array<FixedText<32>, kLanguageCount> levelNames; // English, French, Italian, German, Spanish
    std::uint16_t playerCarPower = 1;                     // 1 team dependent, 0 fixed

    friend bool operator==(const MiscSettings&, const MiscSettings&) = default;
};

struct CarSet {
    std::array<TeamRecord, kTeamCount> teams;
    // A rollback copy taken before many team records are overwritten from outside.
    std::array<TeamRecord, kTeamCount> backupTeams;
    std::array<std::uint32_t, 2> helmetFlags{}; // software, hardware picture present
    std::array<PackedBitmap, 2> helmetImages;
    std::array<TyreRecord, kTyreTypeCount> tyres;
    std::array<PitBoxRecord, 2> pitBoxes; // software, hardware
    MiscSettings misc;
    std::string information; // at most kInformationCapacity characters
    std::uint16_t hasInformation = 0;
    // 0 while untitled; else 100 or 110, the version of the file it came from or went to.
    std::uint32_t formatVersion = 0;
    bool modified = false;
    std::string path;
    // Opened from the recovery file: its pictures are read from `path`, but it
    // has no file of the user's yet, so it counts as untitled.
    bool recovered = false;
    // Working memory in which pages build and convert pictures.
    std::vector<std::uint8_t> scratch;
    // Called by MarkModified with what changed, so the window title and the
    // undo history can follow.
    std::function<void(std::string_view change)> onModified;

    bool untitled() const { return formatVersion == 0 || path.empty() || recovered; }
};

// Resets every member to the defaults of a new car set.
void NewCarSet(CarSet& carSet);

// Records an unsaved change and tells whoever watches; `change` names it for
// the undo history ("Load livery", "Engine name").
void MarkModified(CarSet& carSet, std::string_view change = "Change");

// The team table's rollback copy: taken before an outside source overwrites
// many records, restored when that fails part-way.
void BackupTeams(CarSet& carSet);
void RestoreTeams(CarSet& carSet);

// Pit box positions that are not each of 0-10 once (two teams in one box)
// become the default order, as the game's own reader takes such a table: a
// repeated box would lose a team from the pit lane and a sign from the picture.
void RepairPitBoxPositions(std::array<TeamRecord, kTeamCount>& teams);

// The car numbers of a new car set: two per team in slot order, never 13.
std::array<std::uint16_t, kTeamCount * kDriversPerTeam> DefaultCarNumbers();

} // namespace tavolex
