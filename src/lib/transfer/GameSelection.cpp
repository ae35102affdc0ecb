#include "transfer/GameSelection.h"

#include <array>
#include <charconv>

#include "document/LazyGraphics.h"

namespace tavolex {
namespace {

using enum GraphicKind;
constexpr Variant kS = Variant::Software;
constexpr Variant kH = Variant::Hardware;

const std::array<GraphicItemRun, 14> kRuns = {{
    {item::kCarSoftware, kTeamCount, CarLivery, kS, TextId::KindSoftwareCars},
    {item::kCarHardware, kTeamCount, CarLivery, kH, TextId::KindHardwareCars},
    {item::kHelmetsSoftware, 1, Helmets, kS, TextId::KindSoftwareHelmets},
    {item::kHelmetsHardware, 1, Helmets, kH, TextId::KindHardwareHelmets},
    {item::kTyreSoftware, kTyreTypeCount, Tyre, kS, TextId::KindTyres},
    {item::kTyreHardware, kTyreTypeCount, Tyre, kH, TextId::KindHardwareTyres},
    {item::kTread, kTyreTypeCount, Tread, kH, TextId::KindHardwareTreads},
    {item::kCockpitSoftware, kTeamCount, Cockpit, kS, TextId::KindSoftwareCockpits},
    {item::kCockpitHardware, kTeamCount, Cockpit, kH, TextId::KindHardwareCockpits},
    {item::kPitCrewSoftware, kTeamCount, PitCrew, kS, TextId::KindSoftwarePitCrew},
    {item::kPitCrewHardware, kTeamCount, PitCrew, kH, TextId::KindHardwarePitCrew},
    {item::kPitBoxesSoftware, 1, PitBoxes, kS, TextId::KindSoftwarePitBoxes},
    {item::kPitBoxesHardware, 1, PitBoxes, kH, TextId::KindHardwarePitBoxes},
    {item::kArtwork, kTeamCount, MenuArtwork, kH, TextId::KindMenuArt},
}};

struct DataItem {
    int id;
    std::string_view label;
    std::uint32_t mask;
};

const std::array<DataItem, 11> kDataItems = {{
    {item::kTeamEngineNames, "Team/Engine Names", 0x0002 | 0x0004},
    {item::kCarPerformance, "Car Performance", 0x0020 | 0x0200},
    {item::kCarNumbers, "Car Numbers", 0x0008},
    {item::kDriverNames, "Driver Names", 0x0001},
    {item::kDriverPerformance, "Driver Performance", 0x0080 | 0x0100},
    {item::kSelectedDrivers, "Selected Drivers", 0x0010},
    {item::kCarTyreTypes, "Car Tyre Types", 0x0400},
    {item::kPitCrewColours, "Pit Crew Colours", 0x0800},
    {item::kPitBoxPositions, "Pit Box Positions", 0x1000},
    {item::kCarNumberPositions, "Car Number Positions", 0},
    {item::kMiscSettings, "Miscellaneous Settings", 0},
}};

} // namespace

std::span<const GraphicItemRun> GraphicItemRuns() { return kRuns; }

std::optional<GraphicItem> GraphicItemOf(int id) {
    for (const GraphicItemRun& run : kRuns) {
        if (id >= run.first && id < run.first + run.count) {
            return GraphicItem{run.kind, id - run.first, run.variant};
        }
    }
    return std::nullopt;
}

bool IsDataItem(int id) { return id >= item::kFirstData && id <= item::kLastData; }

bool SelectsExecutableItems(const SelectionRecord& selection) {
    for (int id = item::kFirstData; id <= item::kLastData; ++id) {
        if (selection.has(id)) {
            return true;
        }
    }
    return false;
}

bool IsKnownItem(int id) { return IsDataItem(id) || GraphicItemOf(id).has_value(); }

std::vector<int> AllItems() {
    std::vector<int> ids;
    for (const GraphicItemRun& run : kRuns) {
        for (int k = 0; k < run.count; ++k) {
            ids.push_back(run.first + k);
        }
    }
    for (const DataItem& data : kDataItems) {
        ids.push_back(data.id);
    }
    return ids;
}

std::uint32_t TeamDataMask(const SelectionRecord& selection) {
    std::uint32_t mask = 0;
    for (const DataItem& data : kDataItems) {
        if (selection.has(data.id)) {
            mask |= data.mask;
        }
    }
    return mask;
}

bool CarSelectedWithPicture(const CarSet& carSet, const SelectionRecord& selection, int team) {
    const auto selectedWithPicture = [&](int first, Variant variant) {
        return selection.has(first + team) &&
               SourceOf(carSet, GraphicKind::CarLivery, team, variant) != GraphicSource::None;
    };
    return selectedWithPicture(item::kCarSoftware, Variant::Software) ||
           selectedWithPicture(item::kCarHardware, Variant::Hardware);
}

namespace {

std::optional<int> ParseIdentifier(std::string_view text) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

} // namespace

std::optional<SelectionRecord> ParseItemList(std::string_view list, std::string& problem) {
    SelectionRecord record;
    while (true) {
        const std::size_t comma = list.find(',');
        const std::string_view entry = list.substr(0, comma);
        const std::size_t dash = entry.find('-');
        const auto first = ParseIdentifier(entry.substr(0, dash));
        const auto last = dash == std::string_view::npos ? first : ParseIdentifier(entry.substr(dash + 1));
        if (!first || !last || *last < *first) {
            problem = "\"" + std::string(entry) + "\" is not an item number or a range of them";
            return std::nullopt;
        }
        for (int id = *first; id <= *last; ++id) {
            if (!IsKnownItem(id)) {
                problem = std::to_string(id) + " is not an item number";
                return std::nullopt;
            }
            record.set(id, true);
        }
        if (comma == std::string_view::npos) {
            return record;
        }
        list.remove_prefix(comma + 1);
    }
}

std::string_view DataItemLabel(int id) {
    for (const DataItem& data : kDataItems) {
        if (data.id == id) {
            return data.label;
        }
    }
    return {};
}

} // namespace tavolex
