// The car set file checked against bytes this test writes out itself from
// the file's rules: directory entries, flag and offset tables, picture
// records and the team data's field order. Nothing here goes through the
// writer's own layout tables, so a swapped index or entry shows up.

#include <cstring>
#include <functional>

#include <gtest/gtest.h>

#include "TestSupport.h"
#include "core/ByteOrder.h"
#include "document/CarSetChecksum.h"
#include "document/CarSetFile.h"
#include "document/NumberPositions.h"
#include "formats/ArtSheetBitmap.h"
#include "formats/BitmapFile.h"
#include "game/GraphicEnvironment.h"

namespace tavolex {
namespace {
using Bytes = std::vector<std::uint8_t>;

void U8(Bytes& out, int v) { out.push_back(static_cast<std::uint8_t>(v)); }
void U16(Bytes& out, int v) {
    U8(out, v & 0xFF);
    U8(out, (v >> 8) & 0xFF);
}
void U32(Bytes& out, std::size_t v) {
    U16(out, static_cast<int>(v & 0xFFFF));
    U16(out, static_cast<int>(v >> 16));
}
void Text(Bytes& out, const std::string& text) {
    U8(out, static_cast<int>(text.size()));
    out.insert(out.end(), text.begin(), text.end());
}

// Packed pixel data of a picture of one software value above 192: pairs of
// 63 pixels, the last pair shorter.
Bytes FlatRun8(int pixels, int value) {
    Bytes out;
    for (; pixels > 0; pixels -= 63) {
        U8(out, 192 + std::min(pixels, 63));
        U8(out, value);
    }
    return out;
}

// Packed pixel data of a picture of one colour: blocks of 127 repeats of its 16-bit word.
Bytes FlatRun16(int pixels, int red, int green, int blue) {
    const int word = (red >> 3) << 11 | (green >> 2) << 5 | (blue >> 3);
    Bytes out;
    for (; pixels > 0; pixels -= 127) {
        U8(out, std::min(pixels, 127));
        U16(out, word);
    }
    return out;
}

Bytes Record(const Bytes& packed) {
    Bytes out;
    U8(out, 1);
    U32(out, packed.size());
    out.insert(out.end(), packed.begin(), packed.end());
    return out;
}

constexpr int kValue = 200;
constexpr int kRed = 0x80;
constexpr int kGreen = 0x40;
constexpr int kBlue = 0x18;

PackedBitmap Flat(int width, int height, bool colour) {
    PackedBitmap image(width, height, colour ? Depth::Bits24 : Depth::Bits8);
    for (int y = 0; y < height; ++y) {
        std::uint8_t* row = image.topRow(y);
        for (int x = 0; x < width; ++x) {
            if (colour) {
                row[3 * x] = kBlue;
                row[3 * x + 1] = kGreen;
                row[3 * x + 2] = kRed;
            } else {
                row[x] = kValue;
            }
        }
    }
    return image;
}

// One picture section as the rules lay it out: the flag table with one
// flag, the offset table with one entry, then the record.
struct OnePicture {
    std::size_t directoryEntry;
    std::size_t flagBytes;
    std::size_t offsetEntries;
    std::size_t index;
    int width;
    int height;
    bool colour;
    std::function<void(CarSet&, const std::filesystem::path&)> place;
};

TEST(CarSetGolden, OnePictureOfEveryKindLandsWhereTheRulesPutIt) {
    test::ScratchFolder folder;
    auto fromFile = [](GraphicSlot& slot) {
        return [&slot](CarSet&, const std::filesystem::path& path) { slot = {GraphicSource::File, path.string()}; };
    };
    CarSet carSet;
    NewCarSet(carSet);
    // In the writer's order: liveries, helmets, tyres, treads, cockpits, pit crews, pit boxes, artwork.
    const std::vector<OnePicture> pictures = {
        {25, 44, 44, 22 + 7, 256, 384, true, fromFile(carSet.teams[7].livery[1])}, // slot 7, hardware
        {30, 4, 4, 0, 256, 330, false,
         [](CarSet& set, const std::filesystem::path&) {
             set.helmetImages[0] = Flat(256, 330, false);
             set.helmetFlags[0] = 1;
         }},                                                                          // software helmets
        {55, 4, 4, 0 + 1, 256, 512, false, fromFile(carSet.tyres[1].tyre[0])},        // tyre 1, software
        {70, 2, 2, 0, 256, 400, true, fromFile(carSet.tyres[0].tread)},               // tread of tyre 0
        {35, 44, 44, 2, 256, 64, false, fromFile(carSet.teams[2].cockpit[0])},        // slot 2, software
        {40, 44, 44, 22 + 10, 172, 508, true, fromFile(carSet.teams[10].pitCrew[1])}, // slot 10, hardware
        {65, 4, 4, 2, 256, 176, true, fromFile(carSet.pitBoxes[1].slot)},             // hardware
        {50, 22, 22, 4, 948, 650, true, fromFile(carSet.teams[4].artwork)},           // slot 4
    };
    for (std::size_t k = 0; k < pictures.size(); ++k) {
        const OnePicture& p = pictures[k];
        const auto path = folder / ("picture" + std::to_string(k) + ".bmp");
        // The artwork's file is the 1024-wide sheet bitmap the user loads.
        const PackedBitmap picture = Flat(p.width, p.height, p.colour);
        ASSERT_TRUE(Ok(p.directoryEntry == 50 ? SaveArtSheetBitmap(path, picture) : SaveBitmapFile(path, picture)));
        p.place(carSet, path);
    }
    Bytes file;
    ASSERT_TRUE(Ok(EncodeCarSet(carSet, GraphicEnvironment{}, file)));

    Bytes expected(200, 0);
    std::memcpy(expected.data(), "Tavolex", 7);
    expected[7] = 110;
    for (const OnePicture& p : pictures) {
        const std::size_t start = expected.size();
        expected[p.directoryEntry] = 1;
        WriteU32(expected.data() + p.directoryEntry + 1, static_cast<std::uint32_t>(start));
        Bytes flags(p.flagBytes, 0);
        flags[p.index] = 1; // the slot's source: a bitmap file
        expected.insert(expected.end(), flags.begin(), flags.end());
        Bytes offsets(4 * p.offsetEntries, 0);
        WriteU32(offsets.data() + 4 * p.index, static_cast<std::uint32_t>(start + p.flagBytes + 4 * p.offsetEntries));
        expected.insert(expected.end(), offsets.begin(), offsets.end());
        const int pixels = p.width * p.height;
        const Bytes record = Record(p.colour ? FlatRun16(pixels, kRed, kGreen, kBlue) : FlatRun8(pixels, kValue));
        expected.insert(expected.end(), record.begin(), record.end());
    }
    // Team data follows the last picture section.
    expected[20] = 1;
    WriteU32(expected.data() + 21, static_cast<std::uint32_t>(expected.size()));

    ASSERT_GE(file.size(), expected.size());
    const Bytes written(file.begin(), file.begin() + static_cast<std::ptrdiff_t>(expected.size()));
    for (std::size_t at = 0; at < expected.size(); ++at) {
        ASSERT_EQ(written[at], expected[at]) << "first difference at offset " << at;
    }
    EXPECT_EQ(ReadU32(file.data() + 61), 0u) << "entry 60 stays unused";
}

// Values that differ field by field, so a swapped pair shows.
void FillDistinctTeamData(CarSet& carSet) {
    for (int t = 0; t < kTeamCount; ++t) {
        TeamRecord& team = carSet.teams[static_cast<std::size_t>(t)];
        team.teamName = "Team " + std::to_string(t);
        team.engineName = "Eng" + std::to_string(t);
        team.qualifyingPower = static_cast<std::int16_t>(700 + t);
        team.racePower = static_cast<std::int16_t>(650 + t);
        team.failureProbability = static_cast<std::int16_t>(3000 + t);
        team.tyreType = static_cast<std::uint16_t>(t % 2);
        team.carNumbers = {static_cast<std::uint16_t>(40 + t), static_cast<std::uint16_t>(60 + t)};
        for (int d = 0; d < 2; ++d) {
            DriverRecord& driver = team.drivers[static_cast<std::size_t>(d)];
            driver.name = "Driver " + std::to_string(2 * t + d);
            driver.selected = static_cast<std::uint16_t>((t + d) % 2);
            driver.qualifyingPerformance = static_cast<std::int16_t>(16000 + 10 * t + d);
            driver.racePerformance = static_cast<std::int16_t>(-5000 - 10 * t - d); // signed, as a GP2 import leaves it
            driver.qualifyingRange = static_cast<std::int16_t>(100 + t);
            driver.raceRange = static_cast<std::int16_t>(-200 - t);
        }
        for (std::size_t c = 0; c < 16; ++c) team.pitCrewColours[c] = static_cast<std::uint8_t>(t * 16 + c);
        team.pitBoxPosition = static_cast<std::uint16_t>(10 - t);
    }
    carSet.tyres[0].name = "Soft";
    carSet.tyres[1].name = "Hard";
    // Team 3 has a livery: its number positions go into the file.
    carSet.teams[3].livery[0] = {GraphicSource::Generated, {}};
    for (int side = 0; side < 3; ++side) {
        carSet.teams[3].numberDestinations[static_cast<std::size_t>(side)] = {static_cast<std::uint16_t>(10 + side),
                                                                              static_cast<std::uint16_t>(20 + side)};
        for (int car = 0; car < 2; ++car) {
            carSet.teams[3].numberSources[static_cast<std::size_t>(car)][static_cast<std::size_t>(side)] = {
                static_cast<std::uint16_t>(30 + side + 3 * car), static_cast<std::uint16_t>(40 + side),
                static_cast<std::uint16_t>(50 + car), static_cast<std::uint16_t>(60 + side)};
        }
    }
    for (std::size_t i = 0; i < carSet.misc.points.size(); ++i)
        carSet.misc.points[i] = static_cast<std::uint8_t>(30 - i);
    const char* levels[] = {"Level EN", "Niveau", "Livello", "Stufe", "Nivel"};
    for (std::size_t l = 0; l < 5; ++l) carSet.misc.levelNames[l] = levels[l];
    carSet.misc.oppositionSpread = 2;
    carSet.misc.playerCarPower = 0;
}

Bytes ExpectedTeamData(const CarSet& carSet) {
    const auto& teams = carSet.teams;
    Bytes out;
    for (const auto& team : teams) {
        Text(out, team.teamName.str());
        Text(out, team.engineName.str());
    }
    for (const auto& team : teams) {
        U16(out, team.qualifyingPower);
        U16(out, team.racePower);
    }
    for (const auto& team : teams) U16(out, team.failureProbability);
    for (const auto& team : teams) U8(out, team.tyreType);
    for (const auto& team : teams) {
        for (const auto& driver : team.drivers) Text(out, driver.name.str());
    }
    for (const auto& team : teams) {
        for (auto number : team.carNumbers) U8(out, number);
    }
    for (const auto& team : teams) {
        for (const auto& driver : team.drivers) U8(out, driver.selected);
    }
    for (const auto& team : teams) {
        for (const auto& driver : team.drivers) {
            U16(out, driver.qualifyingPerformance);
            U16(out, driver.racePerformance);
        }
    }
    for (const auto& team : teams) {
        for (const auto& driver : team.drivers) {
            U16(out, driver.qualifyingRange);
            U16(out, driver.raceRange);
        }
    }
    for (const auto& team : teams) out.insert(out.end(), team.pitCrewColours.begin(), team.pitCrewColours.end());
    for (const auto& team : teams) U8(out, team.pitBoxPosition);
    for (const auto& tyre : carSet.tyres) Text(out, tyre.name.str());
    for (const auto& team : teams) {
        const bool livery =
            team.livery[0].source != GraphicSource::None || team.livery[1].source != GraphicSource::None;
        U8(out, livery ? 1 : 0);
        if (!livery)
            continue;
        for (const auto& point : team.numberDestinations) {
            U16(out, point.x);
            U16(out, point.y);
        }
        for (const auto& car : team.numberSources) {
            for (const auto& rect : car) {
                U16(out, rect.x);
                U16(out, rect.y);
                U16(out, rect.width);
                U16(out, rect.height);
            }
        }
    }
    out.insert(out.end(), carSet.misc.points.begin(), carSet.misc.points.end());
    for (const auto& name : carSet.misc.levelNames) Text(out, name.str());
    U8(out, carSet.misc.oppositionSpread);
    U8(out, carSet.misc.playerCarPower);
    return out;
}

TEST(CarSetGolden, TeamDataFieldsComeInTheFilesOrder) {
    CarSet carSet;
    NewCarSet(carSet);
    FillDistinctTeamData(carSet);
    Bytes file;
    ASSERT_TRUE(Ok(EncodeCarSet(carSet, GraphicEnvironment{}, file)));
    ASSERT_EQ(file[20], 1);
    const std::size_t start = ReadU32(file.data() + 21);
    const Bytes expected = ExpectedTeamData(carSet);
    ASSERT_EQ(file.size(), start + expected.size() + 8) << "nothing between the team data and the trailer";
    const Bytes written(file.begin() + static_cast<std::ptrdiff_t>(start), file.end() - 8);
    for (std::size_t at = 0; at < expected.size(); ++at) {
        ASSERT_EQ(written[at], expected[at]) << "first difference at team data byte " << at;
    }
    CarSet loaded;
    NewCarSet(loaded);
    SpanSource source(file);
    ASSERT_EQ(LoadCarSet(loaded, source, "/sets/golden.gp3"), Error::None);
    for (int t = 0; t < kTeamCount; ++t) {
        const auto& a = loaded.teams[static_cast<std::size_t>(t)];
        const auto& b = carSet.teams[static_cast<std::size_t>(t)];
        EXPECT_EQ(a.drivers, b.drivers) << t;
        EXPECT_EQ(a.racePower, b.racePower) << t;
    }
    EXPECT_EQ(loaded.teams[0].drivers[1].racePerformance, -5001);
}

TEST(CarSetGolden, AnOldCarSetGivesDefaultNumberPositionsToTeamsWithALivery) {
    // Format 100: the team data without number positions and settings, and a
    // livery section holding only team 3's hardware livery flag.
    CarSet source;
    NewCarSet(source);
    const Bytes full = ExpectedTeamData(source);
    std::size_t tail = 11 + 22 + 2; // number position flags, points, spread, power
    for (const auto& name : source.misc.levelNames) tail += 1 + name.view().size();
    const Bytes teamData(full.begin(), full.end() - static_cast<std::ptrdiff_t>(tail));

    Bytes file(200, 0);
    std::memcpy(file.data(), "Tavolex", 7);
    file[7] = 100;
    file[25] = 1;
    WriteU32(file.data() + 26, 200);
    Bytes flags(44, 0);
    flags[22 + 3] = 3;
    file.insert(file.end(), flags.begin(), flags.end());
    Bytes offsets(4 * 44, 0);
    WriteU32(offsets.data() + 4 * (22 + 3), static_cast<std::uint32_t>(200 + 44 + 4 * 44));
    file.insert(file.end(), offsets.begin(), offsets.end());
    const Bytes record = Record(FlatRun16(256 * 384, kRed, kGreen, kBlue));
    file.insert(file.end(), record.begin(), record.end());
    file[20] = 1;
    WriteU32(file.data() + 21, static_cast<std::uint32_t>(file.size()));
    file.insert(file.end(), teamData.begin(), teamData.end());
    for (std::uint16_t value : ComputeCarSetChecksums(file)) U16(file, value);

    CarSet loaded;
    NewCarSet(loaded);
    SpanSource bytes(file);
    ASSERT_EQ(LoadCarSet(loaded, bytes, "/sets/old.gp3"), Error::None);
    EXPECT_EQ(loaded.formatVersion, 100u);
    EXPECT_EQ(loaded.teams[3].livery[1].source, GraphicSource::CarSet);
    TeamRecord defaults = loaded.teams[3];
    SetDefaultNumberPositions(defaults, 3);
    EXPECT_NE(defaults.numberDestinations[0], NumberPoint{}) << "the game's positions are not all zero";
    EXPECT_EQ(loaded.teams[3].numberDestinations, defaults.numberDestinations);
    EXPECT_EQ(loaded.teams[3].numberSources, defaults.numberSources);
    EXPECT_EQ(loaded.teams[2].numberDestinations[0], NumberPoint{}) << "no livery, no positions";
}

} // namespace
} // namespace tavolex
