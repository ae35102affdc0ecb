#include "editing/NumberFields.h"

#include <algorithm>
#include <cmath>

#include "game/GameFiles.h"
#include "game/TeamTables.h"

namespace tavolex {
namespace {

constexpr int kSheetWidth = 256;
constexpr int kSheetHeight = kLiveryBandRows * kLiveryBands;
constexpr int kMaxX = 256;
constexpr int kMaxY = 128;

std::size_t SideIndex(NumberSide side) { return static_cast<std::size_t>(side); }

// Which value of its view a field holds: 0 x, 1 y, 2 width, 3 height.
int ComponentOf(int field) {
    return IsSourceField(field) ? (field - kFirstSourceField) % 4 : (field - kFirstDestinationField) % 2;
}

// The value a field names, for a team that may be const or not.
template <typename Team> auto& FieldValue(Team& team, int car, int field) {
    const std::size_t side = SideIndex(SideOfField(field));
    auto& rect = team.numberSources[static_cast<std::size_t>(car)][side];
    auto& point = team.numberDestinations[side];
    if (!IsSourceField(field)) {
        return ComponentOf(field) == 0 ? point.x : point.y;
    }
    switch (ComponentOf(field)) {
    case 0: return rect.x;
    case 1: return rect.y;
    case 2: return rect.width;
    default: return rect.height;
    }
}

int Scaled(int value, double scale) { return static_cast<int>(std::lround(value * scale)); }

} // namespace

bool IsNumberField(int field) {
    return (field >= kFirstDestinationField && field <= kLastDestinationField) || IsSourceField(field);
}

bool IsSourceField(int field) { return field >= kFirstSourceField && field <= kLastSourceField; }

NumberSide SideOfField(int field) {
    const int index = IsSourceField(field) ? (field - kFirstSourceField) / 4 : (field - kFirstDestinationField) / 2;
    return static_cast<NumberSide>(std::clamp(index, 0, 2));
}

std::uint16_t NumberFieldValue(const TeamRecord& team, int car, int field) {
    if (!IsNumberField(field) || car < 0 || car >= kDriversPerTeam) {
        return 0;
    }
    return FieldValue(team, car, field);
}

int NumberFieldLimit(int field) {
    const bool horizontal = ComponentOf(field) % 2 == 0; // x and width
    return horizontal ? kMaxX : kMaxY;
}

void StoreNumberField(TeamRecord& team, int car, int field, std::uint64_t typed) {
    if (!IsNumberField(field) || car < 0 || car >= kDriversPerTeam) {
        return;
    }
    const auto limit = static_cast<std::uint64_t>(NumberFieldLimit(field));
    FieldValue(team, car, field) = static_cast<std::uint16_t>(std::min(typed, limit));
}

PixelRect NumberOutline(const PixelRect& area, NumberSide side, int x, int y, int width, int height) {
    const double sx = static_cast<double>(area.right - area.left) / kSheetWidth;
    const double sy = static_cast<double>(area.bottom - area.top) / kSheetHeight;
    const int bandTop = kLiveryBandRows * static_cast<int>(side);
    PixelRect outline{area.left + Scaled(x, sx), area.top + Scaled(bandTop + y, sy) - 1,
                      area.left + Scaled(x + width, sx) + 2, area.top + Scaled(bandTop + y + height, sy) + 1};
    const int bandFirst = area.top + Scaled(bandTop, sy);
    const int bandEnd = area.top + Scaled(bandTop + kLiveryBandRows, sy);
    outline.left = std::clamp(outline.left, area.left, area.right);
    outline.right = std::clamp(outline.right, area.left, area.right);
    outline.top = std::clamp(outline.top, bandFirst, bandEnd);
    outline.bottom = std::clamp(outline.bottom, bandFirst, bandEnd);
    return outline;
}

std::optional<PixelRect> EditedFieldOutline(const TeamRecord& team, int car, int field, bool blink,
                                            const PixelRect& area) {
    if (!IsNumberField(field) || car < 0 || car >= kDriversPerTeam) {
        return std::nullopt;
    }
    const NumberSide side = SideOfField(field);
    const NumberRect& source = team.numberSources[static_cast<std::size_t>(car)][SideIndex(side)];
    if (blink) {
        if (!IsSourceField(field)) {
            return std::nullopt;
        }
        return NumberOutline(area, side, source.x, source.y, source.width, source.height);
    }
    const NumberPoint& destination = team.numberDestinations[SideIndex(side)];
    return NumberOutline(area, side, destination.x, destination.y, source.width, source.height);
}

int BandAt(const PixelRect& area, int y) {
    const int height = area.bottom - area.top;
    if (height <= 0) {
        return 0;
    }
    return std::clamp(kLiveryBands * (y - area.top) / height, 0, kLiveryBands - 1);
}

Error ImportNumberPositions(CarSet& carSet, const GameFolder& game, ExeStatus status, int team) {
    if (team < 0 || team >= kTeamCount) {
        return Error::NoSuchTeam;
    }
    if (status != ExeStatus::Supported) {
        return Error::UnsupportedExecutable;
    }
    std::vector<std::uint8_t> exe;
    TeamRecord read = carSet.teams[static_cast<std::size_t>(team)];
    if (Error error = ReadExecutable(game, exe); !Ok(error)) {
        return error;
    }
    if (!Ok(ReadNumberPositions(exe, team, read))) {
        return Error::TableOutsideFile;
    }
    carSet.teams[static_cast<std::size_t>(team)] = read;
    MarkModified(carSet, "Import number positions");
    return Error::None;
}

namespace {

// Positions go only into the supported executable.
Error PatchPositions(const GameFolder& game, ExeStatus status, const BytePatch& patch) {
    if (status != ExeStatus::Supported) {
        return Error::UnsupportedExecutable;
    }
    return PatchExecutable(game, patch);
}

} // namespace

Error ExportNumberPositions(const GameFolder& game, ExeStatus status, int team, const TeamRecord& record) {
    return PatchPositions(game, status,
                          [&](std::vector<std::uint8_t>& exe) { return WriteNumberPositions(exe, team, record); });
}

Error ExportNumberPositions(const GameFolder& game, ExeStatus status, const CarSet& carSet,
                            std::span<const int> teams) {
    return PatchPositions(game, status, [&](std::vector<std::uint8_t>& exe) {
        for (int team : teams) {
            if (team < 0 || team >= kTeamCount) {
                return Error::NoSuchTeam;
            }
            if (Error error = WriteNumberPositions(exe, team, carSet.teams[static_cast<std::size_t>(team)]);
                !Ok(error)) {
                return error;
            }
        }
        return Error::None;
    });
}

} // namespace tavolex
