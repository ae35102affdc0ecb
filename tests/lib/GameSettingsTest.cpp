#include <map>

#include <gtest/gtest.h>

#include "TestSupport.h"
#include "core/ByteOrder.h"
#include "core/TextEncoding.h"
#include "document/MiscSettingsDefaults.h"
#include "files/WriteFaults.h"
#include "game/GameConstants.h"
#include "game/GameFiles.h"
#include "game/LevelNames.h"
#include "game/TeamTables.h"
#include "gamesettings/CarDamage.h"
#include "gamesettings/DamagePicture.h"
#include "gamesettings/DriverAids.h"
#include "gamesettings/MiscSettingsExchange.h"
#include "gamesettings/OnboardCameras.h"

namespace tavolex {
namespace {
using test::ReadBytes;
using test::ScratchFolder;
using test::WriteBytes;
namespace fs = std::filesystem;

// The 26 damage places, written out from the game's table.
constexpr std::array<std::size_t, 26> kDamagePlaces = {
    0x13FC79, 0x13FC7D, 0x13FC81, 0x13FC85, 0x13FC89, 0x13FC8C, 0x13FC90, 0x13FC94, 0x13FC98,
    0x13FC9D, 0x13FCA1, 0x13FCA5, 0x13FCA8, 0x13FCAC, 0x13FCB0, 0x13FCB4, 0x13FCB8, 0x13FCBC,
    0x13FCC0, 0x13FCC4, 0x13FCC9, 0x13FCCD, 0x13EE0E, 0x13EEBD, 0x13EE10, 0x13EE01};

std::vector<std::uint8_t> SupportedExe() {
    std::vector<std::uint8_t> exe(kSupportedExeSize, 0);
    std::copy(kExeIdentificationText.begin(), kExeIdentificationText.end(),
              exe.begin() + static_cast<std::ptrdiff_t>(kExeIdentificationOffset));
    return exe;
}

std::vector<std::uint8_t> LanguageFile(const std::string& levelName) {
    std::vector<std::uint8_t> file = {'G', 'P', '3', 1};
    for (int i = 0; i < 270; ++i) {
        const std::string text = i == kLevelNameEntry ? levelName : "entry " + std::to_string(i);
        file.insert(file.end(), text.begin(), text.end());
        file.push_back(0);
    }
    return file;
}

// A game folder with a supported executable, an intact save file and the language files.
struct GameFixture {
    ScratchFolder folder;
    GameFolder game{folder.path()};
    GameFixture() {
        WriteBytes(folder / "GP3.EXE", SupportedExe());
        std::vector<std::uint8_t> save(0x16000, 0);
        save[save_offsets::kSpread] = 2;
        EXPECT_TRUE(Ok(StampSaveFileChecksums(save)));
        WriteBytes(folder / "F1GSTATE.SAV", save);
        fs::create_directories(folder / "LDATA");
        const char* files[] = {"english.str",
                               "fran\xC3\xA7"
                               "ais.str",
                               "italiano.str", "deutsch.str",
                               "espa\xC3\xB1"
                               "ol.str"};
        for (int l = 0; l < 5; ++l)
            WriteBytes(folder / ("LDATA/" + std::string(files[l])), LanguageFile("Name " + std::to_string(l)));
    }
    std::vector<std::uint8_t> exe() const { return ReadBytes(folder / "GP3.EXE"); }
};

TEST(CarDamage, ValuesLieAtTheirIrregularPlacesAndCollisionsAreLimitedOnReading) {
    for (int i = 0; i < kDamageValueCount; ++i) {
        EXPECT_EQ(DamageOffset(i), kDamagePlaces[static_cast<std::size_t>(i)]) << "value " << i;
    }
    std::vector<std::uint8_t> exe(0x140000, 0xEE);
    DamageRecord record = DefaultDamage();
    for (std::size_t i = 0; i < 26; ++i) record[i] = static_cast<std::uint16_t>(0x1100 + i);
    record[0] = 65535;
    record[damage_index::kWallBounce] = 255;
    ASSERT_TRUE(Ok(WriteDamage(exe, record)));
    EXPECT_EQ(exe[0x13FC79], 0xFF);
    EXPECT_EQ(exe[0x13FC7A], 0xFF);
    EXPECT_EQ(ReadU16(exe.data() + 0x13FC8C), 0x1105) << "after the first step of 3";
    EXPECT_EQ(ReadU16(exe.data() + 0x13FCCD), 0x1115);
    EXPECT_EQ(ReadU16(exe.data() + 0x13EE01), 0x1119) << "cars: bounce";
    EXPECT_EQ(exe[0x13FC7B], 0xEE) << "bytes between the operands stay";
    EXPECT_EQ(exe[0x13FC8B], 0xEE);

    // Reading limits the collision values only.
    WriteU16(exe.data() + 0x13EE0E, 40000);
    WriteU16(exe.data() + 0x13EEBD, 300);
    WriteU16(exe.data() + 0x13EE10, 65535);
    WriteU16(exe.data() + 0x13EE01, 256);
    DamageRecord back{};
    ASSERT_TRUE(Ok(ReadDamage(exe, back)));
    EXPECT_EQ(back[0], 65535);
    EXPECT_EQ(back[5], 0x1105);
    EXPECT_EQ(back[22], 32767);
    EXPECT_EQ(back[23], 255);
    EXPECT_EQ(back[24], 32767);
    EXPECT_EQ(back[25], 255);

    // A file that ends before the last place: nothing is read or written.
    std::vector<std::uint8_t> shortExe(0x13FCCE, 0);
    DamageRecord kept = DefaultDamage();
    EXPECT_FALSE(Ok(ReadDamage(shortExe, kept)));
    EXPECT_EQ(kept, DefaultDamage());
    EXPECT_FALSE(Ok(WriteDamage(shortExe, record)));
    EXPECT_EQ(shortExe, std::vector<std::uint8_t>(0x13FCCE, 0));

    EXPECT_EQ(DefaultDamage()[0], 2);
    EXPECT_EQ(DefaultDamage()[16], 256);
    EXPECT_EQ(DefaultDamage()[24], 8192);
    EXPECT_EQ(DamageLimit(3), 65535);
    EXPECT_EQ(DamageLimit(24), 32767);
    EXPECT_EQ(DamageLimit(25), 255);
    EXPECT_EQ(PartsOfArea(DamageArea::Chassis), (std::vector<int>{0, 9, 10, 11, 20, 21}));
    EXPECT_EQ(PartsOfArea(DamageArea::Wings), (std::vector<int>{1, 2, 3, 4, 16, 17, 18, 19}));
    EXPECT_EQ(PartsOfArea(DamageArea::Wheels), (std::vector<int>{5, 6, 7, 8, 12, 13, 14, 15}));
}

TEST(CarDamage, PictureIsColouredForThePartTheAreaOrNothing) {
    const auto part11 = DamageRegionColours(DamageSelection::Part(11));
    EXPECT_EQ(part11[11], 78);
    EXPECT_EQ(part11[12], 77);
    EXPECT_EQ(part11[19], 76);
    EXPECT_EQ(part11[22], 52);
    EXPECT_EQ(part11[0], 51);
    const auto part5 = DamageRegionColours(DamageSelection::Part(5));
    EXPECT_EQ(part5[6], 75);
    EXPECT_EQ(part5[20], 52);
    const auto wheels = DamageRegionColours(DamageSelection::Area(DamageArea::Wheels));
    EXPECT_EQ(wheels[13], 78);
    EXPECT_EQ(wheels[14], 77);
    EXPECT_EQ(wheels[22], 52);
    EXPECT_EQ(wheels[9], 51);
    for (std::uint8_t colour : DamageRegionColours(DamageSelection::Collision())) EXPECT_EQ(colour, 51);

    // Markers are replaced; every other index stays, including those just outside the markers.
    const std::vector<std::uint8_t> picture = {95, 96, 99, 118, 119, 0, 200};
    EXPECT_EQ(ColourDamagePicture(picture, DamageSelection::Part(0)),
              (std::vector<std::uint8_t>{95, 78, 77, 52, 119, 0, 200}));
}

// Every row of the damage editor's colouring table, region by region
// (0-22): C the region itself (78), L, l and e the closely linked ones (77,
// 76, 75), n the neighbours (52), . the rest (51).
TEST(DamagePicture, EverySelectionColoursEveryRegionAsTheTableSays) {
    const std::pair<DamageSelection, const char*> rows[] = {
        {DamageSelection::Part(0), "CllLL.n.n.............n"},
        {DamageSelection::Part(1), "nC.l..n................"},
        {DamageSelection::Part(2), "n.C.l...n.............."},
        {DamageSelection::Part(3), ".n.C..n................"},
        {DamageSelection::Part(4), "..n.C...n.............."},
        {DamageSelection::Part(5), ".n.n.Ce.............n.n"},
        {DamageSelection::Part(6), "...n.nC.............n.."},
        {DamageSelection::Part(7), "..n.n..Ce............nn"},
        {DamageSelection::Part(8), "....n..nC............n."},
        {DamageSelection::Part(9), ".........C.n.n......n.n"},
        {DamageSelection::Part(10), "..........Cn...n.....nn"},
        {DamageSelection::Part(11), ".........nnCLlLlLLLl..n"},
        {DamageSelection::Part(12), ".........n.nCe..nn....."},
        {DamageSelection::Part(13), ".........n..nC...n....."},
        {DamageSelection::Part(14), "..........nn..Cen.n...."},
        {DamageSelection::Part(15), "..........n...nC..n...."},
        {DamageSelection::Part(16), "...........n.n.nCLLl..."},
        {DamageSelection::Part(17), ".............n...C.n..."},
        {DamageSelection::Part(18), "...............n..Cn..."},
        {DamageSelection::Part(19), "................nnnC..."},
        {DamageSelection::Part(20), "......n..n..........C.n"},
        {DamageSelection::Part(21), "........n.n..........Cn"},
        {DamageSelection::Area(DamageArea::Chassis), "CllLL.n.nLLCLlLlLLLlCCn"},
        {DamageSelection::Area(DamageArea::Wings), "nLLCC.n.n..n.n.nCCCL..."},
        {DamageSelection::Area(DamageArea::Wheels), "...nnLCLC..nLCLC.nn...n"},
        {DamageSelection::Collision(), "......................."},
    };
    const std::map<char, std::uint8_t> colour = {{'C', 78}, {'L', 77}, {'l', 76}, {'e', 75}, {'n', 52}, {'.', 51}};
    for (const auto& [selection, expected] : rows) {
        const auto colours = DamageRegionColours(selection);
        for (std::size_t region = 0; region < colours.size(); ++region) {
            EXPECT_EQ(colours[region], colour.at(expected[region]))
                << "selection " << static_cast<int>(selection.kind) << "/" << selection.index << ", region " << region;
        }
    }
}

TEST(DriverAids, MasksAreStoredPlus64AndHoldOnlyTheAidBits) {
    std::vector<std::uint8_t> exe(0x722C18 + 10, 0);
    WriteU16(exe.data() + 0x722C18, 64 + 831);
    WriteU16(exe.data() + 0x722C1A, 64);
    WriteU16(exe.data() + 0x722C1C, 10);
    WriteU16(exe.data() + 0x722C1E, 65);
    WriteU16(exe.data() + 0x722C20, 0xFFFF);
    DriverAidMasks masks{};
    ASSERT_TRUE(Ok(ReadDriverAids(exe, masks)));
    // 64 is no aid at all; below 64 the value is kept; only the aids' bits count.
    EXPECT_EQ(masks, (DriverAidMasks{831, 0, 10, 1, 0x33F}));

    ASSERT_TRUE(Ok(WriteDriverAids(exe, DefaultDriverAids())));
    EXPECT_EQ(ReadU16(exe.data() + 0x722C18), 895);
    EXPECT_EQ(ReadU16(exe.data() + 0x722C20), 114);
    // No aid at any level: stored as 64, read back as no aid.
    ASSERT_TRUE(Ok(WriteDriverAids(exe, DriverAidMasks{0, 0, 0, 0, 0})));
    EXPECT_EQ(ReadU16(exe.data() + 0x722C18), 64);
    ASSERT_TRUE(Ok(ReadDriverAids(exe, masks)));
    EXPECT_EQ(masks, (DriverAidMasks{0, 0, 0, 0, 0}));
    // A bit that is no aid's is refused, and nothing is written.
    const auto before = exe;
    EXPECT_FALSE(Ok(WriteDriverAids(exe, DriverAidMasks{1, 2, 64, 4, 8})));
    EXPECT_FALSE(Ok(WriteDriverAids(exe, DriverAidMasks{1, 2, 0x400, 4, 8})));
    EXPECT_EQ(exe, before);
    exe.pop_back();
    EXPECT_FALSE(Ok(ReadDriverAids(exe, masks)));
    EXPECT_FALSE(Ok(WriteDriverAids(exe, masks)));

    EXPECT_EQ(DefaultDriverAids(), (DriverAidMasks{831, 830, 574, 562, 50}));
    // Ace (0x032): Auto Gears, Throttle Help, Steering Help.
    EXPECT_EQ(AvailableAids(50), (std::array<bool, 8>{false, true, false, false, false, false, true, true}));
    for (std::uint16_t mask : DefaultDriverAids()) EXPECT_EQ(MaskOfAids(AvailableAids(mask)), mask);
    // A bit that is no aid offers nothing (and is not taken for smaller aids).
    EXPECT_EQ(AvailableAids(64), (std::array<bool, 8>{}));
    EXPECT_EQ(AvailableAids(0x400), (std::array<bool, 8>{}));
}

TEST(OnboardCameras, AnglesConvertInSinglePrecisionRoundedAwayFromZero) {
    EXPECT_EQ(AngleFromStored(32767), 180);
    EXPECT_EQ(AngleFromStored(-32768), -180) << "just below -180, limited";
    EXPECT_EQ(AngleFromStored(16384), 90);
    EXPECT_EQ(AngleFromStored(91), 0);
    EXPECT_EQ(AngleFromStored(92), 1) << "0.5054 rounds up";
    EXPECT_EQ(StoredFromAngle(90), 16384) << "16383.5 away from zero";
    EXPECT_EQ(StoredFromAngle(-90), -16384);
    EXPECT_EQ(StoredFromAngle(180), 32767);
    EXPECT_EQ(StoredFromAngle(-180), -32767);
    EXPECT_EQ(StoredFromAngle(1), 182);

    std::vector<std::uint8_t> exe(0x79E59E + 180, 0);
    CameraRecord cameras = DefaultCameras();
    cameras[1][0] = -5;
    cameras[1][3] = 90;
    ASSERT_TRUE(Ok(WriteCameras(exe, cameras)));
    EXPECT_EQ(static_cast<std::int16_t>(ReadU16(exe.data() + 0x79E59E + 2 * 10)), -5) << "camera 2, X";
    EXPECT_EQ(ReadU16(exe.data() + 0x79E59E + 2 * 13), 16384) << "camera 2, direction";
    EXPECT_EQ(ReadU16(exe.data() + 0x79E59E + 2 * 3), 0x8001) << "camera 1, direction -180";
    EXPECT_EQ(ReadU16(exe.data() + 0x79E59E + 2 * 6), 0x8000) << "camera 1, detail 1";
    WriteU16(exe.data() + 0x79E59E + 2 * 14, 32767);
    CameraRecord back{};
    ASSERT_TRUE(Ok(ReadCameras(exe, back)));
    EXPECT_EQ(back[1][4], 180);
    back[1][4] = 0;
    EXPECT_EQ(back, cameras);
    exe.pop_back();
    EXPECT_FALSE(Ok(ReadCameras(exe, back)));
    EXPECT_EQ(DefaultCameras()[8], (CameraValues{80, -64, 244, 0, 0, 0, 0, 72, 0, 256}));
    EXPECT_EQ(CameraValueLow(4), -180);
    EXPECT_EQ(CameraValueHigh(9), 32767);
}

TEST(MiscSettings, PresetsAndDefaults) {
    const LevelNames year = LevelNamesFilledWith("1998");
    EXPECT_EQ(year[0].view(), "1998 Levels");
    EXPECT_EQ(year[1].view(), "Niveaux 1998");
    EXPECT_EQ(year[2].view(), "Livelli del 1998");
    EXPECT_EQ(year[3].view(), "Leistungsstufen von 1998");
    EXPECT_EQ(year[4].view(), "Niveles de 1998");
    const MiscSettings defaults = DefaultMiscSettings();
    EXPECT_EQ(defaults.levelNames[3].view(), "Leistungsstufen von Tavolex");
    EXPECT_EQ(defaults.oppositionSpread, 1);
    EXPECT_EQ(defaults.playerCarPower, 1);
    CarSet carSet;
    NewCarSet(carSet);
    EXPECT_EQ(carSet.misc, defaults);
    EXPECT_EQ(PresetPoints(PointsPreset::F1), defaults.points);
    const PointsTable all = PresetPoints(PointsPreset::All);
    EXPECT_EQ(all[0], 22);
    EXPECT_EQ(all[21], 1);
    const PointsTable cart = PresetPoints(PointsPreset::Cart);
    EXPECT_EQ(cart[11], 1);
    EXPECT_EQ(cart[12], 0);
    EXPECT_EQ(LimitPoints(200), 127);
    EXPECT_EQ(LimitPoints(-3), 0);
}

TEST(MiscSettings, PowerSwitchAndPointsAreReadAndWrittenInTheSupportedExecutable) {
    GameFixture fixture;
    MiscSettings misc = DefaultMiscSettings();
    misc.playerCarPower = 0;
    misc.points = PresetPoints(PointsPreset::Cart);
    ASSERT_TRUE(Ok(WriteGamePowerSwitch(fixture.game, ExeStatus::Supported, misc)));
    ASSERT_TRUE(Ok(WriteGamePoints(fixture.game, ExeStatus::Supported, misc)));
    auto exe = fixture.exe();
    EXPECT_EQ(exe[0x36C67], 255);
    EXPECT_EQ(exe[0x36E29], 255);
    EXPECT_EQ(exe[0x73B456], 20);
    EXPECT_EQ(exe[0x73B456 + 11], 1);

    exe[0x36C67] = 254; // anything but 255 is "team dependant"
    exe[0x73B456] = 200;
    WriteBytes(fixture.folder / "GP3.EXE", exe);
    MiscSettings back = DefaultMiscSettings();
    ASSERT_TRUE(Ok(ReadGamePowerSwitch(fixture.game, ExeStatus::Supported, back)));
    ASSERT_TRUE(Ok(ReadGamePoints(fixture.game, ExeStatus::Supported, back)));
    EXPECT_EQ(back.playerCarPower, 1);
    EXPECT_EQ(back.points[0], 127);
    EXPECT_EQ(back.points[1], 16);

    // Not the supported build: the executable is neither read nor touched.
    EXPECT_EQ(WriteGamePoints(fixture.game, ExeStatus::Unreadable, DefaultMiscSettings()),
              Error::UnsupportedExecutable);
    EXPECT_EQ(ReadGamePoints(fixture.game, ExeStatus::Unsupported, back), Error::UnsupportedExecutable);
    EXPECT_EQ(fixture.exe(), exe);
}

TEST(MiscSettings, SpreadComesFromAnIntactSaveFileOnly) {
    GameFixture fixture;
    EXPECT_EQ(ReadGameSpread(fixture.game), 2);
    ASSERT_TRUE(Ok(WriteGameSpread(fixture.game, 0)));
    EXPECT_EQ(ReadBytes(fixture.folder / "F1GSTATE.SAV")[0x16A0], 0);
    EXPECT_TRUE(CheckSaveFile(fixture.game)) << "the checksums follow the patch";
    EXPECT_EQ(ReadGameSpread(fixture.game), 0);

    auto save = ReadBytes(fixture.folder / "F1GSTATE.SAV");
    save[0x16A0] = 9;
    ASSERT_TRUE(Ok(StampSaveFileChecksums(save)));
    WriteBytes(fixture.folder / "F1GSTATE.SAV", save);
    EXPECT_EQ(ReadGameSpread(fixture.game), 2) << "capped at 2";

    // Broken checksums: read as 1, written not at all.
    save[100] ^= 0xFF;
    WriteBytes(fixture.folder / "F1GSTATE.SAV", save);
    EXPECT_EQ(ReadGameSpread(fixture.game), 1);
    EXPECT_TRUE(Ok(WriteGameSpread(fixture.game, 0)));
    EXPECT_EQ(ReadBytes(fixture.folder / "F1GSTATE.SAV"), save);
    fs::remove(fixture.folder / "F1GSTATE.SAV");
    EXPECT_EQ(ReadGameSpread(fixture.game), 1);
    EXPECT_TRUE(Ok(WriteGameSpread(fixture.game, 2)));
    EXPECT_FALSE(fs::exists(fixture.folder / "F1GSTATE.SAV"));
}

TEST(MiscSettings, ImportIsAllOrNothingAndExportSkipsOnlyMissingTextFiles) {
    GameFixture fixture;
    MiscSettings misc = DefaultMiscSettings();
    misc.playerCarPower = 0;
    misc.oppositionSpread = 0;
    misc.points = PresetPoints(PointsPreset::All);
    misc.levelNames = LevelNamesFilledWith("1998");
    fs::remove(fixture.folder / "LDATA/deutsch.str");
    ASSERT_TRUE(Ok(ExportMiscTables(fixture.game, ExeStatus::Supported, misc)));
    ASSERT_TRUE(Ok(WriteGameLevelNames(fixture.game, EveryLevelName(misc.levelNames))))
        << "a missing language file is not reported";
    EXPECT_FALSE(fs::exists(fixture.folder / "LDATA/deutsch.str"));

    MiscSettings back = DefaultMiscSettings();
    back.levelNames[3] = "kept?";
    ASSERT_TRUE(Ok(ImportMiscSettings(fixture.game, ExeStatus::Supported, back)));
    EXPECT_EQ(back.playerCarPower, 0);
    EXPECT_EQ(back.oppositionSpread, 0);
    EXPECT_EQ(back.points, misc.points);
    EXPECT_EQ(back.levelNames[0].view(), "1998 Levels");
    EXPECT_EQ(back.levelNames[4].view(), "Niveles de 1998");
    EXPECT_EQ(back.levelNames[3].view(), "Leistungsstufen von Tavolex") << "unreadable file: the default name";

    // Without the supported executable only the save and language files are read.
    MiscSettings partial = DefaultMiscSettings();
    ASSERT_TRUE(Ok(ImportMiscSettings(fixture.game, ExeStatus::Unreadable, partial)));
    EXPECT_EQ(partial.playerCarPower, 1);
    EXPECT_EQ(partial.points, PresetPoints(PointsPreset::F1));
    EXPECT_EQ(partial.levelNames[0].view(), "1998 Levels");

    // An executable that ends early: the import fails and changes nothing.
    auto exe = fixture.exe();
    exe.resize(0x73B456 + 10);
    WriteBytes(fixture.folder / "GP3.EXE", exe);
    MiscSettings untouched = DefaultMiscSettings();
    EXPECT_FALSE(Ok(ImportMiscSettings(fixture.game, ExeStatus::Supported, untouched)));
    EXPECT_EQ(untouched, DefaultMiscSettings());
    EXPECT_FALSE(Ok(ExportMiscTables(fixture.game, ExeStatus::Supported, misc)));
    EXPECT_EQ(fixture.exe(), exe);
}

// A language file that exists but cannot be written is a failure, told as
// one; a name with a control character is refused before any file is written.
TEST(MiscSettings, LevelNamesThatCannotBeWrittenAreAFailure) {
    GameFixture fixture;
    MiscSettings misc = DefaultMiscSettings();
    misc.oppositionSpread = 0;
    misc.levelNames = LevelNamesFilledWith("1998");
    ArmWriteFault(WriteStep::Rename, 1, EIO, "italiano.str");
    const Error error = WriteOppositionSettings(fixture.game, misc);
    DisarmWriteFault();
    EXPECT_FALSE(Ok(error));
    FixedText<32> name;
    ASSERT_TRUE(Ok(ReadLevelName(fixture.game, Language::Italian, name)));
    EXPECT_EQ(name.view(), "Name 2") << "the old file stays";
    ASSERT_TRUE(Ok(ReadLevelName(fixture.game, Language::French, name)));
    EXPECT_EQ(name.view(), "Niveaux 1998") << "the languages before it were written";
    ASSERT_TRUE(Ok(ReadLevelName(fixture.game, Language::German, name)));
    EXPECT_EQ(name.view(), "Name 3") << "no language after the failing one";

    GameFixture clean;
    const auto saveBefore = ReadBytes(clean.folder / "F1GSTATE.SAV");
    misc.levelNames[4] = std::string_view("Nivel\x01");
    EXPECT_EQ(WriteOppositionSettings(clean.game, misc), Error::ControlCharacter);
    EXPECT_EQ(ReadBytes(clean.folder / "F1GSTATE.SAV"), saveBefore) << "the spread is not written either";
    ASSERT_TRUE(Ok(ReadLevelName(clean.game, Language::English, name)));
    EXPECT_EQ(name.view(), "Name 0");

    // Where the game holds no name, nothing is made up: the file is unreadable.
    fs::remove(clean.folder / "LDATA/italiano.str");
    const GameLevelNames held = ReadGameLevelNames(clean.game);
    EXPECT_EQ(held[1], FixedText<32>("Name 1"));
    EXPECT_EQ(held[2], std::nullopt);
    EXPECT_EQ(ReadSavedSpread(clean.game), std::optional<std::uint16_t>(2));
    fs::remove(clean.folder / "F1GSTATE.SAV");
    EXPECT_EQ(ReadSavedSpread(clean.game), std::nullopt);
}

TEST(TextEncoding, Utf8BecomesWindows1252OrIsRefused) {
    EXPECT_EQ(Utf8ToWindows1252("Niveles de Espa\xC3\xB1"
                                "a"),
              std::optional<std::string>("Niveles de Espa\xF1"
                                         "a"));
    EXPECT_EQ(Utf8ToWindows1252("\xE2\x82\xAC 5"), std::optional<std::string>("\x80 5"));
    EXPECT_EQ(Utf8ToWindows1252("\xE4\xB8\xAD"), std::nullopt) << "no such character in Windows-1252";
    EXPECT_EQ(Utf8ToWindows1252("\xC3"), std::nullopt) << "cut short";
    EXPECT_EQ(Utf8ToWindows1252("\xC0\x80"), std::nullopt) << "overlong";
    for (int byte = 0x20; byte < 0x100; ++byte) {
        const std::string one(1, static_cast<char>(byte));
        const std::string utf8 = Windows1252ToUtf8(one);
        if (utf8 != "\xEF\xBF\xBD") {
            EXPECT_EQ(Utf8ToWindows1252(utf8), std::optional<std::string>(one)) << byte;
        }
    }
}

} // namespace
} // namespace tavolex
