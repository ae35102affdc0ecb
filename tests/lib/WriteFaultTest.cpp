// Every writer of a user's or the game's file under each fault of the disk:
// the old file stays, nothing half written or temporary remains, and what the
// program holds in memory is as the operation's failure promises.
#include <gtest/gtest.h>

#include "StressArtArchive.h"
#include "TestSupport.h"
#include "WriteFaultMatrix.h"
#include "document/CarSetFile.h"
#include "document/InformationFile.h"
#include "document/LazyGraphics.h"
#include "editing/PitLane.h"
#include "files/AtomicWrite.h"
#include "files/WriteFaults.h"
#include "formats/ArtSheetBitmap.h"
#include "formats/BitmapFile.h"
#include "formats/HardwareJam.h"
#include "formats/IniFile.h"
#include "formats/JamBuilder.h"
#include "formats/SoftwareJam.h"
#include "formats/TyreGameFiles.h"
#include "game/GameFiles.h"
#include "game/GraphicEnvironment.h"
#include "game/LevelNames.h"
#include "game/MenuArtArchive.h"
#include "game/TeamTables.h"
#include "teams/PerformanceFile.h"

namespace tavolex {
namespace {
namespace fs = std::filesystem;
using test::ExpectEveryWriteFaultSurvived;
using test::FaultedOperation;

// The game's files, as small as the operations allow, made afresh for each
// run: an executable that holds the tables' places, an intact save file, a
// language file and a small menu art archive.
void WriteGameFile(const fs::path& path, const std::vector<std::uint8_t>& bytes) {
    fs::create_directories(path.parent_path());
    test::WriteBytes(path, bytes);
}

void MakeExecutable(const fs::path& folder) {
    WriteGameFile(GameFolder(folder).executable(), std::vector<std::uint8_t>(exe_offsets::kPitBoxes + 4096, 0));
}

void MakeSaveFile(const fs::path& folder) {
    std::vector<std::uint8_t> save(save_offsets::kEngineNames + 4096, 0);
    ASSERT_TRUE(Ok(StampSaveFileChecksums(save)));
    WriteGameFile(GameFolder(folder).saveFile(), save);
}

void MakeLanguageFile(const fs::path& folder, Language language) {
    std::vector<std::uint8_t> file = {1, 0, 0, 0};
    for (int entry = 0; entry <= kLevelNameEntry + 1; ++entry) {
        const std::string text = entry == kLevelNameEntry ? "Stufen" : "e" + std::to_string(entry);
        file.insert(file.end(), text.begin(), text.end());
        file.push_back(0);
    }
    WriteGameFile(GameFolder(folder).languageFile(language), file);
}

void MakeArtArchive(const fs::path& folder) {
    WriteGameFile(GameFolder(folder).artArchive(), test::BuildSmallStressArtArchive());
}

std::vector<std::uint8_t> CarSetFile(const std::string& information) {
    CarSet carSet;
    NewCarSet(carSet);
    carSet.helmetImages = {test::Banded8(256, 330), test::PhotoLike24(256, 330)};
    carSet.helmetFlags = {1, 1};
    carSet.information = information;
    carSet.hasInformation = 1;
    std::vector<std::uint8_t> file;
    EXPECT_TRUE(Ok(EncodeCarSet(carSet, GraphicEnvironment{}, file)));
    return file;
}

TEST(WriteFaults, CarSetSaveKeepsTheOldFileAndTheCarSetModified) {
    CarSet carSet;
    const int faults = ExpectEveryWriteFaultSurvived({
        [](const fs::path& folder) { test::WriteBytes(folder / "Mine.gp3", CarSetFile("old")); },
        [&](const fs::path& folder) {
            NewCarSet(carSet);
            EXPECT_EQ(LoadCarSet(carSet, folder / "Mine.gp3"), Error::None);
            carSet.information = "new";
            carSet.teams[4].teamName = "Changed";
            carSet.modified = true;
            return Ok(SaveCarSet(carSet, folder / "Mine.gp3", GraphicEnvironment{folder, {}, folder}));
        },
        [&](const fs::path& folder) {
            EXPECT_TRUE(carSet.modified);
            EXPECT_EQ(carSet.information, "new");
            CarSet reloaded;
            NewCarSet(reloaded);
            ASSERT_EQ(LoadCarSet(reloaded, folder / "Mine.gp3"), Error::None);
            EXPECT_EQ(reloaded.information, "old");
        },
    });
    EXPECT_GE(faults, 5);
}

// Where the file system has no unnamed files, the temporary file is named
// from the start: it too is gone after every fault.
TEST(WriteFaults, TheNamedWaySurvivesEveryFaultToo) {
    struct WithoutUnnamedFiles {
        WithoutUnnamedFiles() { SetUnnamedFilesOffered(false); }
        ~WithoutUnnamedFiles() { SetUnnamedFilesOffered(true); }
    } without;
    const int faults = ExpectEveryWriteFaultSurvived({
        [](const fs::path& folder) { test::WriteBytes(folder / "Mine.gp3", CarSetFile("old")); },
        [](const fs::path& folder) { return Ok(WriteFileAtomically(folder / "Mine.gp3", CarSetFile("new"))); },
        {},
    });
    EXPECT_EQ(faults, 5) << "create, write, sync, close, rename: no naming step";
}

TEST(WriteFaults, JamPatchesKeepTheOldTexture) {
    ExpectEveryWriteFaultSurvived({
        [](const fs::path& folder) {
            std::vector<std::uint8_t> file;
            ASSERT_TRUE(Ok(BuildHardwareJam(test::PhotoLike24(256, 12), 5, file)));
            test::WriteBytes(folder / "WILLIA98.JAM", file);
        },
        [](const fs::path& folder) {
            return Ok(PatchHardwareJam(folder / "WILLIA98.JAM", test::PhotoLike24(256, 12, 2), 12, 5));
        },
        {},
    });
    ExpectEveryWriteFaultSurvived({
        [](const fs::path& folder) {
            std::vector<std::uint8_t> file;
            ASSERT_TRUE(Ok(BuildSoftwareJam(test::Banded8(256, 12), {{0, 0, 256, 12}}, false, file)));
            test::WriteBytes(folder / "FERRAR98.JAM", file);
        },
        [](const fs::path& folder) {
            return Ok(PatchSoftwareJam(folder / "FERRAR98.JAM", test::Banded8(256, 12, 2), 12, 1, false));
        },
        {},
    });
}

TEST(WriteFaults, TeamExportKeepsTheExecutableAndTheSaveFile) {
    CarSet carSet;
    NewCarSet(carSet);
    carSet.teams[2].teamName = "Exported";
    carSet.teams[2].drivers[0].name = "Someone Else";
    const int faults = ExpectEveryWriteFaultSurvived({
        [](const fs::path& folder) {
            MakeExecutable(folder);
            MakeSaveFile(folder);
        },
        [&](const fs::path& folder) {
            return Ok(ExportTeamData(GameFolder(folder), ExeStatus::Supported, kTeamsPageMask, carSet));
        },
        [](const fs::path& folder) { EXPECT_TRUE(CheckSaveFile(GameFolder(folder))); },
    });
    EXPECT_GE(faults, 10) << "both files are written";
    ExpectEveryWriteFaultSurvived({
        [](const fs::path& folder) {
            MakeSaveFile(folder);
            const auto save = GameFolder(folder).saveFile();
            auto bytes = test::ReadBytes(save);
            bytes[100] ^= 0xFF;
            test::WriteBytes(save, bytes);
        },
        [](const fs::path& folder) { return Ok(StoreSaveFileChecksums(GameFolder(folder).saveFile())); },
        {},
    });
}

TEST(WriteFaults, LevelNameKeepsTheLanguageFileAndAWholeBackup) {
    ExpectEveryWriteFaultSurvived({
        [](const fs::path& folder) { MakeLanguageFile(folder, Language::German); },
        [](const fs::path& folder) { return Ok(WriteLevelName(GameFolder(folder), Language::German, "Profis")); },
        {},
    });
}

TEST(WriteFaults, ArtArchiveExpansionAndExportKeepTheArchive) {
    ExpectEveryWriteFaultSurvived({
        MakeArtArchive,
        [](const fs::path& folder) { return Ok(CheckAndExpandArtArchive(GameFolder(folder).artArchive())); },
        // What an import of the art would read next is still a readable archive.
        [](const fs::path& folder) {
            PackedBitmap sheet;
            const auto archive = GameFolder(folder).artArchive();
            ASSERT_TRUE(Ok(CheckAndExpandArtArchive(archive)));
            EXPECT_TRUE(Ok(ImportTeamArt(archive, 1, sheet)));
        },
    });
    auto copyExpanded = [](const fs::path& folder) {
        MakeArtArchive(folder);
        ASSERT_TRUE(Ok(CheckAndExpandArtArchive(GameFolder(folder).artArchive())));
    };
    PackedBitmap sheet;
    {
        test::ScratchFolder folder;
        copyExpanded(folder.path());
        ASSERT_TRUE(Ok(ImportTeamArt(GameFolder(folder.path()).artArchive(), 5, sheet)));
    }
    ExpectEveryWriteFaultSurvived({
        copyExpanded,
        [&](const fs::path& folder) {
            const TeamArtSheet team{2, &sheet};
            return Ok(ExportTeamArts(GameFolder(folder).artArchive(), {&team, 1}));
        },
        {},
    });
}

TEST(WriteFaults, SettingsFilesKeepTheirOldText) {
    const std::string old = "[Setup]\r\nGP3Dir=/games/gp3\r\nDisclaimer=110\r\n";
    auto prepare = [&](const fs::path& folder) {
        test::WriteBytes(folder / "Tavolex.ini", std::vector<std::uint8_t>(old.begin(), old.end()));
    };
    ExpectEveryWriteFaultSurvived({
        prepare,
        [](const fs::path& folder) {
            return Ok(WriteProfileString(folder / "Tavolex.ini", "Directorys", "Open Car Set", "/x/"));
        },
        {},
    });
    ExpectEveryWriteFaultSurvived({
        prepare,
        [](const fs::path& folder) {
            IniFile ini;
            EXPECT_TRUE(Ok(IniFile::Load(folder / "Tavolex.ini", ini)));
            ini.setValue("Setup", "GP3Dir", "/elsewhere");
            return Ok(ini.save(folder / "Tavolex.ini"));
        },
        {},
    });
}

TEST(WriteFaults, BitmapExportsKeepTheOldBitmap) {
    ExpectEveryWriteFaultSurvived({
        [](const fs::path& folder) { ASSERT_TRUE(Ok(SaveBitmapFile(folder / "car.bmp", test::Banded8(256, 8)))); },
        [](const fs::path& folder) { return Ok(SaveBitmapFile(folder / "car.bmp", test::PhotoLike24(256, 8))); },
        {},
    });
    ExpectEveryWriteFaultSurvived({
        [](const fs::path& folder) {
            test::WriteBytes(folder / "artwork-03.bmp", {'B', 'M', 0});
        },
        [](const fs::path& folder) { return Ok(SaveArtSheetBitmap(folder / "artwork-03.bmp", ArtSheetBackground())); },
        {},
    });
}

TEST(WriteFaults, TextFilesKeepTheirOldText) {
    CarSet carSet;
    NewCarSet(carSet);
    auto prepare = [](const fs::path& folder) { test::WriteBytes(folder / "notes.txt", {'o', 'l', 'd'}); };
    ExpectEveryWriteFaultSurvived(
        {prepare, [](const fs::path& folder) { return Ok(WriteTextFile(folder / "notes.txt", "new text")); }, {}});
    ExpectEveryWriteFaultSurvived(
        {prepare, [&](const fs::path& folder) { return Ok(WritePerformanceFile(folder / "notes.txt", carSet)); }, {}});
}

// Making a picture's other variant writes a cache file: when that fails, the
// car set is as it was before.
TEST(WriteFaults, AGeneratedVariantThatCannotBeCachedLeavesTheCarSetUnchanged) {
    CarSet carSet;
    CarSet before;
    ExpectEveryWriteFaultSurvived({
        [](const fs::path& folder) {
            ASSERT_TRUE(Ok(SaveBitmapFile(folder / "hw.bmp", test::PhotoLike24(256, 384))));
            fs::create_directories(folder / "tmp");
        },
        [&](const fs::path& folder) {
            NewCarSet(carSet);
            SetSlotFromFile(carSet, GraphicKind::CarLivery, 1, Variant::Hardware, folder / "hw.bmp");
            SetSlotGenerated(carSet, GraphicKind::CarLivery, 1, Variant::Software);
            before = carSet;
            return Ok(GenerateVariant(carSet, GraphicEnvironment{folder / "tmp", {}, {}}, GraphicKind::CarLivery, 1,
                                      Variant::Software));
        },
        [&](const fs::path&) { EXPECT_EQ(carSet.teams, before.teams); },
    });
}

// The tyre sheets' game files: a wheel half, a tread half with its four strips,
// and a half saved as a game bitmap. Each file is whole, old or new.
TEST(WriteFaults, TyreHalvesKeepTheGameFilesWhole) {
    auto prepare = [](const fs::path& folder) {
        const fs::path techJam = folder / "ZO3ZIDSH" / "TechJam";
        fs::create_directories(techJam);
        test::WriteBytes(techJam / "Whblur0.bmp", EncodeGameHalfBitmap(test::PhotoLike24(512, 480, 3),
                                                                       TyreSheet::HardwareWheels, {0x9F, 0, 0xA3}));
        test::WriteBytes(techJam / "treadgy1_art.bmp",
                         EncodeGameHalfBitmap(test::PhotoLike24(256, 200, 3), TyreSheet::Treads, {0xFF, 0, 0xFF}));
        test::WriteBytes(techJam / "tread00.bin", std::vector<std::uint8_t>(12800, 7));
    };
    ExpectEveryWriteFaultSurvived({
        prepare,
        [](const fs::path& folder) {
            return Ok(WriteTyreHalves(folder, TyreSheet::HardwareWheels, 0, SheetHalves::Top,
                                      test::PhotoLike24(512, 960, 4)));
        },
        {},
    });
    ExpectEveryWriteFaultSurvived({
        prepare,
        [](const fs::path& folder) {
            return Ok(WriteTyreHalves(folder, TyreSheet::Treads, 0, SheetHalves::Top, test::PhotoLike24(256, 400, 5)));
        },
        {},
    });
    ExpectEveryWriteFaultSurvived({
        [](const fs::path& folder) {
            test::WriteBytes(folder / "half.bmp", {'B', 'M', 0});
        },
        [](const fs::path& folder) {
            return Ok(SaveTyreSheetAs(folder / "half.bmp", TyreSheet::Treads, 1, SheetHalves::Bottom,
                                      test::PhotoLike24(256, 400, 6)));
        },
        {},
    });
}

// The pit lane order goes into the executable; a strip into a bitmap of its own.
TEST(WriteFaults, PitLaneOrderAndStripsKeepTheOldFiles) {
    ExpectEveryWriteFaultSurvived({
        [](const fs::path& folder) { MakeExecutable(folder); },
        [](const fs::path& folder) {
            PitPositions positions{};
            for (int t = 0; t < kTeamCount; ++t) positions[static_cast<std::size_t>(t)] = kTeamCount - 1 - t;
            return Ok(ExportPitLaneOrder(GameFolder(folder), positions));
        },
        {},
    });
    ExpectEveryWriteFaultSurvived({
        [](const fs::path& folder) {
            test::WriteBytes(folder / "strip.bmp", {'B', 'M', 0});
        },
        [](const fs::path& folder) {
            return Ok(SavePitStripAs(BlankPitBoxPicture(Variant::Hardware), 3, folder / "strip.bmp"));
        },
        {},
    });
}

} // namespace
} // namespace tavolex
