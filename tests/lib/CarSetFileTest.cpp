#include <cstring>

#include <gtest/gtest.h>

#include "RecordingProgress.h"
#include "TestSupport.h"
#include "core/ByteOrder.h"
#include "document/CarSetChecksum.h"
#include "document/CarSetFile.h"
#include "document/InformationFile.h"
#include "document/LazyGraphics.h"
#include "document/NumberPositions.h"
#include "document/PictureRecords.h"
#include "document/TeamDataSection.h"
#include "game/GraphicEnvironment.h"
#include "game/TeamTables.h"

namespace tavolex {
namespace {
using test::ReadBytes;
using test::ScratchFolder;
using test::WriteBytes;

// Replaces the trailer with the checksums of the body, as a writer would.
std::vector<std::uint8_t> Resealed(std::vector<std::uint8_t> file) {
    file.resize(file.size() - kCarSetTrailerSize);
    for (std::uint16_t value : ComputeCarSetChecksums(file)) {
        file.push_back(static_cast<std::uint8_t>(value));
        file.push_back(static_cast<std::uint8_t>(value >> 8));
    }
    return file;
}

std::vector<std::uint8_t> Encoded(CarSet& carSet) {
    std::vector<std::uint8_t> file;
    EXPECT_TRUE(Ok(EncodeCarSet(carSet, GraphicEnvironment{}, file)));
    return file;
}

std::vector<std::uint8_t> NewCarSetFile() {
    CarSet carSet;
    NewCarSet(carSet);
    return Encoded(carSet);
}

Error LoadBytes(CarSet& carSet, const std::vector<std::uint8_t>& bytes) {
    SpanSource source(bytes);
    return LoadCarSet(carSet, source, "/sets/test.gp3");
}

TEST(CarSetFile, ANewCarSetIsHeaderTeamDataAndTrailer) {
    const auto file = NewCarSetFile();
    ASSERT_EQ(file.size(), 1312u);
    EXPECT_EQ(std::string(file.begin(), file.begin() + 7), "Tavolex");
    EXPECT_EQ(ReadU16(file.data() + 7), 110);
    EXPECT_EQ(file[9], 0);
    EXPECT_EQ(file[20], 1);
    EXPECT_EQ(ReadU32(file.data() + 21), 200u);
    for (std::size_t at = 25; at < 200; ++at) {
        ASSERT_EQ(file[at], 0) << "offset " << at;
    }
    // Pass A and then pass B each run over the whole 1,304-byte body.
    std::uint16_t sum = 0;
    std::uint16_t rot = 0;
    auto pass = [&] {
        for (std::size_t i = 0; i < 1304; ++i) {
            sum = static_cast<std::uint16_t>(sum + file[i]);
            rot = static_cast<std::uint16_t>(static_cast<std::uint16_t>((rot << 3) | (rot >> 13)) + file[i]);
        }
    };
    pass();
    EXPECT_EQ(ReadU16(file.data() + 1304), sum);
    EXPECT_EQ(ReadU16(file.data() + 1306), rot);
    pass();
    EXPECT_EQ(ReadU16(file.data() + 1308), sum);
    EXPECT_EQ(ReadU16(file.data() + 1310), rot);

    CarSet loaded;
    NewCarSet(loaded);
    loaded.teams[0].teamName = "Something";
    ASSERT_EQ(LoadBytes(loaded, file), Error::None);
    CarSet fresh;
    NewCarSet(fresh);
    EXPECT_EQ(loaded.teams, fresh.teams);
    EXPECT_EQ(loaded.misc, fresh.misc);
    EXPECT_EQ(loaded.tyres, fresh.tyres);
    EXPECT_EQ(loaded.formatVersion, 110u);
    EXPECT_EQ(loaded.path, "/sets/test.gp3");
    EXPECT_FALSE(loaded.modified);
}

TEST(CarSetFile, TeamDataRoundTrips) {
    CarSet carSet;
    NewCarSet(carSet);
    carSet.teams[4].teamName = "Jordan";
    carSet.teams[4].engineName = "Mugen-Honda";
    carSet.teams[4].drivers[1].name = "Ralf Schumacher";
    carSet.teams[4].drivers[1].selected = 1;
    carSet.teams[4].carNumbers = {9, 10};
    carSet.teams[4].tyreType = 1;
    carSet.teams[4].pitCrewColours[7] = 99;
    carSet.teams[4].pitBoxPosition = 10;
    carSet.teams[10].pitBoxPosition = 4;
    carSet.teams[4].racePower = 812;
    carSet.teams[4].drivers[0].raceRange = 7;
    carSet.tyres[1].name = "Bridgestone";
    carSet.misc.points[9] = 1;
    carSet.misc.oppositionSpread = 2;
    carSet.misc.playerCarPower = 0;
    carSet.misc.levelNames[2] = "Livelli";
    // A hardware-only livery keeps the number positions; a team without one does not.
    carSet.teams[4].livery[1] = {GraphicSource::Generated, {}};
    carSet.teams[5].livery[0] = {GraphicSource::Generated, {}};
    SetDefaultNumberPositions(carSet.teams[4], 4);
    SetDefaultNumberPositions(carSet.teams[6], 6);
    const auto file = Encoded(carSet);
    CarSet loaded;
    NewCarSet(loaded);
    ASSERT_EQ(LoadBytes(loaded, file), Error::None);
    EXPECT_EQ(loaded.teams[4].teamName.view(), "Jordan");
    EXPECT_EQ(loaded.teams[4].drivers[1].name.view(), "Ralf Schumacher");
    EXPECT_EQ(loaded.teams[4].drivers[1].selected, 1);
    EXPECT_EQ(loaded.teams[4].carNumbers, (std::array<std::uint16_t, 2>{9, 10}));
    EXPECT_EQ(loaded.teams[4].tyreType, 1);
    EXPECT_EQ(loaded.teams[4].pitCrewColours, carSet.teams[4].pitCrewColours);
    EXPECT_EQ(loaded.teams[4].pitBoxPosition, 10);
    EXPECT_EQ(loaded.teams[4].racePower, 812);
    EXPECT_EQ(loaded.teams[4].drivers[0].raceRange, 7);
    EXPECT_EQ(loaded.teams[4].numberSources, carSet.teams[4].numberSources);
    EXPECT_EQ(loaded.teams[4].numberDestinations, carSet.teams[4].numberDestinations);
    EXPECT_EQ(loaded.teams[6].numberDestinations[0], NumberPoint{}) << "no livery, no positions";
    EXPECT_EQ(loaded.teams[4].livery[1].source, GraphicSource::Generated);
    EXPECT_EQ(loaded.teams[5].livery[0].source, GraphicSource::Generated);
    EXPECT_EQ(loaded.tyres[1].name.view(), "Bridgestone");
    EXPECT_EQ(loaded.misc, carSet.misc);
}

// Two teams in one pit box (or a box past the last) cannot be in the game's
// pit lane: such positions read as the default order, as GP3.EXE's table does,
// and are written to GP3.EXE that way.
TEST(CarSetFile, RepeatedPitBoxPositionsReadAsTheDefaultOrder) {
    CarSet carSet;
    NewCarSet(carSet);
    carSet.teams[2].pitBoxPosition = 3;
    CarSet loaded;
    NewCarSet(loaded);
    ASSERT_EQ(LoadBytes(loaded, Encoded(carSet)), Error::None);
    for (int t = 0; t < kTeamCount; ++t) EXPECT_EQ(loaded.teams[static_cast<std::size_t>(t)].pitBoxPosition, t);

    carSet.teams[2].pitBoxPosition = 2;
    carSet.teams[0].pitBoxPosition = 1;
    carSet.teams[1].pitBoxPosition = 0;
    ASSERT_EQ(LoadBytes(loaded, Encoded(carSet)), Error::None);
    EXPECT_EQ(loaded.teams[0].pitBoxPosition, 1) << "a real order stays";
    EXPECT_EQ(loaded.teams[1].pitBoxPosition, 0);

    std::vector<std::uint8_t> exe(exe_offsets::kPitBoxes + kTeamCount, 0xEE);
    Teams teams = carSet.teams;
    teams[7].pitBoxPosition = 12;
    ASSERT_TRUE(Ok(WritePitBoxOrder(exe, teams)));
    for (std::size_t p = 0; p < kTeamCount; ++p) EXPECT_EQ(exe[exe_offsets::kPitBoxes + p], p + 1) << p;
}

TEST(CarSetFile, RefusesOtherFilesVersionsAndCorruption) {
    const auto file = NewCarSetFile();
    CarSet carSet;
    NewCarSet(carSet);
    auto withVersion = [&](std::uint16_t version) {
        auto copy = file;
        WriteU16(copy.data() + 7, version);
        return LoadBytes(carSet, Resealed(copy));
    };
    EXPECT_EQ(withVersion(105), Error::NotACarSet);
    EXPECT_EQ(withVersion(99), Error::NotACarSet);
    EXPECT_EQ(withVersion(111), Error::NewerCarSetVersion);
    EXPECT_EQ(withVersion(500), Error::NewerCarSetVersion);
    auto notOurs = file;
    notOurs[0] = 't';
    EXPECT_EQ(LoadBytes(carSet, notOurs), Error::NotACarSet);
    EXPECT_EQ(LoadBytes(carSet, {}), Error::NotACarSet);
    EXPECT_EQ(LoadCarSet(carSet, "/no/such/file.gp3"), Error::OpenFailed);
    EXPECT_EQ(Text(LoadErrorText(Error::NewerCarSetVersion)).substr(0, 50),
              "This file requires the latest version of Tavolex. ");
    // Any single changed byte of a small file is caught.
    for (std::size_t at : {std::size_t{10}, std::size_t{300}, std::size_t{1303}, std::size_t{1305}}) {
        auto changed = file;
        changed[at] ^= 0x40;
        EXPECT_EQ(LoadBytes(carSet, changed), Error::CarSetCorrupt) << at;
    }
}

TEST(CarSetFile, ChecksumsLookAtTheFirstAndLast32KOnly) {
    CarSet carSet;
    NewCarSet(carSet);
    carSet.information = std::string(19990, 'x') + "end";
    carSet.hasInformation = 1;
    // Make the file longer than 65,536 bytes with helmets in memory.
    for (Variant v : {Variant::Software, Variant::Hardware}) {
        const auto i = static_cast<std::size_t>(VariantIndex(v));
        carSet.helmetImages[i] = v == Variant::Software ? test::Banded8(256, 330) : test::PhotoLike24(256, 330);
        carSet.helmetFlags[i] = 1;
    }
    const auto file = Encoded(carSet);
    ASSERT_GT(file.size(), 65536u + 8u);
    CarSet loaded;
    NewCarSet(loaded);
    auto middle = file;
    middle[file.size() / 2] ^= 1;
    EXPECT_EQ(LoadBytes(loaded, middle), Error::None) << "not covered, not detected";
    auto early = file;
    early[32767] ^= 1;
    EXPECT_EQ(LoadBytes(loaded, early), Error::CarSetCorrupt);
    auto late = file;
    late[file.size() - 8 - 32768] ^= 1;
    EXPECT_EQ(LoadBytes(loaded, late), Error::CarSetCorrupt);
}

TEST(CarSetFile, AFailedLoadChangesNothing) {
    CarSet carSet;
    NewCarSet(carSet);
    carSet.teams[2].teamName = "Keep";
    carSet.modified = true;
    const CarSet before = carSet;
    auto file = NewCarSetFile();
    // A team name whose length byte is beyond its field, with valid checksums.
    file[200] = 13;
    EXPECT_EQ(LoadBytes(carSet, Resealed(file)), Error::CarSetCorrupt);
    // A team data section that runs past the end.
    file = NewCarSetFile();
    file.erase(file.begin() + 1100, file.end() - 8);
    EXPECT_EQ(LoadBytes(carSet, Resealed(file)), Error::CarSetCorrupt);
    EXPECT_EQ(carSet.teams, before.teams);
    EXPECT_TRUE(carSet.modified);
}

TEST(CarSetFile, ReadsTheOldFormat) {
    // A format 100 file: the team data without number positions and settings.
    CarSet carSet;
    NewCarSet(carSet);
    carSet.teams[3].pitCrewColours = {0, 1, 2, 3, 40, 5, 6, 7, 8, 9, 100, 11, 12, 13, 14, 15};
    carSet.misc.points[0] = 25;
    std::vector<std::uint8_t> teamData;
    WriteTeamDataSection(carSet, teamData);
    const std::size_t tail = 11 + 22 + 98 + 2; // flags, points, level names, spread, power
    teamData.resize(teamData.size() - tail);
    std::vector<std::uint8_t> file(200, 0);
    std::memcpy(file.data(), "Tavolex", 7);
    WriteU16(file.data() + 7, 100);
    file[20] = 1;
    WriteU32(file.data() + 21, 200);
    file.insert(file.end(), teamData.begin(), teamData.end());
    file.resize(file.size() + 8);

    CarSet loaded;
    NewCarSet(loaded);
    ASSERT_EQ(LoadBytes(loaded, Resealed(file)), Error::None);
    EXPECT_EQ(loaded.formatVersion, 100u);
    const auto& colours = loaded.teams[3].pitCrewColours;
    EXPECT_EQ(colours[11], 40);
    EXPECT_EQ(colours[12], 40);
    EXPECT_EQ(colours[13], 40);
    EXPECT_EQ(colours[15], 40);
    EXPECT_EQ(colours[14], 100);
    EXPECT_EQ(colours[10], 100);
    EXPECT_EQ(loaded.misc.points[0], 10) << "settings take their defaults";
    // No team has a livery, so the default number positions are cleared again.
    EXPECT_EQ(loaded.teams[0].numberDestinations[0], NumberPoint{});
}

TEST(CarSetFile, InformationIsReadUpTo20000Characters) {
    auto file = NewCarSetFile();
    file.resize(file.size() - 8);
    file[45] = 1;
    WriteU32(file.data() + 46, static_cast<std::uint32_t>(file.size()));
    file.push_back(1);
    const std::size_t at = file.size();
    file.resize(at + 4);
    WriteU32(file.data() + at, 25000);
    const std::string text = std::string(20000, 'a') + std::string(5000, 'b');
    file.insert(file.end(), text.begin(), text.end());
    file.resize(file.size() + 8);
    CarSet carSet;
    NewCarSet(carSet);
    ASSERT_EQ(LoadBytes(carSet, Resealed(file)), Error::None);
    EXPECT_EQ(carSet.information, std::string(20000, 'a'));
    EXPECT_EQ(carSet.hasInformation, 1);
    // A car set without information clears what the last one had.
    ASSERT_EQ(LoadBytes(carSet, NewCarSetFile()), Error::None);
    EXPECT_TRUE(carSet.information.empty());
    EXPECT_EQ(carSet.hasInformation, 0);
}

TEST(CarSetFile, SavingCountsEveryPictureOnTheItemCounter) {
    CarSet carSet;
    NewCarSet(carSet);
    for (Variant v : {Variant::Software, Variant::Hardware}) {
        const auto i = static_cast<std::size_t>(VariantIndex(v));
        carSet.helmetImages[i] = v == Variant::Software ? test::Banded8(256, 330) : test::PhotoLike24(256, 330);
        carSet.helmetFlags[i] = 1;
    }
    // Generated from its other variant: counted as an item, nothing stored.
    carSet.teams[2].livery[0] = {GraphicSource::Generated, {}};
    test::ScratchFolder folder;
    test::RecordingProgress progress;
    ASSERT_TRUE(Ok(SaveCarSet(carSet, folder / "counted.gp3", GraphicEnvironment{}, &progress)));
    EXPECT_EQ(progress.itemCount, 3);
    EXPECT_EQ(progress.stepped, 3) << "the bar reaches its end";
    const std::vector<std::pair<int, int>> counters = {{1, 3}, {2, 3}, {3, 3}};
    EXPECT_EQ(progress.counters, counters);
    EXPECT_EQ(progress.files, std::vector<std::string>{"COUNTED.GP3"});
    EXPECT_EQ(progress.headings.front(), "Compressing software helmet textures.");
    EXPECT_TRUE(progress.ended);
}

TEST(PictureRecords, PackOnlyWhenShorter) {
    // One colour above 192: pairs of 63 and a shorter last pair.
    PackedBitmap flat(256, 384, Depth::Bits8);
    for (int r = 0; r < 384; ++r) std::memset(flat.row(r), 200, 256);
    std::vector<std::uint8_t> record;
    ASSERT_TRUE(Ok(AppendPictureRecord(PictureSection::CarLiveries, Variant::Software, flat, record)));
    const std::size_t pairs = (256 * 384 + 62) / 63;
    ASSERT_EQ(record.size(), 5 + 2 * pairs);
    EXPECT_EQ(record[0], 1);
    EXPECT_EQ(record[5], 255);
    EXPECT_EQ(record[6], 200);
    EXPECT_EQ(record[record.size() - 2], 192 + (256 * 384) % 63);
    // Single values above 192 everywhere would double in size: stored raw.
    PackedBitmap noisy(256, 384, Depth::Bits8);
    for (int r = 0; r < 384; ++r)
        for (int x = 0; x < 256; ++x) noisy.row(r)[x] = static_cast<std::uint8_t>(193 + (x + r) % 2);
    record.clear();
    ASSERT_TRUE(Ok(AppendPictureRecord(PictureSection::CarLiveries, Variant::Software, noisy, record)));
    EXPECT_EQ(record[0], 0);
    EXPECT_EQ(ReadU32(record.data() + 1), 256u * 384u);
    EXPECT_EQ(AppendPictureRecord(PictureSection::CarLiveries, Variant::Hardware, noisy, record),
              Error::WrongBitmapDepth);
}

// No coding makes a record longer than twice the raw picture: a longer
// length is refused before anything is allocated for it.
TEST(PictureRecords, RefuseLengthsNoCodingReaches) {
    CarSet carSet;
    NewCarSet(carSet);
    carSet.helmetImages = {test::Banded8(256, 330), PackedBitmap(256, 330, Depth::Bits24)};
    carSet.helmetFlags = {1, 1};
    std::vector<std::uint8_t> file = Encoded(carSet);
    const PictureSectionLayout& layout = SectionLayout(PictureSection::Helmets);
    const std::uint32_t tables = ReadU32(file.data() + layout.directoryEntry + 1);
    const std::uint32_t record =
        ReadU32(file.data() + tables + layout.flagBytes + 4 * FlagIndex(PictureSection::Helmets, 0, Variant::Software));
    constexpr std::uint32_t kRaw = 256 * 330;
    file.resize(file.size() + 3 * kRaw, 0);
    for (std::uint32_t length : {2 * kRaw + 1, 3 * kRaw}) {
        WriteU32(file.data() + record + 1, length);
        SpanSource source(file);
        PackedBitmap image;
        EXPECT_EQ(ReadPicture(source, kCarSetVersion110, PictureSection::Helmets, 0, Variant::Software, image),
                  Error::RecordNotFound);
    }
}

TEST(CarSetFile, ALoadKeepsTheScratchArea) {
    CarSet carSet;
    NewCarSet(carSet);
    carSet.scratch[5] = 7;
    ASSERT_EQ(LoadBytes(carSet, NewCarSetFile()), Error::None);
    ASSERT_EQ(carSet.scratch.size(), kScratchSize);
    EXPECT_EQ(carSet.scratch[5], 7);
}

TEST(InformationFile, WritesTheTextAndAZeroAndReadsAtMost20000Bytes) {
    ScratchFolder folder;
    ASSERT_TRUE(Ok(WriteTextFile(folder / "info.txt", "Credits\r\nline two")));
    const auto bytes = ReadBytes(folder / "info.txt");
    ASSERT_EQ(bytes.size(), 18u);
    EXPECT_EQ(bytes.back(), 0);
    std::string text;
    ASSERT_TRUE(Ok(ReadTextFile(folder / "info.txt", text)));
    EXPECT_EQ(text, "Credits\r\nline two");
    WriteBytes(folder / "long.txt", std::vector<std::uint8_t>(25000, 'z'));
    ASSERT_TRUE(Ok(ReadTextFile(folder / "long.txt", text)));
    EXPECT_EQ(text.size(), 20000u);
    EXPECT_FALSE(Ok(ReadTextFile(folder / "missing.txt", text)));
}

} // namespace
} // namespace tavolex
