#include "document/TeamDataSection.h"

#include <algorithm>

#include "document/CarSetFormat.h"
#include "document/NumberPositions.h"

namespace tavolex {
namespace {

void PutU8(std::vector<std::uint8_t>& out, unsigned v) { out.push_back(static_cast<std::uint8_t>(v)); }

void PutU16(std::vector<std::uint8_t>& out, unsigned v) {
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}

// Two's complement, so the bytes of a negative figure are those the game keeps.
void PutI16(std::vector<std::uint8_t>& out, std::int16_t v) { PutU16(out, static_cast<std::uint16_t>(v)); }

template <std::size_t Size> void PutText(std::vector<std::uint8_t>& out, const FixedText<Size>& text) {
    const std::string_view view = text.view();
    PutU8(out, static_cast<unsigned>(view.size()));
    out.insert(out.end(), view.begin(), view.end());
}

// A text longer than its field makes the file corrupt: cutting it would
// silently change what its author wrote.
template <std::size_t Size> void GetText(SourceCursor& cursor, FixedText<Size>& text) {
    const std::size_t length = cursor.u8();
    if (length > FixedText<Size>::kCapacity) {
        cursor.fail();
        return;
    }
    std::array<std::uint8_t, Size> bytes{};
    cursor.bytes(length, bytes.data());
    text.assign(std::string_view(reinterpret_cast<const char*>(bytes.data()), length));
}

bool HasLivery(const TeamRecord& team) {
    return team.livery[0].source != GraphicSource::None || team.livery[1].source != GraphicSource::None;
}

} // namespace

void WriteTeamDataSection(const CarSet& carSet, std::vector<std::uint8_t>& out) {
    const auto& teams = carSet.teams;
    for (const TeamRecord& team : teams) {
        PutText(out, team.teamName);
        PutText(out, team.engineName);
    }
    for (const TeamRecord& team : teams) {
        PutI16(out, team.qualifyingPower);
        PutI16(out, team.racePower);
    }
    for (const TeamRecord& team : teams) PutI16(out, team.failureProbability);
    for (const TeamRecord& team : teams) PutU8(out, team.tyreType);
    for (const TeamRecord& team : teams) {
        for (const DriverRecord& driver : team.drivers) PutText(out, driver.name);
    }
    for (const TeamRecord& team : teams) {
        for (std::uint16_t number : team.carNumbers) PutU8(out, number);
    }
    for (const TeamRecord& team : teams) {
        for (const DriverRecord& driver : team.drivers) PutU8(out, driver.selected);
    }
    for (const TeamRecord& team : teams) {
        for (const DriverRecord& driver : team.drivers) {
            PutI16(out, driver.qualifyingPerformance);
            PutI16(out, driver.racePerformance);
        }
    }
    for (const TeamRecord& team : teams) {
        for (const DriverRecord& driver : team.drivers) {
            PutI16(out, driver.qualifyingRange);
            PutI16(out, driver.raceRange);
        }
    }
    for (const TeamRecord& team : teams) out.insert(out.end(), team.pitCrewColours.begin(), team.pitCrewColours.end());
    for (const TeamRecord& team : teams) PutU8(out, team.pitBoxPosition);
    for (const TyreRecord& tyre : carSet.tyres) PutText(out, tyre.name);
    // Number positions mean something only with a livery to put them on.
    for (const TeamRecord& team : teams) {
        const bool stored = HasLivery(team);
        PutU8(out, stored ? 1 : 0);
        if (!stored) {
            continue;
        }
        for (const NumberPoint& point : team.numberDestinations) {
            PutU16(out, point.x);
            PutU16(out, point.y);
        }
        for (const auto& car : team.numberSources) {
            for (const NumberRect& rect : car) {
                PutU16(out, rect.x);
                PutU16(out, rect.y);
                PutU16(out, rect.width);
                PutU16(out, rect.height);
            }
        }
    }
    out.insert(out.end(), carSet.misc.points.begin(), carSet.misc.points.end());
    for (const auto& name : carSet.misc.levelNames) PutText(out, name);
    PutU8(out, carSet.misc.oppositionSpread);
    PutU8(out, carSet.misc.playerCarPower);
}

Error ReadTeamDataSection(SourceCursor& in, std::uint16_t version, CarSet& carSet) {
    auto& teams = carSet.teams;
    for (TeamRecord& team : teams) {
        GetText(in, team.teamName);
        GetText(in, team.engineName);
    }
    for (TeamRecord& team : teams) {
        team.qualifyingPower = in.i16();
        team.racePower = in.i16();
    }
    for (TeamRecord& team : teams) team.failureProbability = in.i16();
    for (TeamRecord& team : teams) team.tyreType = in.u8();
    for (TeamRecord& team : teams) {
        for (DriverRecord& driver : team.drivers) GetText(in, driver.name);
    }
    for (TeamRecord& team : teams) {
        for (std::uint16_t& number : team.carNumbers) number = in.u8();
    }
    for (TeamRecord& team : teams) {
        for (DriverRecord& driver : team.drivers) driver.selected = in.u8();
    }
    for (TeamRecord& team : teams) {
        for (DriverRecord& driver : team.drivers) {
            driver.qualifyingPerformance = in.i16();
            driver.racePerformance = in.i16();
        }
    }
    for (TeamRecord& team : teams) {
        for (DriverRecord& driver : team.drivers) {
            driver.qualifyingRange = in.i16();
            driver.raceRange = in.i16();
        }
    }
    for (TeamRecord& team : teams) in.bytes(team.pitCrewColours.size(), team.pitCrewColours.data());
    for (TeamRecord& team : teams) team.pitBoxPosition = in.u8();
    for (TyreRecord& tyre : carSet.tyres) GetText(in, tyre.name);
    // Values that later select a record are kept in range, whatever the file says.
    for (TeamRecord& team : teams) {
        team.tyreType = std::min<std::uint16_t>(team.tyreType, kTyreTypeCount - 1);
    }
    RepairPitBoxPositions(teams);
    if (version < kCarSetVersion110) {
        return in.ok() ? Error::None : Error::StreamTruncated;
    }
    for (TeamRecord& team : teams) {
        if (in.u8() == 0) {
            ClearNumberPositions(team);
            continue;
        }
        for (NumberPoint& point : team.numberDestinations) {
            point.x = in.u16();
            point.y = in.u16();
        }
        for (auto& car : team.numberSources) {
            for (NumberRect& rect : car) {
                rect.x = in.u16();
                rect.y = in.u16();
                rect.width = in.u16();
                rect.height = in.u16();
            }
        }
    }
    in.bytes(carSet.misc.points.size(), carSet.misc.points.data());
    for (auto& name : carSet.misc.levelNames) GetText(in, name);
    carSet.misc.oppositionSpread = std::min<std::uint16_t>(in.u8(), 2);
    carSet.misc.playerCarPower = std::min<std::uint16_t>(in.u8(), 1);
    return in.ok() ? Error::None : Error::StreamTruncated;
}

} // namespace tavolex
