#include "teams/PerformanceFile.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "document/TeamNameRules.h"
#include "files/AtomicWrite.h"
#include "formats/IniFile.h"

namespace tavolex {
namespace {

constexpr int kMaxFilePower = 1579;
constexpr int kMaxFailure = 32767;
constexpr int kMaxCarNumber = 99;
constexpr std::size_t kMaxValueLength = 259;
constexpr std::size_t kMaxFileSize = 1024 * 1024;
constexpr const char* kEmptyName = "??";
constexpr const char* kDriverKeys[2] = {"First Driver", "Second Driver"};

std::string Section(int team) {
    char name[16];
    std::snprintf(name, sizeof name, "Team #%.2d", team);
    return name;
}

std::string NameOrMark(std::string_view name) { return name.empty() ? kEmptyName : std::string(name); }

// Tokens between commas; runs of commas count as one.
std::vector<std::string> Tokens(const std::string& value) {
    std::vector<std::string> tokens;
    std::size_t start = 0;
    while (start <= value.size()) {
        const std::size_t end = std::min(value.find(',', start), value.size());
        if (end > start) {
            tokens.push_back(value.substr(start, end - start));
        }
        start = end + 1;
    }
    return tokens;
}

// Leading blanks, a sign, digits up to the first other character; no digits gives 0.
long Number(const std::string& token) {
    std::size_t at = token.find_first_not_of(" \t");
    if (at == std::string::npos) {
        return 0;
    }
    bool negative = false;
    if (token[at] == '+' || token[at] == '-') {
        negative = token[at] == '-';
        ++at;
    }
    long value = 0;
    for (; at < token.size() && token[at] >= '0' && token[at] <= '9'; ++at) {
        value = std::min(value * 10 + (token[at] - '0'), 1000000000L);
    }
    return negative ? -value : value;
}

template <typename Field> Field Clamped(long value, long low, long high) {
    return static_cast<Field>(std::clamp(value, low, high));
}

// Stored in 16 bits as the game keeps them: a figure beyond them wraps.
std::int16_t Figure(long value) { return static_cast<std::int16_t>(value); }

// A name token shorter than the field replaces the name; "??" empties it.
template <std::size_t Size> void ReadName(const std::string& token, FixedText<Size>& field) {
    if (token == kEmptyName) {
        field.assign("");
    } else if (token.size() <= FixedText<Size>::kCapacity) {
        field.assign(token);
    }
}

// The value of a key, or nothing when missing or "!".
std::optional<std::string> Value(const IniFile& ini, const std::string& section, const char* key) {
    auto value = ini.value(section, key);
    if (!value || *value == "!") {
        return std::nullopt;
    }
    if (value->size() > kMaxValueLength) {
        value->resize(kMaxValueLength);
    }
    return value;
}

bool ReadTeam(const IniFile& ini, int t, bool oldLayout, TeamRecord& team) {
    const std::string section = Section(t);
    const auto name = Value(ini, section, "Name");
    const auto names = name ? Tokens(*name) : std::vector<std::string>{};
    if (names.size() < 2) {
        return false;
    }
    ReadName(names[0], team.teamName);
    ReadName(names[1], team.engineName);
    const auto performance = Value(ini, section, "Performance");
    const auto figures = performance ? Tokens(*performance) : std::vector<std::string>{};
    if (figures.size() < 3) {
        return false;
    }
    team.racePower = Clamped<std::int16_t>(Number(figures[0]), 0, kMaxFilePower);
    team.qualifyingPower = Clamped<std::int16_t>(Number(figures[1]), 0, kMaxFilePower);
    team.failureProbability = Clamped<std::int16_t>(Number(figures[2]), 0, kMaxFailure);
    for (std::size_t d = 0; d < 2; ++d) {
        const auto value = Value(ini, section, kDriverKeys[d]);
        const auto tokens = value ? Tokens(*value) : std::vector<std::string>{};
        if (tokens.size() < (oldLayout ? 5u : 6u)) {
            return false;
        }
        DriverRecord& driver = team.drivers[d];
        team.carNumbers[d] = Clamped<std::uint16_t>(Number(tokens[0]), 0, kMaxCarNumber);
        ReadName(tokens[1], driver.name);
        if (oldLayout) {
            driver.racePerformance = Figure(ConvertOldPerformance(static_cast<int>(Number(tokens[2]))));
            driver.qualifyingPerformance = Figure(ConvertOldPerformance(static_cast<int>(Number(tokens[3]))));
            driver.raceRange = driver.qualifyingRange = Figure(ConvertOldRange(static_cast<int>(Number(tokens[4]))));
        } else {
            // Performance has no upper limit in the file; ranges are taken as they are, sign included.
            driver.racePerformance = Figure(std::max(0L, Number(tokens[2])));
            driver.raceRange = Figure(Number(tokens[3]));
            driver.qualifyingPerformance = Figure(std::max(0L, Number(tokens[4])));
            driver.qualifyingRange = Figure(Number(tokens[5]));
        }
    }
    return true;
}

} // namespace

int ConvertOldPerformance(int figure) { return (std::clamp(figure, 15751, 32767) - 15751) * 97 / 100; }

int ConvertOldRange(int figure) {
    const int range = std::clamp(figure, 0, 32767) * 2000 / 32767 + 128;
    return range % 2 != 0 ? range - 1 : range;
}

std::string PerformanceFileText(const CarSet& carSet) {
    // The skeleton first, then every key at the end of its section, as an INI writer places them.
    std::string skeleton = "** Tavolex - Performance File **\r\n\r\n";
    for (int t = 0; t < kTeamCount; ++t) {
        skeleton += "[" + Section(t) + "]\r\n\r\n";
    }
    skeleton += "[File]\r\n";
    IniFile ini = IniFile::Parse(skeleton);
    ini.setValue("File", "Version", std::to_string(kPerformanceFileVersion));
    for (int t = 0; t < kTeamCount; ++t) {
        const TeamRecord& team = carSet.teams[static_cast<std::size_t>(t)];
        const std::string section = Section(t);
        ini.setValue(section, "Name", NameOrMark(team.teamName.view()) + "," + NameOrMark(team.engineName.view()));
        char line[128];
        // Every figure signed, so a negative one is written with its minus sign.
        std::snprintf(line, sizeof line, "%d,%d,%d", team.racePower, team.qualifyingPower, team.failureProbability);
        ini.setValue(section, "Performance", line);
        for (std::size_t d = 0; d < 2; ++d) {
            const DriverRecord& driver = team.drivers[d];
            std::snprintf(line, sizeof line, "%d,%s,%d,%d,%d,%d", team.carNumbers[d],
                          NameOrMark(driver.name.view()).c_str(), driver.racePerformance, driver.raceRange,
                          driver.qualifyingPerformance, driver.qualifyingRange);
            ini.setValue(section, kDriverKeys[d], line);
        }
    }
    return ini.serialize();
}

Error WritePerformanceFile(const std::filesystem::path& path, const CarSet& carSet) {
    const std::string text = PerformanceFileText(carSet);
    return WriteFileAtomically(path, std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
}

Error ReadPerformanceText(std::string_view text, CarSet& carSet) {
    const IniFile ini = IniFile::Parse(text);
    const int version = ini.intValue("File", "Version", 0);
    if (version <= 0) {
        return Error::NotAPerformanceFile;
    }
    const bool oldLayout = version < 200;
    BackupTeams(carSet);
    for (int t = 0; t < kTeamCount; ++t) {
        if (!ReadTeam(ini, t, oldLayout, carSet.teams[static_cast<std::size_t>(t)])) {
            RestoreTeams(carSet);
            return Error::TeamDataIncomplete;
        }
    }
    if (Error error = KeepTeamsIfNamesAllowed(carSet); !Ok(error)) {
        return error;
    }
    if (oldLayout && std::clamp(ini.intValue("File", "DriverZero", 0), 0, 1) == 1) {
        for (TeamRecord& team : carSet.teams) {
            for (std::uint16_t& number : team.carNumbers) {
                number = number == 1 ? 0 : number;
            }
        }
    }
    return Error::None;
}

Error ReadPerformanceFile(const std::filesystem::path& path, CarSet& carSet) {
    std::vector<std::uint8_t> bytes;
    if (Error error = ReadWholeFile(path, kMaxFileSize, bytes); !Ok(error)) {
        return error;
    }
    return ReadPerformanceText(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()), carSet);
}

} // namespace tavolex
