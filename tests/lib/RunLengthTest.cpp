#include <random>

#include <gtest/gtest.h>

#include "formats/RunLength16.h"
#include "formats/RunLength8.h"

namespace tavolex {
namespace {

std::vector<std::uint16_t> Decode16(const std::vector<std::uint8_t>& coded, std::size_t count,
                                    int implicitCode = kNoImplicitCode) {
    std::vector<std::uint16_t> values(count);
    std::size_t consumed = 0;
    EXPECT_TRUE(Ok(DecodeRun16(coded, count, implicitCode, values.data(), &consumed)));
    EXPECT_EQ(consumed, coded.size());
    return values;
}

TEST(Run16, OneColourSheetCodesAsRunsOf127AndOneShorterRun) {
    const std::vector<std::uint16_t> values(256 * 3, 0xBEEF);
    std::vector<std::uint8_t> coded;
    const std::size_t size = EncodeRun16(values, &coded);
    EXPECT_EQ(size, coded.size());
    EXPECT_EQ(EncodeRun16(values, nullptr), size) << "measuring gives the same size";
    ASSERT_EQ(coded.size(), 7u * 3u); // 6 runs of 127 and one of 6
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(coded[3 * i], 127);
        EXPECT_EQ(coded[3 * i + 1], 0xEF);
        EXPECT_EQ(coded[3 * i + 2], 0xBE);
    }
    EXPECT_EQ(coded[18], 6);
    EXPECT_EQ(Decode16(coded, values.size()), values);
}

TEST(Run16, NoEqualNeighboursCodeAsLiteralsAndAFinalRunOfOne) {
    std::vector<std::uint16_t> values(256);
    for (std::size_t i = 0; i < values.size(); ++i) {
        values[i] = static_cast<std::uint16_t>(i * 7 + 1);
    }
    std::vector<std::uint8_t> coded;
    EncodeRun16(values, &coded);
    // 127 values, 127 values, 1 value, then the last value as a run of 1.
    ASSERT_EQ(coded.size(), (1u + 254u) * 2u + (1u + 2u) + 3u);
    EXPECT_EQ(coded[0], 128 + 127);
    EXPECT_EQ(coded[255], 128 + 127);
    EXPECT_EQ(coded[510], 128 + 1);
    EXPECT_EQ(coded[513], 1);
    EXPECT_EQ(Decode16(coded, values.size()), values);
}

TEST(Run16, ALiteralStopsBeforeTheValueThatBeginsARepeat) {
    const std::vector<std::uint16_t> values = {1, 2, 3, 3, 3, 4};
    std::vector<std::uint8_t> coded;
    EncodeRun16(values, &coded);
    const std::vector<std::uint8_t> expected = {130, 1, 0, 2, 0, 3, 3, 0, 1, 4, 0};
    EXPECT_EQ(coded, expected);
    EXPECT_EQ(Decode16(coded, values.size()), values);
}

TEST(Run16, RoundTripsMixedContent) {
    std::mt19937 random(3);
    std::vector<std::uint16_t> values(100000);
    for (std::size_t i = 0; i < values.size(); ++i) {
        values[i] = random() % 4 == 0 && i > 0 ? values[i - 1] : static_cast<std::uint16_t>(random() % 8);
    }
    std::vector<std::uint8_t> coded;
    EncodeRun16(values, &coded);
    EXPECT_EQ(Decode16(coded, values.size()), values);
    EXPECT_EQ(EncodeRun16(std::vector<std::uint16_t>{}, nullptr), 0u);
}

TEST(Run16, DecodingUsesAnImplicitFirstCodeAndRefusesBadStreams) {
    // Implicit 130: the stream starts straight with two literal values.
    const std::vector<std::uint8_t> implicit = {5, 0, 6, 0, 2, 9, 0};
    EXPECT_EQ(Decode16(implicit, 4, 130), (std::vector<std::uint16_t>{5, 6, 9, 9}));
    // 128 and below mean "none": the first packet carries its own code.
    EXPECT_EQ(Decode16({2, 7, 0}, 2, 127), (std::vector<std::uint16_t>{7, 7}));

    std::vector<std::uint16_t> out(4);
    EXPECT_EQ(DecodeRun16(std::vector<std::uint8_t>{3, 1}, 3, 128, out.data(), nullptr), Error::StreamTruncated);
    EXPECT_EQ(DecodeRun16(std::vector<std::uint8_t>{131, 1, 0, 2, 0}, 3, 128, out.data(), nullptr),
              Error::StreamTruncated);
    EXPECT_EQ(DecodeRun16(std::vector<std::uint8_t>{5, 1, 0}, 4, 128, out.data(), nullptr), Error::StreamOverrun);
    EXPECT_EQ(DecodeRun16(std::vector<std::uint8_t>{133, 1, 0}, 4, 128, out.data(), nullptr), Error::StreamOverrun);
    EXPECT_EQ(DecodeRun16(std::vector<std::uint8_t>{}, 1, 128, out.data(), nullptr), Error::StreamTruncated);
    // Code 0 is a run of nothing; 128 a run of 128.
    std::vector<std::uint16_t> big(130);
    EXPECT_TRUE(Ok(DecodeRun16(std::vector<std::uint8_t>{0, 1, 0, 128, 2, 0, 2, 3, 0}, 130, 128, big.data(), nullptr)));
    EXPECT_EQ(big[127], 2);
    EXPECT_EQ(big[129], 3);
}

TEST(Run8, CodesSingleHighBytesAsPairsAndRunsUpTo63) {
    std::vector<std::uint8_t> coded;
    EncodeRun8(std::vector<std::uint8_t>{192}, &coded);
    EXPECT_EQ(coded, (std::vector<std::uint8_t>{192}));
    coded.clear();
    EncodeRun8(std::vector<std::uint8_t>{193}, &coded);
    EXPECT_EQ(coded, (std::vector<std::uint8_t>{193, 193}));
    coded.clear();
    const std::vector<std::uint8_t> run(70, 5);
    EXPECT_EQ(EncodeRun8(run, &coded), 4u);
    EXPECT_EQ(coded, (std::vector<std::uint8_t>{255, 5, 199, 5}));
    EXPECT_EQ(EncodeRun8(run, nullptr), 4u);
}

TEST(Run8, RoundTripsAndRefusesBadStreams) {
    std::mt19937 random(5);
    std::vector<std::uint8_t> bytes(50000);
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        bytes[i] = random() % 3 == 0 && i > 0 ? bytes[i - 1] : static_cast<std::uint8_t>(random());
    }
    std::vector<std::uint8_t> coded;
    EncodeRun8(bytes, &coded);
    std::vector<std::uint8_t> decoded(bytes.size());
    std::size_t produced = 0;
    ASSERT_TRUE(Ok(DecodeRun8(coded, decoded.data(), decoded.size(), &produced)));
    EXPECT_EQ(produced, bytes.size());
    EXPECT_EQ(decoded, bytes);

    std::uint8_t out[4];
    EXPECT_EQ(DecodeRun8(std::vector<std::uint8_t>{1, 200}, out, 4, nullptr), Error::StreamTruncated);
    EXPECT_EQ(DecodeRun8(std::vector<std::uint8_t>{197, 1}, out, 4, nullptr), Error::StreamOverrun);
    EXPECT_EQ(DecodeRun8(std::vector<std::uint8_t>{1, 2, 3, 4, 5}, out, 4, nullptr), Error::StreamOverrun);
}

} // namespace
} // namespace tavolex
