#include <map>

#include <gtest/gtest.h>

#include "RecordingProgress.h"
#include "SampleGameSuite.h"
#include "document/LazyGraphics.h"
#include "document/MiscSettingsDefaults.h"
#include "files/CaseInsensitivePath.h"
#include "files/WriteFaults.h"
#include "formats/BitmapFile.h"
#include "formats/GameJam.h"
#include "game/GameFiles.h"
#include "transfer/ExportWorker.h"
#include "transfer/ImportWorker.h"
#include "transfer/SelectionChoice.h"
#include "transfer/TransferMessages.h"

namespace tavolex {
namespace {
namespace fs = std::filesystem;

// Every file of a folder by its bytes, to see what an operation touched.
std::map<std::string, std::vector<std::uint8_t>> Snapshot(const fs::path& folder) {
    std::map<std::string, std::vector<std::uint8_t>> files;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        if (entry.is_regular_file()) {
            files[fs::relative(entry.path(), folder).string()] = test::ReadBytes(entry.path());
        }
    }
    return files;
}

std::vector<std::string> Changed(const std::map<std::string, std::vector<std::uint8_t>>& before,
                                 const std::map<std::string, std::vector<std::uint8_t>>& after) {
    std::vector<std::string> changed;
    for (const auto& [name, bytes] : after) {
        const auto old = before.find(name);
        if (old == before.end() || old->second != bytes) {
            changed.push_back(name);
        }
    }
    return changed;
}

bool AnyChangedContains(const std::vector<std::string>& changed, std::string_view part) {
    for (const std::string& name : changed) {
        std::string lower = name;
        for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        if (lower.find(part) != std::string::npos) {
            return true;
        }
    }
    return false;
}

// What a user would call the car set's content.
bool SameDocument(const CarSet& a, const CarSet& b) {
    return a.teams == b.teams && a.helmetFlags == b.helmetFlags && a.helmetImages == b.helmetImages &&
           a.tyres == b.tyres && a.pitBoxes == b.pitBoxes && a.misc == b.misc && a.information == b.information &&
           a.modified == b.modified && a.path == b.path;
}

SelectionRecord Items(std::initializer_list<int> ids) {
    SelectionRecord record;
    for (int id : ids) {
        record.set(id, true);
    }
    return record;
}

class GameTransferTest : public test::SampleGameSuite<true> {
  protected:
    // A picture of the game as the user's own file in the slot.
    void UseGamePicture(GraphicKind kind, int slot, Variant variant, int fromSlot, PackedBitmap& picture) {
        ASSERT_TRUE(Ok(DeclarationOf(kind).readFromGame(environment, fromSlot, variant, picture)));
        const fs::path file = folder / ("pic-" + std::to_string(static_cast<int>(kind)) + "-" + std::to_string(slot) +
                                        "-" + std::to_string(VariantIndex(variant)) + ".bmp");
        ASSERT_TRUE(Ok(SaveGraphicFile(kind, file, picture)));
        SetSlotFromFile(carSet, kind, slot, variant, file);
    }

    // Another team's car, so that writing it changes the game.
    void UseGameCar(int team, Variant variant) {
        PackedBitmap picture;
        UseGamePicture(GraphicKind::CarLivery, team, variant, (team + 1) % kTeamCount, picture);
    }
};

// Every picture moved to another slot than the game has it (team t gets team
// t+1's, the tyre sets swap), team data and settings changed: after the export
// a fresh import gives all of it back.
TEST_F(GameTransferTest, AFullExportThenAFullImportGivesTheCarSetBack) {
    std::map<std::tuple<GraphicKind, int, Variant>, PackedBitmap> expected;
    for (const GraphicItemRun& run : GraphicItemRuns()) {
        for (int slot = 0; slot < run.count; ++slot) {
            PackedBitmap picture;
            const int from = run.kind == GraphicKind::Helmets ? 0 : (slot + 1) % run.count;
            if (run.kind == GraphicKind::Helmets) {
                ASSERT_TRUE(Ok(DeclarationOf(run.kind).readFromGame(environment, 0, run.variant, picture)));
                StoreHeldPicture(carSet, run.kind, run.variant, picture);
            } else {
                UseGamePicture(run.kind, slot, run.variant, from, picture);
            }
            expected[{run.kind, slot, run.variant}] = std::move(picture);
        }
    }
    carSet.teams[3].teamName = "Tavolex";
    carSet.teams[3].drivers[1].name = "A. Driver";
    carSet.teams[3].carNumbers[1] = 42;
    carSet.teams[3].racePower = 812;
    carSet.misc.points[0] = 12;
    carSet.misc.levelNames[0] = "Hard Sim";
    carSet.modified = false;
    const CarSet exported = carSet;

    test::RecordingProgress progress;
    ASSERT_EQ(ExportToGame(carSet, environment, ExeStatus::Supported, DefaultSelection(SelectionMode::Export, carSet),
                           &progress),
              Error::None);
    EXPECT_EQ(progress.itemCount, 87);
    EXPECT_EQ(progress.stepped, 87);
    EXPECT_TRUE(progress.ended);
    EXPECT_TRUE(SameDocument(carSet, exported)) << "an export only reads the car set";

    CarSet imported;
    NewCarSet(imported);
    ASSERT_EQ(
        ImportFromGame(imported, environment, ExeStatus::Supported, DefaultSelection(SelectionMode::Import, imported)),
        Error::None);
    EXPECT_TRUE(imported.modified);
    for (const auto& [key, picture] : expected) {
        const auto& [kind, slot, variant] = key;
        SCOPED_TRACE(std::string(KindNoun(kind)) + " " + std::to_string(slot) + " " +
                     std::to_string(VariantIndex(variant)));
        if (kind != GraphicKind::Helmets) {
            EXPECT_EQ(SourceOf(imported, kind, slot, variant), GraphicSource::Game);
        }
        PackedBitmap fetched;
        ASSERT_TRUE(Ok(FetchGraphic(imported, environment, kind, slot, variant, fetched, false, nullptr)));
        EXPECT_TRUE(fetched == picture);
    }
    EXPECT_EQ(imported.teams[3].teamName.view(), "Tavolex");
    EXPECT_EQ(imported.teams[3].drivers[1].name.view(), "A. Driver");
    EXPECT_EQ(imported.teams[3].carNumbers[1], 42);
    EXPECT_EQ(imported.teams[3].racePower, 812);
    EXPECT_EQ(imported.teams[3].numberSources, exported.teams[3].numberSources);
    EXPECT_EQ(imported.misc.points[0], 12);
    EXPECT_EQ(imported.misc.levelNames[0].view(), "Hard Sim");
}

TEST_F(GameTransferTest, ExportReportsEachKindAndTheArtCounter) {
    UseGameCar(1, Variant::Hardware);
    PackedBitmap art;
    UseGamePicture(GraphicKind::MenuArtwork, 4, Variant::Hardware, 4, art);
    UseGamePicture(GraphicKind::MenuArtwork, 6, Variant::Hardware, 6, art);
    test::RecordingProgress progress;
    ASSERT_EQ(ExportToGame(carSet, environment, ExeStatus::Supported,
                           Items({item::kCarHardware + 1, item::kArtwork + 4, item::kArtwork + 6}), &progress),
              Error::None);
    EXPECT_EQ(progress.itemCount, 3);
    EXPECT_EQ(progress.headings,
              (std::vector<std::string>{"Exporting hardware car textures.", "Exporting menu art images."}));
    // The texture file patched is named, with its own counter (a hardware file's N of N).
    std::string carFile = GameJamPath(environment.gameFolder, 1, Variant::Hardware)->filename().string();
    for (char& c : carFile) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    EXPECT_EQ(progress.files, (std::vector<std::string>{carFile, "GP3ART5.BIN"}));
    EXPECT_EQ(progress.counters, (std::vector<std::pair<int, int>>{{2, 11}, {3, 3}, {5, 11}, {7, 11}}));
}

TEST_F(GameTransferTest, NothingSelectedTouchesNoFile) {
    const auto before = Snapshot(environment.gameFolder);
    test::RecordingProgress progress;
    EXPECT_EQ(
        ExportToGameMessage(ExportToGame(carSet, environment, ExeStatus::Supported, SelectionRecord{}, &progress)),
        TextId::NothingToExport);
    // Items the car set has nothing for count as nothing.
    EXPECT_EQ(ExportToGameMessage(
                  ExportToGame(carSet, environment, ExeStatus::Supported,
                               UsableSelection(SelectionMode::Export, carSet, Items({item::kCarSoftware})), &progress)),
              TextId::NothingToExport);
    EXPECT_EQ(progress.itemCount, -1);
    EXPECT_TRUE(Changed(before, Snapshot(environment.gameFolder)).empty());
}

TEST_F(GameTransferTest, OnlyDataWritesTheTablesWithoutProgress) {
    carSet.teams[0].teamName = "Only Data";
    const auto before = Snapshot(environment.gameFolder);
    test::RecordingProgress progress;
    ASSERT_EQ(ExportToGame(carSet, environment, ExeStatus::Supported, Items({item::kTeamEngineNames}), &progress),
              Error::None);
    EXPECT_EQ(progress.itemCount, -1);
    const auto changed = Changed(before, Snapshot(environment.gameFolder));
    EXPECT_TRUE(AnyChangedContains(changed, "gp3.exe"));
    EXPECT_TRUE(AnyChangedContains(changed, "f1gstate.sav"));
    EXPECT_FALSE(AnyChangedContains(changed, ".jam"));
}

// A name with a control character (a car set made elsewhere) never reaches
// the game: the export fails before it writes anything.
TEST_F(GameTransferTest, ANameTheGameCannotTakeStopsTheExportBeforeAnyWrite) {
    UseGameCar(4, Variant::Software);
    carSet.teams[2].drivers[1].name = "Tab\tName";
    const auto before = Snapshot(environment.gameFolder);
    EXPECT_EQ(ExportToGameMessage(ExportToGame(carSet, environment, ExeStatus::Supported,
                                               DefaultSelection(SelectionMode::Export, carSet), nullptr)),
              TextId::FailedToPatchGame);
    EXPECT_TRUE(Changed(before, Snapshot(environment.gameFolder)).empty());
}

// The team data goes first: when GP3.EXE cannot be written, no picture is.
TEST_F(GameTransferTest, AnExecutableThatCannotBeWrittenStopsTheExportBeforeThePictures) {
    UseGameCar(4, Variant::Software);
    const auto before = Snapshot(environment.gameFolder);
    const std::string exeName = GameFolder(environment.gameFolder).executable().filename().string();
    ArmWriteFault(WriteStep::Write, 1, ENOSPC, exeName);
    const Error error = ExportToGame(carSet, environment, ExeStatus::Supported,
                                     DefaultSelection(SelectionMode::Export, carSet), nullptr);
    DisarmWriteFault();
    EXPECT_EQ(ExportToGameMessage(error), TextId::FailedToPatchGame);
    const auto changed = Changed(before, Snapshot(environment.gameFolder));
    EXPECT_FALSE(AnyChangedContains(changed, "gp3.exe")) << testing::PrintToString(changed);
    EXPECT_FALSE(AnyChangedContains(changed, ".jam"));
    EXPECT_FALSE(AnyChangedContains(changed, ".str")) << "the level names come after the executable";
    EXPECT_TRUE(AnyChangedContains(changed, "f1gstate.sav")) << "written before the executable, as the team data goes";
}

// The level names are a step like any other: a language file that cannot be
// written fails the export, a missing one is skipped, and a name the game's
// files cannot take is refused before anything is written.
TEST_F(GameTransferTest, LevelNamesThatCannotBeWrittenFailTheExport) {
    carSet.misc.levelNames = LevelNamesFilledWith("Export");
    const GameFolder game(environment.gameFolder);
    const std::string italian = game.languageFile(Language::Italian).filename().string();
    ArmWriteFault(WriteStep::Rename, 1, EIO, italian);
    const Error error = ExportToGame(carSet, environment, ExeStatus::Supported, Items({item::kMiscSettings}), nullptr);
    DisarmWriteFault();
    EXPECT_EQ(ExportToGameMessage(error), TextId::FailedToPatchGame);

    fs::remove(game.languageFile(Language::Italian));
    EXPECT_EQ(ExportToGame(carSet, environment, ExeStatus::Supported, Items({item::kMiscSettings}), nullptr),
              Error::None);
    EXPECT_FALSE(fs::exists(game.languageFile(Language::Italian)));

    carSet.misc.levelNames[0] = std::string_view("Tab\tLevels");
    carSet.misc.playerCarPower = carSet.misc.playerCarPower == 0 ? 1 : 0;
    const auto before = Snapshot(environment.gameFolder);
    EXPECT_EQ(ExportToGameMessage(
                  ExportToGame(carSet, environment, ExeStatus::Supported, Items({item::kMiscSettings}), nullptr)),
              TextId::FailedToPatchGame);
    EXPECT_TRUE(Changed(before, Snapshot(environment.gameFolder)).empty());
}

TEST_F(GameTransferTest, AFailingArtCheckWritesNothing) {
    UseGameCar(0, Variant::Software);
    PackedBitmap art;
    UseGamePicture(GraphicKind::MenuArtwork, 0, Variant::Hardware, 0, art);
    const fs::path archive = GameFolder(environment.gameFolder).artArchive();
    test::WriteBytes(archive, std::vector<std::uint8_t>(4096, 0x55)); // foreign
    const auto before = Snapshot(environment.gameFolder);
    EXPECT_EQ(ExportToGameMessage(ExportToGame(carSet, environment, ExeStatus::Supported,
                                               DefaultSelection(SelectionMode::Export, carSet), nullptr)),
              TextId::FailedToPatchArt);
    EXPECT_TRUE(Changed(before, Snapshot(environment.gameFolder)).empty());
}

TEST_F(GameTransferTest, AFailingStepLeavesTheStepsBeforeItWritten) {
    UseGameCar(2, Variant::Software);
    UseGameCar(2, Variant::Hardware);
    PackedBitmap cockpit;
    UseGamePicture(GraphicKind::Cockpit, 2, Variant::Software, 3, cockpit);
    carSet.teams[2].teamName = "Written";
    // The hardware car's file disappears after its picture was taken: step 4 fails.
    fs::remove(SlotOf(carSet, GraphicKind::CarLivery, 2, Variant::Hardware)->path);
    const auto before = Snapshot(environment.gameFolder);
    EXPECT_EQ(ExportToGameMessage(ExportToGame(carSet, environment, ExeStatus::Supported,
                                               DefaultSelection(SelectionMode::Export, carSet), nullptr)),
              TextId::FailedToPatchJam);
    const auto changed = Changed(before, Snapshot(environment.gameFolder));
    EXPECT_TRUE(AnyChangedContains(changed, "gp3.exe"));           // step 1
    EXPECT_TRUE(AnyChangedContains(changed, "zo3zids/liveries/")); // step 3, the software car
    EXPECT_FALSE(AnyChangedContains(changed, "zo3zidsh/"));        // step 4 failed
    // Step 11 (cockpits) never ran: its file is not among the changes.
    for (const std::string& name : changed) {
        EXPECT_EQ(name.find("cockpit"), std::string::npos) << name;
    }
    EXPECT_EQ(SourceOf(carSet, GraphicKind::CarLivery, 2, Variant::Hardware), GraphicSource::File)
        << "a failing fetch never repairs the car set";
}

// A helmet file that cannot be patched is a failed patch, not a lack of memory.
TEST_F(GameTransferTest, AFailingHelmetPatchSaysSo) {
    PackedBitmap helmets;
    ASSERT_TRUE(Ok(DeclarationOf(GraphicKind::Helmets).readFromGame(environment, 0, Variant::Hardware, helmets)));
    StoreHeldPicture(carSet, GraphicKind::Helmets, Variant::Hardware, helmets);
    const auto file = FindPathIgnoringCase(environment.gameFolder, "ZO3ZIDSH\\Liveries\\HELMETSE.JAM");
    ASSERT_TRUE(file);
    fs::remove(*file);
    EXPECT_EQ(ExportToGameMessage(
                  ExportToGame(carSet, environment, ExeStatus::Supported, Items({item::kHelmetsHardware}), nullptr)),
              TextId::FailedToPatchJam);
}

TEST_F(GameTransferTest, NumberPositionsNeedTheSupportedExecutable) {
    UseGameCar(5, Variant::Software);
    const auto before = Snapshot(environment.gameFolder);
    const SelectionRecord selection = Items({item::kCarSoftware + 5, item::kCarNumberPositions, item::kDriverNames});
    EXPECT_EQ(ExportToGameMessage(ExportToGame(carSet, environment, ExeStatus::Unreadable, selection, nullptr)),
              TextId::FailedToPatchGame);
    const auto changed = Changed(before, Snapshot(environment.gameFolder));
    EXPECT_TRUE(AnyChangedContains(changed, "f1gstate.sav")); // the save file, which needs no executable
    EXPECT_TRUE(AnyChangedContains(changed, "zo3zids/"));     // the car, before the positions
    EXPECT_FALSE(AnyChangedContains(changed, "gp3.exe"));

    // The import fails the same way, after the earlier steps were applied;
    // it is a change of the car set all the same.
    CarSet imported;
    NewCarSet(imported);
    EXPECT_EQ(ImportFromGameMessage(ImportFromGame(imported, environment, ExeStatus::Unreadable, selection)),
              TextId::FailedToReadGame);
    EXPECT_EQ(SourceOf(imported, GraphicKind::CarLivery, 5, Variant::Software), GraphicSource::Game);
    EXPECT_TRUE(imported.modified);
}

// The summary names each kind of data that went, so the status bar never
// says "0 pictures" for positions that were written, nor "team data" for settings.
TEST_F(GameTransferTest, TheSummaryNamesTheNumberPositionsAndTheSettings) {
    UseGameCar(5, Variant::Software);
    const SelectionRecord selection = Items({item::kCarSoftware + 5, item::kCarNumberPositions, item::kMiscSettings});
    TransferSummary exported;
    ASSERT_EQ(ExportToGame(carSet, environment, ExeStatus::Supported, selection, nullptr, &exported), Error::None);
    EXPECT_TRUE(exported.numberPositions);
    EXPECT_TRUE(exported.settings);
    EXPECT_FALSE(exported.teamData);

    CarSet imported;
    NewCarSet(imported);
    TransferSummary done;
    ASSERT_EQ(ImportFromGame(imported, environment, ExeStatus::Supported, selection, &done), Error::None);
    EXPECT_EQ(done.pictures, 1);
    EXPECT_TRUE(done.numberPositions);
    EXPECT_TRUE(done.settings);
    EXPECT_FALSE(done.teamData);
}

TEST_F(GameTransferTest, ABatchWritesEachGameFileOnceWithEveryPatch) {
    const GameFolder game(environment.gameFolder);
    const auto exeOnDisk = test::ReadBytes(game.executable());
    const auto saveOnDisk = test::ReadBytes(game.saveFile());
    const std::size_t at = exeOnDisk.size() - 1;
    {
        GameFileBatch batch(game);
        auto setLast = [&](std::uint8_t value) {
            return PatchExecutable(game, [&](std::vector<std::uint8_t>& bytes) {
                bytes[at] = value;
                return Error::None;
            });
        };
        ASSERT_TRUE(Ok(setLast(0x11)));
        ASSERT_TRUE(Ok(setLast(0x22)));
        // A patch that gives up half-way changes nothing.
        EXPECT_FALSE(Ok(PatchExecutable(game, [&](std::vector<std::uint8_t>& bytes) {
            bytes[at] = 0x33;
            return Error::TableOutsideFile;
        })));
        ASSERT_TRUE(Ok(PatchSaveFile(game, [](std::vector<std::uint8_t>&) { return Error::None; })));
        std::vector<std::uint8_t> seen;
        ASSERT_TRUE(Ok(ReadExecutable(game, seen)));
        EXPECT_EQ(seen[at], 0x22);
        EXPECT_EQ(test::ReadBytes(game.executable()), exeOnDisk) << "nothing written before the batch ends";
    }
    const auto exeAfter = test::ReadBytes(game.executable());
    EXPECT_EQ(exeAfter[at], 0x22);
    EXPECT_TRUE(std::equal(exeAfter.begin(), exeAfter.end() - 1, exeOnDisk.begin()));
    EXPECT_EQ(test::ReadBytes(game.saveFile()), saveOnDisk) << "its checksums were already right";
}

TEST_F(GameTransferTest, ImportRules) {
    // Positions without a car box read nothing and succeed.
    carSet.teams[1].numberDestinations[0] = {1, 2};
    const TeamRecord team1 = carSet.teams[1];
    EXPECT_EQ(ImportFromGame(carSet, environment, ExeStatus::Unreadable, Items({item::kCarNumberPositions})),
              Error::None);
    EXPECT_EQ(carSet.teams[1], team1);

    // Taking the hardware picture from the game clears the software one
    // generated from the old hardware picture, which stays generated.
    GraphicSlot* software = SlotOf(carSet, GraphicKind::CarLivery, 7, Variant::Software);
    *software = GraphicSlot{GraphicSource::Generated, (folder / "old.bmp").string()};
    SetSlotFromFile(carSet, GraphicKind::Cockpit, 7, Variant::Hardware, folder / "mine.bmp");
    ASSERT_EQ(ImportFromGame(carSet, environment, ExeStatus::Supported,
                             Items({item::kCarHardware + 7, item::kHelmetsHardware, item::kTread + 1})),
              Error::None);
    EXPECT_EQ(software->source, GraphicSource::Generated);
    EXPECT_TRUE(software->path.empty());
    EXPECT_EQ(SourceOf(carSet, GraphicKind::Cockpit, 7, Variant::Hardware), GraphicSource::File);
    EXPECT_EQ(SourceOf(carSet, GraphicKind::Tread, 1, Variant::Hardware), GraphicSource::Game);
    // Helmets are loaded into the car set.
    EXPECT_EQ(carSet.helmetFlags[1], 1u);
    EXPECT_FALSE(carSet.helmetImages[1].empty());
    EXPECT_EQ(carSet.helmetFlags[0], 0u);
}

TEST_F(GameTransferTest, AGeneratedPictureIsExportedWithoutChangingTheCarSet) {
    UseGameCar(9, Variant::Hardware);
    SetSlotGenerated(carSet, GraphicKind::CarLivery, 9, Variant::Software);
    const CarSet before = carSet;
    ASSERT_EQ(ExportToGame(carSet, environment, ExeStatus::Supported, DefaultSelection(SelectionMode::Export, carSet),
                           nullptr),
              Error::None);
    EXPECT_TRUE(SameDocument(carSet, before));
    CarSet imported;
    NewCarSet(imported);
    ASSERT_EQ(ImportFromGame(imported, environment, ExeStatus::Supported, Items({item::kCarSoftware + 9})),
              Error::None);
    PackedBitmap fromGame;
    PackedBitmap generated;
    ASSERT_TRUE(Ok(
        FetchGraphic(imported, environment, GraphicKind::CarLivery, 9, Variant::Software, fromGame, false, nullptr)));
    CarSet scratch = carSet;
    ASSERT_TRUE(Ok(
        FetchGraphic(scratch, environment, GraphicKind::CarLivery, 9, Variant::Software, generated, false, nullptr)));
    EXPECT_TRUE(fromGame == generated);
}

} // namespace
} // namespace tavolex
