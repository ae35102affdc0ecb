#include <cstring>

#include <gtest/gtest.h>

#include "RecordingProgress.h"
#include "TestSupport.h"
#include "core/ByteOrder.h"
#include "formats/JamBuilder.h"
#include "formats/JamScramble.h"
#include "formats/SoftwareJam.h"

namespace tavolex {
namespace {
using test::ReadBytes;
using test::ScratchFolder;
using test::WriteBytes;

std::vector<std::uint8_t> Descrambled(std::vector<std::uint8_t> bytes) {
    ScrambleJam(bytes.data(), bytes.size());
    return bytes;
}

std::vector<std::uint8_t> Scrambled(std::vector<std::uint8_t> bytes) {
    ScrambleJam(bytes.data(), bytes.size());
    return bytes;
}

TEST(ScrambleJam, XorsWordsWithARunningKeyAndOnlyTheFirstTailByte) {
    std::vector<std::uint8_t> bytes(7, 0);
    ScrambleJam(bytes.data(), bytes.size());
    EXPECT_EQ(ReadU32(bytes.data()), 0xB082F165u);
    const std::uint32_t second = 0xB082F165u * 5u;
    EXPECT_EQ(bytes[4], static_cast<std::uint8_t>(second));
    EXPECT_EQ(bytes[5], 0);
    EXPECT_EQ(bytes[6], 0);
    ScrambleJam(bytes.data(), bytes.size());
    EXPECT_EQ(bytes, std::vector<std::uint8_t>(7, 0)) << "the same operation undoes it";
}

// A 256 x 8 sheet with two sub-images; the middle rows 3 and 4 belong to none.
struct SmallSheet {
    PackedBitmap image = test::Banded8(256, 8);
    std::vector<JamRectangle> rectangles = {{0, 0, 256, 3}, {16, 5, 100, 3}};
};

PackedBitmap WithUncoveredPixelsZero(PackedBitmap image, const std::vector<JamRectangle>& rects) {
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < 256; ++x) {
            bool covered = false;
            for (const auto& r : rects) {
                covered |= x >= r.x && x < r.x + r.width && y >= r.y && y < r.y + r.height;
            }
            if (!covered) {
                image.topRow(y)[x] = 0;
            }
        }
    }
    return image;
}

TEST(SoftwareJam, ReadsBackWhatWasWrittenAndZeroesUncoveredPixels) {
    SmallSheet sheet;
    std::vector<std::uint8_t> file;
    ASSERT_TRUE(Ok(BuildSoftwareJam(sheet.image, sheet.rectangles, false, file)));
    PackedBitmap read;
    ASSERT_TRUE(Ok(DecodeSoftwareJam(file, 8, 2, read)));
    EXPECT_EQ(read, WithUncoveredPixelsZero(sheet.image, sheet.rectangles));

    // Patching without changes gives a file that decodes to the same pixels
    // (and the same tables: only the uncovered pixels, now 0, differ).
    std::vector<std::uint8_t> patched;
    ASSERT_TRUE(Ok(PatchSoftwareJamBytes(file, read, 8, 2, false, patched)));
    ASSERT_EQ(patched.size(), file.size());
    PackedBitmap again;
    ASSERT_TRUE(Ok(DecodeSoftwareJam(patched, 8, 2, again)));
    EXPECT_EQ(again, read);
}

TEST(SoftwareJam, PatchingBuildsSortedTablesWrittenFourTimes) {
    PackedBitmap image(256, 1, Depth::Bits8);
    const std::uint8_t pixels[] = {9, 4, 9, 200};
    std::memcpy(image.topRow(0), pixels, 4);
    std::vector<std::uint8_t> file;
    ASSERT_TRUE(Ok(BuildSoftwareJam(image, {{0, 0, 4, 1}, {4, 0, 252, 1, true}}, false, file)));
    const auto plain = Descrambled(file);
    const std::uint8_t* entry = plain.data() + 4;
    EXPECT_EQ(ReadU16(entry + 16), 3);
    EXPECT_EQ(ReadU16(entry + 12), 0);
    const std::uint8_t* tables = plain.data() + 4 + 64;
    const std::vector<std::uint8_t> expectedTables = {4, 9, 200, 4, 9, 200, 4, 9, 200, 4, 9, 200};
    EXPECT_EQ(std::vector<std::uint8_t>(tables, tables + 12), expectedTables);
    const std::uint8_t* sheet = tables + 12;
    EXPECT_EQ(std::vector<std::uint8_t>(sheet, sheet + 4), (std::vector<std::uint8_t>{1, 0, 1, 2}));
    EXPECT_EQ(plain.size(), 4u + 64u + 12u + 256u);
    // The entry without a table keeps global indices and tells where the pixels start.
    EXPECT_EQ(ReadU16(entry + 32 + 16), 0);
    PackedBitmap read;
    ASSERT_TRUE(Ok(DecodeSoftwareJam(file, 1, std::nullopt, read)));
    EXPECT_EQ(read, image);
}

TEST(SoftwareJam, PatchingCountsEveryEntryAlsoThoseWithoutColours) {
    PackedBitmap image(256, 1, Depth::Bits8);
    std::vector<std::uint8_t> file;
    // The last entry keeps global indices: no table, nothing to rewrite, but an item all the same.
    ASSERT_TRUE(Ok(BuildSoftwareJam(image, {{0, 0, 4, 1}, {4, 0, 100, 1}, {104, 0, 152, 1, true}}, false, file)));
    test::RecordingProgress progress;
    std::vector<std::uint8_t> patched;
    ASSERT_TRUE(Ok(PatchSoftwareJamBytes(file, image, 1, 3, false, patched, &progress)));
    const std::vector<std::pair<int, int>> expected = {{1, 3}, {2, 3}, {3, 3}};
    EXPECT_EQ(progress.counters, expected);
}

TEST(SoftwareJam, WheelBlurSheetsGetIdentityTablesAndKeepTheirPixels) {
    SmallSheet sheet;
    std::vector<std::uint8_t> file;
    ASSERT_TRUE(Ok(BuildSoftwareJam(sheet.image, sheet.rectangles, true, file)));
    const auto plain = Descrambled(file);
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(ReadU16(plain.data() + 4 + 32 * i + 16), 256);
        EXPECT_EQ(ReadU16(plain.data() + 4 + 32 * i + 12), 1024 * i);
    }
    const std::uint8_t* tables = plain.data() + 4 + 64;
    for (int i = 0; i < 2048; ++i) {
        ASSERT_EQ(tables[i], i % 256);
    }
    const std::uint8_t* pixels = tables + 2048;
    EXPECT_EQ(0, std::memcmp(pixels, sheet.image.topRow(0), 256));
}

TEST(SoftwareJam, LooksUpLocalIndicesAndZeroesThoseAboveTheCount) {
    PackedBitmap image(256, 1, Depth::Bits8);
    std::memcpy(image.topRow(0), "\x05\x07\x09\x09", 4);
    std::vector<std::uint8_t> file;
    ASSERT_TRUE(Ok(BuildSoftwareJam(image, {{0, 0, 4, 1}}, false, file)));
    // Colours 5, 7, 9 -> table {5, 7, 9}; set local indices 3 (== n) and 4 (> n).
    auto plain = Descrambled(file);
    std::uint8_t* sheet = plain.data() + 4 + 32 + 12;
    sheet[0] = 3;
    sheet[1] = 4;
    sheet[2] = 2;
    PackedBitmap read;
    ASSERT_TRUE(Ok(DecodeSoftwareJam(Scrambled(plain), 1, 1, read)));
    EXPECT_EQ(read.topRow(0)[0], 5) << "p == n reads the second copy's first value";
    EXPECT_EQ(read.topRow(0)[1], 0) << "p > n becomes 0";
    EXPECT_EQ(read.topRow(0)[2], 9);
}

TEST(SoftwareJam, RefusesHostileHeadersAndDirectories) {
    SmallSheet sheet;
    std::vector<std::uint8_t> file;
    ASSERT_TRUE(Ok(BuildSoftwareJam(sheet.image, sheet.rectangles, false, file)));
    const auto plain = Descrambled(file);
    PackedBitmap read;
    auto decodeWith = [&](std::size_t offset, std::uint16_t value) {
        auto copy = plain;
        WriteU16(copy.data() + offset, value);
        return DecodeSoftwareJam(Scrambled(copy), 8, std::nullopt, read);
    };
    EXPECT_EQ(DecodeSoftwareJam(file, 9, std::nullopt, read), Error::WrongHeight);
    EXPECT_EQ(DecodeSoftwareJam(file, 8, 3, read), Error::WrongImageCount);
    EXPECT_EQ(decodeWith(0, 0), Error::NoImages);
    EXPECT_EQ(decodeWith(0, 5000), Error::DirectoryOutsideFile);
    EXPECT_EQ(decodeWith(4 + 32 + 4, 241), Error::RectangleOutsideSheet); // x 16 + width 241
    EXPECT_EQ(decodeWith(4 + 32 + 6, 4), Error::RectangleOutsideSheet);   // y 5 + height 4
    EXPECT_EQ(decodeWith(4 + 16, 257), Error::ColourCountTooLarge);
    EXPECT_EQ(decodeWith(4 + 12, 60000), Error::ColourTableOutsideFile);
    EXPECT_EQ(decodeWith(4 + 32 + 12, 60000), Error::ColourTableOutsideFile);
    for (std::size_t length : {std::size_t{0}, std::size_t{3}, std::size_t{40}, file.size() - 1}) {
        std::vector<std::uint8_t> cut(file.begin(), file.begin() + static_cast<std::ptrdiff_t>(length));
        EXPECT_FALSE(Ok(DecodeSoftwareJam(cut, 8, std::nullopt, read))) << length;
        std::vector<std::uint8_t> out;
        if (length < 4 + 64) {
            EXPECT_FALSE(Ok(PatchSoftwareJamBytes(cut, sheet.image, 8, std::nullopt, false, out)));
        }
    }
    std::vector<std::uint8_t> out;
    EXPECT_EQ(PatchSoftwareJamBytes(file, test::Banded8(256, 9), 9, std::nullopt, false, out), Error::WrongHeight);
    EXPECT_EQ(PatchSoftwareJamBytes(file, test::PhotoLike24(256, 8), 8, std::nullopt, false, out),
              Error::WrongBitmapDepth);
}

TEST(SoftwareJam, PatchingAFileReplacesItWholeOrNotAtAll) {
    ScratchFolder folder;
    SmallSheet sheet;
    std::vector<std::uint8_t> file;
    ASSERT_TRUE(Ok(BuildSoftwareJam(sheet.image, sheet.rectangles, false, file)));
    const auto path = folder / "TEST.JAM";
    WriteBytes(path, file);
    std::filesystem::permissions(path, std::filesystem::perms::owner_read | std::filesystem::perms::group_read);

    const PackedBitmap changed = test::Banded8(256, 8, 99);
    {
        test::FileSizeLimit limit(64);
        EXPECT_EQ(PatchSoftwareJam(path, changed, 8, 2, false), Error::WriteFailed);
    }
    EXPECT_EQ(ReadBytes(path), file);

    ASSERT_TRUE(Ok(PatchSoftwareJam(path, changed, 8, 2, false)));
    PackedBitmap read;
    ASSERT_TRUE(Ok(ReadSoftwareJam(path, 8, 2, read)));
    EXPECT_EQ(read, WithUncoveredPixelsZero(changed, sheet.rectangles));
    const auto perms = std::filesystem::status(path).permissions();
    EXPECT_NE(perms & std::filesystem::perms::group_read, std::filesystem::perms::none);
    EXPECT_NE(perms & std::filesystem::perms::owner_write, std::filesystem::perms::none)
        << "a read-only file is made writable, as the game's tools do";
}

} // namespace
} // namespace tavolex
