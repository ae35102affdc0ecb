#include "teams/ForeignTeamData.h"

#include <algorithm>
#include <string>
#include <vector>

#include "core/ByteOrder.h"
#include "core/RunningChecksum.h"
#include "document/TeamNameRules.h"
#include "files/AtomicWrite.h"
#include "files/FileHelpers.h"
#include "formats/IniFile.h"
#include "teams/PerformanceFile.h"

namespace tavolex {
namespace {

constexpr int kPowerBase = 32817;
constexpr int kMaxPower = 1579;
constexpr int kMaxFigure = 32767;
constexpr std::size_t kMaxForeignFileSize = 16 * 1024 * 1024;
constexpr std::size_t kGp2BlockSize100 = 2080;
constexpr std::size_t kGp2BlockSize = 2420;
constexpr std::size_t kGp2SecondNames = 2420 + 260 + 260 + 960;

// Figures of the older scale, without the lower clamp: low figures go negative.
std::int16_t UnclampedPerformance(std::uint16_t figure) {
    const int f = figure >= 32768 ? 0 : figure;
    return static_cast<std::int16_t>((f - 15751) * 97 / 100);
}

template <std::size_t Size> void CopyName(const std::uint8_t* block, FixedText<Size>& field) {
    const char* chars = reinterpret_cast<const char*>(block);
    field.assign(std::string_view(chars, std::find(chars, chars + Size, '\0') - chars));
}

// The seat that carries car number n: teams in order, first seat before second.
DriverRecord* SeatOf(CarSet& carSet, int number) {
    for (TeamRecord& team : carSet.teams) {
        for (std::size_t s = 0; s < 2; ++s) {
            if (team.carNumbers[s] == number) {
                return &team.drivers[s];
            }
        }
    }
    return nullptr;
}

struct Gp2Block {
    std::size_t start;
    bool shortLayout;
    bool numberZero;
    bool secondNames;
};

bool FindBlock(std::span<const std::uint8_t> file, int format, Gp2Block& block) {
    auto u32At = [&](std::size_t at, std::size_t& value) {
        if (!FitsIn(file.size(), at, 4))
            return false;
        value = ReadU32(file.data() + at);
        return true;
    };
    switch (format) {
    case 100: block = {650076, true, file.size() > 4 && file[4] == 0, false}; return true;
    case 120:
        block = {file.size() > 5 && file[5] != 0 ? 835068u : 650076u, false, file.size() > 4 && file[4] != 0, false};
        return true;
    case 160: {
        std::size_t at = 0;
        if (!u32At(85, at) || !FitsIn(file.size(), at, 1))
            return false;
        block = {at + 1, false, file[at] != 0, false};
        return true;
    }
    case 170: {
        std::size_t at = 0;
        if (!u32At(85, at) || !FitsIn(file.size(), at + kGp2BlockSize, 1))
            return false;
        block = {at, false, file[at + kGp2BlockSize] != 0, false};
        return true;
    }
    case 180: {
        std::size_t at = 0;
        if (!u32At(85, at) || file.size() < 90)
            return false;
        bool zero = false;
        if (file[89] != 0) {
            std::size_t x = 0;
            if (!u32At(90, x) || !FitsIn(file.size(), x + 316, 2))
                return false;
            zero = ReadU16(file.data() + x + 316) != 0;
        }
        block = {at, false, zero, file.size() > 9 && file[9] >= 4};
        return true;
    }
    default: return false;
    }
}

void ReadDrivers(CarSet& carSet, const std::uint8_t* names, const std::uint8_t* race, const std::uint8_t* qualifying,
                 const std::uint8_t* ranges) {
    for (int n = 1; n <= 40; ++n) {
        DriverRecord* seat = SeatOf(carSet, n);
        if (seat == nullptr) {
            continue; // read and discarded
        }
        const std::size_t i = static_cast<std::size_t>(n - 1);
        CopyName(names + 24 * i, seat->name);
        seat->racePerformance = UnclampedPerformance(ReadU16(race + 2 * i));
        seat->qualifyingPerformance = UnclampedPerformance(ReadU16(qualifying + 2 * i));
        seat->raceRange = seat->qualifyingRange = static_cast<std::int16_t>(ConvertOldRange(ReadU16(ranges + 2 * i)));
    }
}

} // namespace

void ReadPerText(std::string_view text, CarSet& carSet) {
    const IniFile ini = IniFile::Parse(text);
    BackupTeams(carSet);
    auto number = [&](const char* section, int key, int fallback) {
        return ini.intValue(section, std::to_string(key), fallback);
    };
    for (int t = 0; t < kTeamCount; ++t) {
        TeamRecord& team = carSet.teams[static_cast<std::size_t>(t)];
        for (int s = 0; s < 2; ++s) {
            const int d = 2 * t + s;
            DriverRecord& driver = team.drivers[static_cast<std::size_t>(s)];
            driver.name.assign(ini.value("Name", std::to_string(d), "Drivers Name"));
            team.carNumbers[static_cast<std::size_t>(s)] =
                static_cast<std::uint16_t>(std::clamp(number("NBR", d, d), 0, 99));
            driver.qualifyingPerformance = static_cast<std::int16_t>(std::clamp(number("QP", d, 16100), 0, kMaxFigure));
            driver.racePerformance = static_cast<std::int16_t>(std::clamp(number("RP", d, 16000), 0, kMaxFigure));
            driver.qualifyingRange = static_cast<std::int16_t>(number("QA", d, 128));
            driver.raceRange = static_cast<std::int16_t>(number("RA", d, 192));
        }
    }
    for (int t = 0; t < kTeamCount; ++t) {
        TeamRecord& team = carSet.teams[static_cast<std::size_t>(t)];
        team.teamName.assign(ini.value("TNAME", std::to_string(t), "Team Name"));
        team.engineName.assign(ini.value("TENG", std::to_string(t), "Engine"));
        team.qualifyingPower =
            static_cast<std::int16_t>(std::clamp(number("TQP", t, 33587) - kPowerBase, 0, kMaxPower));
        team.racePower = static_cast<std::int16_t>(std::clamp(number("TRP", t, 33577) - kPowerBase, 0, kMaxPower));
        team.failureProbability = static_cast<std::int16_t>(std::clamp(number("TFAIL", t, 4000), 0, kMaxFigure));
    }
}

Error ReadPerFile(const std::filesystem::path& path, CarSet& carSet) {
    std::vector<std::uint8_t> bytes;
    // A missing file reads as an empty one: every key takes its default.
    if (FileExists(path) && !Ok(ReadWholeFile(path, kMaxForeignFileSize, bytes))) {
        return Error::ReadFailed;
    }
    ReadPerText(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()), carSet);
    return KeepTeamsIfNamesAllowed(carSet);
}

int Gp2Format(std::span<const std::uint8_t> file) {
    const std::size_t length = std::min<std::size_t>(7, file.size());
    const char* chars = reinterpret_cast<const char*>(file.data());
    const std::string_view id(chars, std::find(chars, chars + length, '\0') - chars);
    if (EqualsIgnoreCase(id, "QUENSET")) {
        const int format = file.size() >= 9 ? ReadU16(file.data() + 7) : 0;
        return format == 160 || format == 170 || format == 180 ? format : 0;
    }
    if (id == "120")
        return 120;
    if (EqualsIgnoreCase(id, "set"))
        return 100;
    return 0;
}

Error ReadGp2CarSet(std::span<const std::uint8_t> file, CarSet& carSet) {
    const int format = Gp2Format(file);
    if (format == 0) {
        return Error::NotAGp2CarSet;
    }
    if (file.size() < 4) {
        return Error::ChecksumMismatch; // no room for the checksums
    }
    RunningChecksum checksum;
    checksum.add(file.first(file.size() - 4));
    if (ReadU16(file.data() + file.size() - 4) != checksum.sum ||
        ReadU16(file.data() + file.size() - 2) != checksum.rot) {
        return Error::ChecksumMismatch;
    }
    Gp2Block block{};
    const std::size_t needed = format == 100 ? kGp2BlockSize100 : kGp2BlockSize;
    if (!FindBlock(file, format, block) || !FitsIn(file.size(), block.start, needed)) {
        return Error::UnknownGp2Layout;
    }
    BackupTeams(carSet);
    const std::uint8_t* b = file.data() + block.start;
    for (std::size_t t = 0; t < kTeamCount; ++t) {
        TeamRecord& team = carSet.teams[t];
        CopyName(b + 13 * t, team.teamName);
        CopyName(b + 260 + 13 * t, team.engineName);
        team.racePower = static_cast<std::int16_t>(ReadU16(b + 520 + 2 * t));
        team.qualifyingPower = static_cast<std::int16_t>(ReadU16(b + 560 + 2 * t));
        team.failureProbability =
            static_cast<std::int16_t>(std::min<std::uint16_t>(ReadU16(b + 600 + 2 * t), kMaxFigure));
        if (block.shortLayout) {
            team.carNumbers = {ReadU16(b + 800 + 2 * t), ReadU16(b + 840 + 2 * t)};
        } else {
            team.carNumbers = {b[1060 + t], b[1080 + t]};
            team.drivers[0].selected = b[1140 + t];
            team.drivers[1].selected = b[1160 + t];
        }
    }
    // Driver slots go to the seats by car number, so the numbers come first.
    if (block.shortLayout) {
        ReadDrivers(carSet, b + 880, b + 1840, b + 1920, b + 2000);
    } else {
        ReadDrivers(carSet, b + 1180, b + 2140, b + 2220, b + 2300);
    }
    if (block.secondNames && FitsIn(file.size(), block.start, kGp2SecondNames)) {
        for (std::size_t t = 0; t < kTeamCount; ++t) {
            CopyName(b + 2420 + 13 * t, carSet.teams[t].teamName);
            CopyName(b + 2680 + 13 * t, carSet.teams[t].engineName);
        }
        for (int n = 1; n <= 40; ++n) {
            if (DriverRecord* seat = SeatOf(carSet, n)) {
                CopyName(b + 2940 + 24 * static_cast<std::size_t>(n - 1), seat->name);
            }
        }
    }
    if (block.numberZero) {
        for (TeamRecord& team : carSet.teams) {
            for (std::uint16_t& number : team.carNumbers) {
                number = number == 1 ? 0 : number;
            }
        }
    }
    return KeepTeamsIfNamesAllowed(carSet);
}

Error ReadGp2CarSet(const std::filesystem::path& path, CarSet& carSet) {
    std::vector<std::uint8_t> bytes;
    if (Error error = ReadWholeFile(path, kMaxForeignFileSize, bytes); !Ok(error)) {
        return error;
    }
    return ReadGp2CarSet(bytes, carSet);
}

} // namespace tavolex
