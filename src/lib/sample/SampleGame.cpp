#include "sample/SampleGame.h"

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "core/ByteOrder.h"
#include "document/CarSet.h"
#include "document/NumberPositions.h"
#include "files/AtomicWrite.h"
#include "formats/BitmapFile.h"
#include "formats/JamBuilder.h"
#include "formats/JamNames.h"
#include "game/GameConstants.h"
#include "game/GameFileList.h"
#include "game/GameFolder.h"
#include "game/TeamTables.h"
#include "gamesettings/CarDamage.h"
#include "gamesettings/DriverAids.h"
#include "gamesettings/OnboardCameras.h"
#include "sample/SampleArt.h"
#include "sample/SampleLook.h"
#include "sample/SamplePictures.h"
#include "sample/SamplePitCrew.h"

namespace tavolex {
namespace fs = std::filesystem;

namespace {

constexpr std::size_t kSaveFileSize = 0x16000;
constexpr int kLanguageEntries = 300;

constexpr std::array<const char*, 11> kEngines = {"Mecachrome",  "Ferrari", "Playlife", "Mercedes",
                                                  "Mugen-Honda", "Peugeot", "Petronas", "Arrows",
                                                  "Ford",        "Ford",    "Ford"};
constexpr std::array<const char*, 5> kLevelNames = {"Sample Levels", "Niveaux Sample", "Livelli Sample",
                                                    "Sample Stufen", "Niveles Sample"};
// Written with a UTF-8 "ñ" and a Windows-1252 "ç", as copies from Windows may have them.
constexpr std::array<const char*, 5> kLanguageFiles = {"LData\\English.STR",
                                                       "LData\\fran\xE7"
                                                       "ais.str",
                                                       "LData\\Italiano.str", "LData\\DEUTSCH.STR",
                                                       "LData\\Espa\xC3\xB1"
                                                       "ol.str"};
// A name as a copied Windows installation might spell it: the case of each
// part chosen by `style` (0 lower, 1 upper, 2 as written).
std::string Cased(std::string_view name, int style) {
    std::string text(name);
    for (char& c : text) {
        if (style == 0 && c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
        if (style == 1 && c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    }
    return text;
}

fs::path PathOf(const fs::path& folder, std::string_view relative, int style) {
    fs::path path = folder;
    std::size_t start = 0;
    while (start <= relative.size()) {
        const std::size_t end = std::min(relative.find('\\', start), relative.size());
        path /= Cased(relative.substr(start, end - start), style);
        start = end + 1;
    }
    return path;
}

Error Write(const fs::path& path, const std::vector<std::uint8_t>& bytes) {
    std::error_code ec;
    fs::create_directories(path.parent_path(), ec);
    return WriteFileAtomically(path, bytes);
}

Teams SampleTeams() {
    CarSet carSet;
    NewCarSet(carSet);
    for (int t = 0; t < kTeamCount; ++t) {
        TeamRecord& team = carSet.teams[static_cast<std::size_t>(t)];
        const std::string name(SampleTeam(t).name);
        team.teamName = name;
        team.engineName = kEngines[static_cast<std::size_t>(t)];
        team.qualifyingPower = static_cast<std::int16_t>(800 - 9 * t);
        team.racePower = static_cast<std::int16_t>(790 - 9 * t);
        team.failureProbability = static_cast<std::int16_t>(3000 + 250 * t);
        team.tyreType = static_cast<std::uint16_t>(t % 2);
        // The pit lane in reverse order of the teams.
        team.pitBoxPosition = static_cast<std::uint16_t>(kTeamCount - 1 - t);
        team.pitCrewColours = SampleCrewColours(t);
        for (int d = 0; d < kDriversPerTeam; ++d) {
            DriverRecord& driver = team.drivers[static_cast<std::size_t>(d)];
            driver.name = "Driver " + std::to_string(2 * t + d + 1) + " " + name;
            driver.qualifyingPerformance = static_cast<std::int16_t>(17000 - 150 * t - 40 * d);
            driver.racePerformance = static_cast<std::int16_t>(16800 - 150 * t - 40 * d);
            driver.qualifyingRange = static_cast<std::int16_t>(100 + 5 * t);
            driver.raceRange = static_cast<std::int16_t>(180 + 3 * t);
            driver.selected = static_cast<std::uint16_t>((t + d) % 3 == 0 ? 1 : 0);
        }
        SetDefaultNumberPositions(team, t);
    }
    return carSet.teams;
}

std::vector<std::uint8_t> ExecutableOf(const Teams& teams, const ExeIdentificationText& text) {
    std::vector<std::uint8_t> exe(kSupportedExeSize);
    for (std::size_t i = 0; i < exe.size(); ++i) {
        exe[i] = static_cast<std::uint8_t>((i * 2654435761u) >> 24);
    }
    std::copy(text.begin(), text.end(), exe.begin() + static_cast<std::ptrdiff_t>(kExeIdentificationOffset));
    // The tables always fit a full-size executable; should one not, the sample has no executable
    // at all (an empty one, which MakeSampleGame refuses) rather than a half-made one.
    bool written = Ok(WriteExeTeamTables(exe, 0x1FFF, teams));
    // Some teams keep the game's markers in their last crew colours.
    for (std::size_t t = 0; t < kTeamCount; t += 2) {
        std::uint8_t* colours = exe.data() + exe_offsets::kCrewColours + 16 * t;
        colours[11] = 0xA0;
        colours[12] = 0xB0;
        colours[13] = 0xD0;
        colours[14] = 0xE0;
        colours[15] = 0xF0;
    }
    for (int t = 0; t < kTeamCount; ++t) {
        written = Ok(WriteNumberPositions(exe, t, teams[static_cast<std::size_t>(t)])) && written;
    }
    CarSet defaults;
    NewCarSet(defaults);
    written = written && Ok(WritePoints(exe, defaults.misc.points)) && Ok(WritePlayerCarPower(exe, 1)) &&
              Ok(WriteDamage(exe, DefaultDamage())) && Ok(WriteDriverAids(exe, DefaultDriverAids())) &&
              Ok(WriteCameras(exe, DefaultCameras()));
    if (!written) {
        exe.clear();
    }
    return exe;
}

std::vector<std::uint8_t> LanguageFile(const char* levelName) {
    std::vector<std::uint8_t> file = {'G', 'P', '3', 1};
    for (int i = 0; i < kLanguageEntries; ++i) {
        const std::string text = i == 260 ? levelName : "Text " + std::to_string(i);
        file.insert(file.end(), text.begin(), text.end());
        file.push_back(0);
    }
    return file;
}

// Bands of the sheet, one per sub-image.
std::vector<JamRectangle> Bands(int height, int count) {
    std::vector<JamRectangle> bands;
    const int band = height / count;
    for (int i = 0; i < count; ++i) {
        const int top = i * band;
        bands.push_back({0, top, 256, i == count - 1 ? height - top : band});
    }
    return bands;
}

Error WriteJam(const fs::path& folder, const GameJamFile& jam) {
    const bool software = jam.variant == Variant::Software;
    const PackedBitmap picture = SampleJamPicture(jam.index, jam.variant, jam.height);
    if (picture.empty()) {
        return Error::ConversionFailed;
    }
    std::vector<std::uint8_t> bytes;
    if (software) {
        if (Error error =
                BuildSoftwareJam(picture, Bands(jam.height, jam.imageCount), UsesIdentityTables(jam.index), bytes);
            !Ok(error)) {
            return error;
        }
    } else if (Error error = BuildHardwareJam(picture, jam.imageCount, bytes); !Ok(error)) {
        return error;
    }
    const std::string relative =
        std::string(software ? "zo3zids\\" : "ZO3ZIDSH\\") + std::string(JamName(jam.index)) + ".jam";
    return Write(PathOf(folder, relative, software ? 0 : 2), bytes);
}

} // namespace

std::optional<SampleIdentity> SampleIdentityWithCredit(std::string_view credit) {
    SampleIdentity identity;
    if (credit.size() + 1 != identity.exeText.size() ||
        !std::all_of(credit.begin(), credit.end(), [](char c) { return c >= 0x20 && c <= 0x7E; })) {
        return std::nullopt;
    }
    identity.exeText[0] = kCreditMark;
    identity.artSignature[0] = kCreditMark;
    std::copy(credit.begin(), credit.end(), identity.exeText.begin() + 1);
    std::copy(credit.begin(), credit.end(), identity.artSignature.begin() + 1);
    identity.artSignature.back() = '.';
    return identity;
}

std::vector<std::uint8_t> SampleExecutable(const ExeIdentificationText& text) {
    return ExecutableOf(SampleTeams(), text);
}

Error MakeSampleGame(const fs::path& folder, Progress* progress, const SampleIdentity& identity) {
    const std::vector<GameJamFile> jams = GameJamFiles();
    const std::vector<std::string> techJam = TechJamBitmaps();
    if (progress != nullptr) {
        progress->begin(static_cast<int>(jams.size() + techJam.size()) + 8);
        progress->setHeading("Making a sample game.");
    }
    auto step = [&](const std::string& name) {
        if (progress != nullptr) {
            progress->setFile(name);
            progress->step(1);
        }
    };
    const Teams teams = SampleTeams();
    const std::vector<std::uint8_t> exe = ExecutableOf(teams, identity.exeText);
    if (exe.empty()) {
        return Error::WriteFailed;
    }
    if (Error error = Write(folder / "gp3.EXE", exe); !Ok(error)) {
        return error;
    }
    step("GP3.EXE");

    std::vector<std::uint8_t> save(kSaveFileSize);
    for (std::size_t i = 0; i < save.size(); ++i) save[i] = static_cast<std::uint8_t>(i % 251);
    if (!Ok(WriteSaveTeamTables(save, 0x1FFF, teams)) || !Ok(WriteSaveSpread(save, 1)) ||
        !Ok(StampSaveFileChecksums(save))) {
        return Error::WriteFailed;
    }
    if (Error error = Write(folder / "F1GState.sav", save); !Ok(error)) {
        return error;
    }
    step("F1GSTATE.SAV");

    for (std::size_t language = 0; language < kLanguageFiles.size(); ++language) {
        if (Error error = Write(PathOf(folder, kLanguageFiles[language], 2), LanguageFile(kLevelNames[language]));
            !Ok(error)) {
            return error;
        }
        step(kLanguageFiles[language]);
    }

    for (const GameJamFile& jam : jams) {
        if (Error error = WriteJam(folder, jam); !Ok(error)) {
            return error;
        }
        step(std::string(JamName(jam.index)));
    }
    for (std::size_t i = 0; i < techJam.size(); ++i) {
        const PackedBitmap picture = SampleTechJamPicture(static_cast<int>(i));
        if (Error error = Write(PathOf(folder, techJam[i], 2), EncodeBitmapFile(picture)); !Ok(error)) {
            return error;
        }
        step(techJam[i]);
    }
    if (Error error = Write(PathOf(folder, "Bitmaps\\GP3ART5.BIN", 2), BuildSampleArtArchive(identity.artSignature));
        !Ok(error)) {
        return error;
    }
    step("GP3ART5.BIN");
    if (progress != nullptr) {
        progress->end();
    }
    return Error::None;
}

} // namespace tavolex
