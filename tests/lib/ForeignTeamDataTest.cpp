#include <cstring>
#include <functional>

#include <gtest/gtest.h>

#include "TestSupport.h"
#include "core/ByteOrder.h"
#include "core/RunningChecksum.h"
#include "teams/ForeignTeamData.h"

namespace tavolex {
namespace {

using test::NewSet;

TEST(PerFile, MissingKeysTakeTheirDefaults) {
    CarSet carSet = NewSet();
    carSet.teams[3].teamName = "Changed";
    ReadPerText("", carSet);
    EXPECT_EQ(carSet.teams[3].teamName.view(), "Team Name");
    EXPECT_EQ(carSet.teams[3].qualifyingPower, 770);
    EXPECT_EQ(carSet.teams[3].racePower, 760);
    EXPECT_EQ(carSet.teams[3].carNumbers, (std::array<std::uint16_t, 2>{6, 7})) << "numbers 0 to 21 in order";
    EXPECT_EQ(carSet.teams[3].drivers[1].raceRange, 192);

    ReadPerText("[tqp]\n0=33600\n1=32000\n2=35000\n[TFAIL]\n0=40000\n[Name]\n1=A name longer than twenty-three\n"
                "[nbr]\n0=150\n",
                carSet);
    EXPECT_EQ(carSet.teams[0].qualifyingPower, 783);
    EXPECT_EQ(carSet.teams[1].qualifyingPower, 0);
    EXPECT_EQ(carSet.teams[2].qualifyingPower, 1579);
    EXPECT_EQ(carSet.teams[0].failureProbability, 32767);
    EXPECT_EQ(carSet.teams[0].drivers[1].name.view(), "A name longer than twen");
    EXPECT_EQ(carSet.teams[0].carNumbers[0], 99);
    test::ScratchFolder folder;
    EXPECT_TRUE(Ok(ReadPerFile(folder / "missing.per", carSet)));
}

// A GP2 car set of the given format with its team data block filled in.
std::vector<std::uint8_t> Gp2(int format, const std::function<void(std::uint8_t*)>& fill, std::uint8_t byte4 = 1) {
    std::vector<std::uint8_t> file;
    std::size_t block = 0;
    if (format == 100 || format == 120) {
        file.assign(650076 + 2500, 0);
        std::memcpy(file.data(), format == 100 ? "SET" : "120", 3);
        file[4] = byte4;
        block = 650076;
    } else {
        file.assign(200 + 4000, 0);
        std::memcpy(file.data(), "quenset", 7);
        WriteU16(file.data() + 7, static_cast<std::uint16_t>(format));
        WriteU32(file.data() + 85, format == 160 ? 199 : 200);
        block = 200;
    }
    fill(file.data() + block);
    file.resize(file.size() + 4);
    RunningChecksum sum;
    sum.add(std::span(file).first(file.size() - 4));
    WriteU16(file.data() + file.size() - 4, sum.sum);
    WriteU16(file.data() + file.size() - 2, sum.rot);
    return file;
}

void FillBlock(std::uint8_t* b, bool shortLayout) {
    std::memcpy(b + 13 * 2, "Benetton", 9);
    std::memcpy(b + 260 + 13 * 2, "Playlife", 9);
    WriteU16(b + 520 + 4, 780);
    WriteU16(b + 600 + 4, 40000);
    for (int t = 0; t < 11; ++t) {
        const int first = 2 * t + 1;
        if (shortLayout) {
            WriteU16(b + 800 + 2 * t, static_cast<std::uint16_t>(first));
            WriteU16(b + 840 + 2 * t, static_cast<std::uint16_t>(first + 1));
        } else {
            b[1060 + t] = static_cast<std::uint8_t>(first);
            b[1080 + t] = static_cast<std::uint8_t>(first + 1);
            b[1160 + t] = static_cast<std::uint8_t>(t == 2 ? 1 : 0);
        }
    }
    const std::size_t names = shortLayout ? 880 : 1180;
    const std::size_t race = shortLayout ? 1840 : 2140;
    std::memcpy(b + names + 24 * 5, "Giancarlo Fisichella", 21); // car number 6
    WriteU16(b + race + 2 * 5, 20000);
    WriteU16(b + race + 2 * 6, 10000);
    WriteU16(b + race + 80 + 2 * 5, 18000);
    WriteU16(b + race + 160 + 2 * 5, 16384);
    std::memcpy(b + names + 24 * 39, "Nobody", 7); // car number 40: no seat carries it
}

TEST(Gp2CarSet, ReadsEveryFormatAndMatchesDriversByNumber) {
    for (int format : {100, 120, 160, 170, 180}) {
        const bool shortLayout = format == 100;
        auto file = Gp2(format, [&](std::uint8_t* b) { FillBlock(b, shortLayout); });
        EXPECT_EQ(Gp2Format(file), format);
        CarSet carSet = NewSet();
        ASSERT_TRUE(Ok(ReadGp2CarSet(file, carSet))) << format;
        const TeamRecord& team = carSet.teams[2];
        EXPECT_EQ(team.teamName.view(), "Benetton") << format;
        EXPECT_EQ(team.engineName.view(), "Playlife");
        EXPECT_EQ(team.racePower, 780);
        EXPECT_EQ(team.failureProbability, 32767);
        EXPECT_EQ(team.carNumbers, (std::array<std::uint16_t, 2>{5, 6}));
        EXPECT_EQ(team.drivers[1].name.view(), "Giancarlo Fisichella");
        EXPECT_EQ(team.drivers[1].racePerformance, 4121);
        EXPECT_EQ(team.drivers[1].qualifyingPerformance, 2181);
        EXPECT_EQ(team.drivers[1].raceRange, 1128);
        EXPECT_EQ(carSet.teams[3].drivers[0].racePerformance, -5578) << "a figure below 15751 stays negative";
        EXPECT_EQ(team.drivers[1].selected, shortLayout ? 0 : 1) << "format 100 keeps the flags";
        EXPECT_EQ(carSet.teams[10].drivers[1].name.view(), "") << "number 40 belongs to nobody";
    }
}

// Names with a control character are refused with the file, from either kind.
TEST(ForeignTeamData, ANameWithAControlCharacterRefusesTheFile) {
    test::ScratchFolder folder;
    const std::string per = "[Name]\n3=Bad\x01Name\n";
    test::WriteBytes(folder / "bad.per", std::vector<std::uint8_t>(per.begin(), per.end()));
    CarSet carSet = NewSet();
    carSet.teams[1].teamName = "Before";
    const CarSet before = carSet;
    EXPECT_EQ(ReadPerFile(folder / "bad.per", carSet), Error::ControlCharacter);
    EXPECT_EQ(carSet.teams, before.teams);

    auto file = Gp2(160, [](std::uint8_t* b) {
        FillBlock(b, false);
        std::memcpy(b + 13 * 4,
                    "Es\x1B"
                    "cape",
                    8); // team 4's name
    });
    EXPECT_EQ(ReadGp2CarSet(file, carSet), Error::ControlCharacter);
    EXPECT_EQ(carSet.teams, before.teams);
}

TEST(Gp2CarSet, NumberZeroRulesAndRefusals) {
    auto numbersOf = [](const std::vector<std::uint8_t>& file) {
        CarSet carSet = NewSet();
        EXPECT_TRUE(Ok(ReadGp2CarSet(file, carSet)));
        return carSet.teams[0].carNumbers[0];
    };
    EXPECT_EQ(numbersOf(Gp2(
                  100, [](std::uint8_t* b) { FillBlock(b, true); }, 0)),
              0);
    EXPECT_EQ(numbersOf(Gp2(
                  100, [](std::uint8_t* b) { FillBlock(b, true); }, 1)),
              1);
    EXPECT_EQ(numbersOf(Gp2(
                  120, [](std::uint8_t* b) { FillBlock(b, false); }, 1)),
              0);
    EXPECT_EQ(numbersOf(Gp2(
                  120, [](std::uint8_t* b) { FillBlock(b, false); }, 0)),
              1);
    EXPECT_EQ(numbersOf(Gp2(170,
                            [](std::uint8_t* b) {
                                FillBlock(b, false);
                                b[2420] = 1;
                            })),
              0);

    CarSet carSet = NewSet();
    const CarSet before = carSet;
    auto bad = Gp2(160, [](std::uint8_t* b) { FillBlock(b, false); });
    bad[300] ^= 1;
    EXPECT_EQ(ReadGp2CarSet(bad, carSet), Error::ChecksumMismatch);
    auto other = Gp2(160, [](std::uint8_t* b) { FillBlock(b, false); });
    WriteU16(other.data() + 7, 150);
    EXPECT_EQ(Gp2Format(other), 0);
    EXPECT_EQ(ReadGp2CarSet(other, carSet), Error::NotAGp2CarSet);
    // A block offset beyond the file, with valid checksums.
    auto outside = Gp2(180, [](std::uint8_t* b) { FillBlock(b, false); });
    WriteU32(outside.data() + 85, 0xFFFFFF00u);
    outside.resize(outside.size() - 4);
    RunningChecksum sum;
    sum.add(outside);
    outside.resize(outside.size() + 4);
    WriteU16(outside.data() + outside.size() - 4, sum.sum);
    WriteU16(outside.data() + outside.size() - 2, sum.rot);
    EXPECT_EQ(ReadGp2CarSet(outside, carSet), Error::UnknownGp2Layout);
    EXPECT_EQ(ReadGp2CarSet(std::vector<std::uint8_t>{'s', 'e', 't'}, carSet), Error::ChecksumMismatch);
    EXPECT_EQ(carSet.teams, before.teams);
}

} // namespace
} // namespace tavolex
