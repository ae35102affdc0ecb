#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "core/Texts.h"
#include "core/Variant.h"
#include "document/CarSet.h"
#include "document/GraphicKind.h"

// What an import from or an export to the game takes: one box per share of
// the car set, named by a fixed identifier that the dialog, the workers and
// the command line's --items all use.

namespace tavolex {

namespace item {
// Graphics; a team's item is the first identifier plus the team (0-10),
// a tyre set's the first plus the set (0-1).
constexpr int kCarSoftware = 100;
constexpr int kCarHardware = 200;
constexpr int kHelmetsSoftware = 111;
constexpr int kHelmetsHardware = 211;
constexpr int kTyreSoftware = 112;
constexpr int kTyreHardware = 212;
constexpr int kTread = 312;
constexpr int kCockpitSoftware = 300;
constexpr int kCockpitHardware = 350;
constexpr int kPitCrewSoftware = 370;
constexpr int kPitCrewHardware = 320;
constexpr int kPitBoxesSoftware = 114;
constexpr int kPitBoxesHardware = 214;
constexpr int kArtwork = 250;
// Team and driver data, and the game settings.
constexpr int kTeamEngineNames = 800;
constexpr int kCarPerformance = 801;
constexpr int kCarNumbers = 802;
constexpr int kDriverNames = 803;
constexpr int kDriverPerformance = 804;
constexpr int kSelectedDrivers = 805;
constexpr int kCarTyreTypes = 806;
constexpr int kPitCrewColours = 807;
constexpr int kPitBoxPositions = 808;
constexpr int kCarNumberPositions = 809;
constexpr int kMiscSettings = 810;
constexpr int kFirstData = kTeamEngineNames;
constexpr int kLastData = kMiscSettings;
} // namespace item

constexpr int kSelectionItems = 1024;

// One byte per identifier; 1 = selected.
struct SelectionRecord {
    std::array<std::uint8_t, kSelectionItems> selected{};

    bool has(int id) const { return id >= 0 && id < kSelectionItems && selected[static_cast<std::size_t>(id)] != 0; }
    void set(int id, bool on) {
        if (id >= 0 && id < kSelectionItems) {
            selected[static_cast<std::size_t>(id)] = on ? 1 : 0;
        }
    }
    friend bool operator==(const SelectionRecord&, const SelectionRecord&) = default;
};

// A run of graphics items of one kind and variant, in the order the export
// writes them: the identifiers first..first+count-1 are the slots 0..count-1.
struct GraphicItemRun {
    int first;
    int count;
    GraphicKind kind;
    Variant variant;
    TextId progressText; // what "Exporting %s." names
};
std::span<const GraphicItemRun> GraphicItemRuns();

struct GraphicItem {
    GraphicKind kind;
    int slot;
    Variant variant;
};
// The graphic an identifier stands for; nothing for data items and unknown ones.
std::optional<GraphicItem> GraphicItemOf(int id);
[[nodiscard]] bool IsDataItem(int id);
[[nodiscard]] bool IsKnownItem(int id);
// Whether any item whose data lives in GP3.EXE is selected: the team and
// driver data, the number positions and the game settings (800-810).
[[nodiscard]] bool SelectsExecutableItems(const SelectionRecord& selection);
// Every identifier, graphics first.
std::vector<int> AllItems();

// The team-data mask of the selected items 800-808.
std::uint32_t TeamDataMask(const SelectionRecord& selection);

// Whether "Car Number Positions" takes in `team`: its software car is
// selected and has a picture, or else its hardware car.
[[nodiscard]] bool CarSelectedWithPicture(const CarSet& carSet, const SelectionRecord& selection, int team);

// A list of identifiers and ranges, "100-110,800-808", as a selection. Every
// number must be an item's identifier; otherwise `problem` says which is not.
std::optional<SelectionRecord> ParseItemList(std::string_view list, std::string& problem);

// The label of a data item: "Team/Engine Names", ...
std::string_view DataItemLabel(int id);

} // namespace tavolex
