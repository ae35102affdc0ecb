#include "GameCommands.h"

#include <iostream>

#include <nlohmann/json.hpp>

#include "GameSettingsCommand.h"
#include "GameTransferCommands.h"
#include "TeamsJson.h"
#include "TerminalProgress.h"
#include "core/Texts.h"
#include "editing/PitCrewMaskPicture.h"
#include "editing/PitCrewUpgrade.h"
#include "files/CaseInsensitivePath.h"
#include "formats/ArtSheetBitmap.h"
#include "formats/JamNames.h"
#include "formats/PictureFile.h"
#include "game/GameFileList.h"
#include "game/GameFiles.h"
#include "game/GameFolder.h"
#include "game/GameIdentity.h"
#include "game/GameSearch.h"
#include "game/MenuArtArchive.h"
#include "game/TeamTables.h"
#include "sample/SampleGame.h"
#include "sample/SamplePitCrewMasks.h"
#include "settings/AppPaths.h"

namespace tavolex::cli {
namespace fs = std::filesystem;
using Json = nlohmann::ordered_json;

namespace {

constexpr std::uint32_t kAllTeamData = 0x1FFF;
constexpr int kFirstPitCrewSheet = 100; // the recolouring sheets in the JAM name table

int MakeSample(Arguments arguments) {
    const auto credit = arguments.takeOption("--credit");
    const auto masks = arguments.takeOption("--masks");
    if (!arguments.valid() || arguments.positional().size() != 1) {
        return UsageError("game make-sample takes DIR [--credit TEXT] [--masks DATA-DIR]");
    }
    SampleIdentity identity;
    if (credit) {
        const auto withCredit = SampleIdentityWithCredit(*credit);
        if (!withCredit) {
            return UsageError("--credit takes 26 printable ASCII characters");
        }
        identity = *withCredit;
    }
    TerminalProgress progress;
    if (Error error = MakeSampleGame(arguments.positional()[0], &progress, identity); !Ok(error)) {
        return Fail("Couldn't make the sample game!", ErrorText(error));
    }
    if (masks) {
        if (Error error = WriteSamplePitCrewMasks(*masks); !Ok(error)) {
            return Fail("Couldn't write the pit crew masks!", ErrorText(error));
        }
    }
    return kSuccess;
}

Json IdentifiedByJson(IdentifiedBy how) { return how == IdentifiedBy::None ? Json() : Json(IdentifiedByName(how)); }

// The installations a first run of the editor lists, searched the same way.
int Find(const Arguments& arguments) {
    if (!arguments.valid() || !arguments.positional().empty()) {
        return UsageError("game find takes no arguments");
    }
    const GameSearchResult found =
        FindGameInstallations(GameSearchRoots(Environment::FromProcess()), {}, RememberedIdentification());
    Json games = Json::array();
    for (const FoundGame& game : found.games) {
        games.push_back({{"folder", game.folder.string()},
                         {"exe_status", static_cast<int>(game.identity.status)},
                         {"exe_identified_by", IdentifiedByJson(game.identity.by)},
                         {"save_file_valid", game.saveFileValid}});
    }
    std::cout << games.dump(2) << '\n';
    return kSuccess;
}

// The files of the installation that are not there.
Json MissingFiles(const GameFolder& game) {
    Json missing = Json::array();
    auto check = [&](const std::string& relative) {
        if (!FindPathIgnoringCase(game.folder(), relative)) {
            missing.push_back(relative);
        }
    };
    check("GP3.EXE");
    check("F1GSTATE.SAV");
    check("BITMAPS\\GP3ART5.BIN");
    const char* languages[] = {"LDATA\\english.str",
                               "LDATA\\fran\xC3\xA7"
                               "ais.str",
                               "LDATA\\italiano.str", "LDATA\\deutsch.str",
                               "LDATA\\espa\xC3\xB1"
                               "ol.str"};
    for (int l = 0; l < 5; ++l) {
        if (!fs::exists(game.languageFile(static_cast<Language>(l)))) {
            missing.push_back(languages[l]);
        }
    }
    for (const GameJamFile& jam : GameJamFiles()) {
        check(std::string(jam.variant == Variant::Software ? "ZO3ZIDS\\" : "ZO3ZIDSH\\") +
              std::string(JamName(jam.index)) + ".JAM");
    }
    for (const std::string& bitmap : TechJamBitmaps()) {
        check(bitmap);
    }
    return missing;
}

int Info(const Arguments& arguments) {
    if (!arguments.valid() || arguments.positional().size() != 1) {
        return UsageError("game info takes DIR");
    }
    const GameFolder game(arguments.positional()[0]);
    const ExeIdentity exe = IdentifyGame(game);
    const ArtIdentity art = IdentifyArtArchiveFile(game.artArchive());
    const char* pitCrewStates[] = {"upgraded", "needs upgrade", "no masks"};
    const PitCrewFilesState pitCrew = PitCrewUpgradeState(game.folder(), EditorDataFolder());
    const Json info = {{"exe_status", static_cast<int>(exe.status)},
                       {"exe_identified_by", IdentifiedByJson(exe.by)},
                       {"art_identified_by", IdentifiedByJson(art.by)},
                       {"save_file_valid", CheckSaveFile(game)},
                       {"missing", MissingFiles(game)},
                       {"pit_crew_files", pitCrewStates[static_cast<int>(pitCrew)]}};
    std::cout << info.dump(2) << '\n';
    return kSuccess;
}

// The pit crew upgrade as the editor runs it, with the masks of the editor's data folder.
int PitCrewUpgrade(const Arguments& arguments) {
    if (!arguments.valid() || arguments.positional().size() != 1) {
        return UsageError("game pitcrew-upgrade takes DIR");
    }
    const GameFolder game(arguments.positional()[0]);
    const fs::path data = EditorDataFolder();
    if (PitCrewUpgradeState(game.folder(), data) == PitCrewFilesState::NoMasks) {
        return Fail(Text(TextId::PitCrewMasksMissing),
                    "expected " + PitCrewMaskPath(data, 0).string() + " ... 19010.bin");
    }
    TerminalProgress progress;
    const Error error = UpgradePitCrewFiles(game.folder(), data, &progress,
                                            [](int file) { std::cout << JamName(kFirstPitCrewSheet + file) << '\n'; });
    if (!Ok(error)) {
        return Fail(Text(TextId::FailedToPatchJam), ErrorText(error));
    }
    return kSuccess;
}

// A mask for the pit crew upgrade, made by hand: texture N of the game as a
// picture to paint on, or the painted picture as the mask of the editor's data folder.
int PitCrewMask(Arguments arguments) {
    const bool write = arguments.takeFlag("--write");
    if (!arguments.valid() || arguments.positional().size() != 3) {
        return UsageError("game pitcrew-mask takes DIR N OUT.BMP, or DIR N IN.BMP --write");
    }
    const auto file = ParseInt(arguments.positional()[1], 0, kPitCrewUpgradeFiles - 1);
    if (!file) {
        return UsageError("N is a pit crew texture from 0 to 10");
    }
    const fs::path game = arguments.positional()[0];
    const fs::path picture = arguments.positional()[2];
    PackedBitmap texture;
    if (Error error = ReadPitCrewUpgradeTexture(game, *file, texture); !Ok(error)) {
        return Fail(Text(TextId::FailedToImportJam), ErrorText(error));
    }
    if (!write) {
        if (Error error = SavePictureFile(picture, MakePitCrewMaskPicture(texture)); !Ok(error)) {
            return Fail(Text(TextId::CouldntSaveBitmap), ErrorText(error));
        }
        return kSuccess;
    }
    PackedBitmap painted;
    if (Error error = LoadPitCrewMaskPicture(picture, texture, painted); !Ok(error)) {
        return Fail(Text(TextId::CouldntLoadBitmap), ErrorText(error));
    }
    std::vector<std::uint8_t> mask;
    PixelPosition bad;
    if (Error error = PitCrewMaskFromPicture(texture, painted, mask, bad); !Ok(error)) {
        return Fail(Text(TextId::CouldntLoadBitmap),
                    std::string(ErrorText(error)) + " at x " + std::to_string(bad.x) + ", y " + std::to_string(bad.y));
    }
    const fs::path data = EditorDataFolder();
    if (Error error = WritePitCrewMask(data, *file, mask); !Ok(error)) {
        return Fail(Text(TextId::CouldntSaveBitmap), ErrorText(error));
    }
    std::cout << PitCrewMaskPath(data, *file).string() << '\n';
    return kSuccess;
}

int Teams(const Arguments& arguments) {
    if (!arguments.valid() || arguments.positional().size() != 1) {
        return UsageError("game teams takes DIR");
    }
    const GameFolder game(arguments.positional()[0]);
    const ExeStatus status = IdentifyGame(game).status;
    if (!AllowsGameFiles(status)) {
        return Fail(Text(TextId::FailedToReadGame), "GP3.EXE is missing or not supported");
    }
    CarSet carSet;
    NewCarSet(carSet);
    if (!Ok(ImportTeamData(game, status, kAllTeamData, carSet))) {
        return Fail(Text(TextId::FailedToReadGame));
    }
    // The car number positions come with an import too, one team at a time.
    std::vector<std::uint8_t> exe;
    if (AllowsExecutable(status) && Ok(ReadExecutable(game, exe))) {
        for (int t = 0; t < kTeamCount; ++t) {
            if (!Ok(ReadNumberPositions(exe, t, carSet.teams[static_cast<std::size_t>(t)]))) {
                return Fail(Text(TextId::FailedToReadGame));
            }
        }
    }
    std::cout << Json{{"teams", TeamsToJson(carSet.teams)}}.dump(2) << '\n';
    return kSuccess;
}

int Art(Arguments arguments) {
    const bool write = arguments.takeFlag("--write");
    if (!arguments.valid() || arguments.positional().size() != 3) {
        return UsageError("game art takes DIR TEAM OUT.BMP, or DIR TEAM IN.BMP --write");
    }
    const auto team = ParseInt(arguments.positional()[1], 0, 10);
    if (!team) {
        return UsageError("TEAM is a team slot from 0 to 10");
    }
    const GameFolder game(arguments.positional()[0]);
    const fs::path bitmap = arguments.positional()[2];
    const fs::path archive = game.artArchive();
    PackedBitmap sheet;
    // The picture is read before the archive is touched: expanding it is a write.
    if (write) {
        if (Error error = LoadArtSheetBitmap(bitmap, sheet); !Ok(error)) {
            return Fail(Text(TextId::CouldntLoadBitmap), ErrorText(error));
        }
    }
    TerminalProgress progress;
    const TextId failure = write ? TextId::FailedToPatchArt : TextId::FailedToImportArt;
    if (Error error = CheckAndExpandArtArchive(archive, &progress); !Ok(error)) {
        return Fail(Text(failure), ErrorText(error));
    }
    if (write) {
        const TeamArtSheet teamSheet{*team, &sheet};
        if (Error error = ExportTeamArts(archive, {&teamSheet, 1}); !Ok(error)) {
            return Fail(Text(failure), ErrorText(error));
        }
        return kSuccess;
    }
    if (Error error = ImportTeamArt(archive, *team, sheet); !Ok(error)) {
        return Fail(Text(failure), ErrorText(error));
    }
    if (Error error = SaveArtSheetBitmap(bitmap, sheet); !Ok(error)) {
        return Fail(Text(TextId::CouldntSaveBitmap), ErrorText(error));
    }
    return kSuccess;
}

} // namespace

int RunGameCommand(Arguments arguments) {
    return Dispatch("game", arguments,
                    {{"make-sample", MakeSample},
                     {"find", Find},
                     {"info", Info},
                     {"teams", Teams},
                     {"art", Art},
                     {"settings", GameSettingsCommand},
                     {"import", GameImport},
                     {"export", GameExport},
                     {"pitcrew-upgrade", PitCrewUpgrade},
                     {"pitcrew-mask", PitCrewMask}});
}

} // namespace tavolex::cli
