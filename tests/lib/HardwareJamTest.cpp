#include <gtest/gtest.h>

#include "TestSupport.h"
#include "core/ByteOrder.h"
#include "formats/GameJam.h"
#include "formats/HardwareJam.h"
#include "formats/JamBuilder.h"
#include "formats/RunLength16.h"

namespace tavolex {
namespace {
using test::ReadBytes;
using test::ScratchFolder;
using test::WriteBytes;

TEST(HardwareJam, RoundTripsThroughThe565Reduction) {
    const PackedBitmap image = test::PhotoLike24(256, 48);
    std::vector<std::uint8_t> file;
    ASSERT_TRUE(Ok(BuildHardwareJam(image, 3, file)));
    PackedBitmap read;
    ASSERT_TRUE(Ok(DecodeHardwareJam(file, 48, 3, read)));
    EXPECT_EQ(read, test::ReducedTo565(image));

    std::vector<std::uint8_t> patched;
    ASSERT_TRUE(Ok(PatchHardwareJamBytes(file, read, 48, 3, patched)));
    EXPECT_EQ(patched, file) << "patching unchanged pixels gives the same file";
}

TEST(HardwareJam, PatchedFilesEndWithTheStreamAndSetTheImplicitByte) {
    const PackedBitmap image = test::PhotoLike24(256, 16);
    std::vector<std::uint8_t> file;
    ASSERT_TRUE(Ok(BuildHardwareJam(image, 3, file)));
    // Pretend the last record (kind 2) asked for an implicit first code, then patch.
    HardwareStream stream;
    ASSERT_TRUE(Ok(LocateHardwareStream(file, 3, stream)));
    EXPECT_EQ(stream.lastKind, 2);
    EXPECT_EQ(stream.implicitCode, 128);
    file[stream.implicitByte] = 7;
    // A longer file: trailing bytes after the stream are dropped by the patch.
    file.insert(file.end(), 100, 0xAA);

    const PackedBitmap flat = test::ReducedTo565(test::PhotoLike24(256, 16, 9));
    std::vector<std::uint8_t> patched;
    ASSERT_TRUE(Ok(PatchHardwareJamBytes(file, flat, 16, 3, patched)));
    EXPECT_EQ(patched[stream.implicitByte], 133 - 2);
    std::vector<std::uint16_t> values(256 * 16);
    std::size_t consumed = 0;
    ASSERT_TRUE(
        Ok(DecodeRun16(std::span(patched).subspan(stream.start), values.size(), 128, values.data(), &consumed)));
    EXPECT_EQ(stream.start + consumed, patched.size());
    PackedBitmap read;
    ASSERT_TRUE(Ok(DecodeHardwareJam(patched, 16, 3, read)));
    EXPECT_EQ(read, flat);
}

TEST(HardwareJam, HonoursAnImplicitFirstCode) {
    // One record of kind 4 whose byte makes the implicit code 130: the stream
    // then begins straight with the two values of a literal.
    std::vector<std::uint8_t> file(8);
    WriteU32(file.data(), kHardwareJamMagic);
    WriteU16(file.data() + 4, 1);
    WriteU16(file.data() + 6, 1);
    const std::vector<std::uint8_t> record = {0xFF, 0xFF, 1, 1, 1, 1, 4, 1, 1, 131, 1, 0x20};
    file.insert(file.end(), record.begin(), record.end());
    const std::vector<std::uint8_t> stream = {0x1F, 0x00, 0xE0, 0x07, 126, 0x00, 0xF8, 128, 0, 0};
    file.insert(file.end(), stream.begin(), stream.end());
    PackedBitmap read;
    ASSERT_TRUE(Ok(DecodeHardwareJam(file, 1, 1, read)));
    const std::uint8_t* row = read.topRow(0);
    EXPECT_EQ(row[0], 0xF8); // pure blue
    EXPECT_EQ(row[4], 0xFC); // pure green
    EXPECT_EQ(row[5], 0x00);
    EXPECT_EQ(row[8], 0xF8); // red from the run
    EXPECT_EQ(row[3 * 127 + 2], 0xF8);
}

TEST(HardwareJam, RefusesBrokenFiles) {
    std::vector<std::uint8_t> file;
    ASSERT_TRUE(Ok(BuildHardwareJam(test::PhotoLike24(256, 8), 2, file)));
    PackedBitmap read;
    EXPECT_EQ(DecodeHardwareJam(file, 9, std::nullopt, read), Error::WrongHeight);
    EXPECT_EQ(DecodeHardwareJam(file, 8, 3, read), Error::WrongImageCount);
    auto bad = file;
    bad[0] ^= 1;
    EXPECT_EQ(DecodeHardwareJam(bad, 8, 2, read), Error::BadMagic);
    bad = file;
    WriteU16(bad.data() + 4, 0);
    EXPECT_EQ(DecodeHardwareJam(bad, 8, std::nullopt, read), Error::NoImages);
    bad = file;
    WriteU16(bad.data() + 4, 50);
    EXPECT_FALSE(Ok(DecodeHardwareJam(bad, 8, std::nullopt, read)));
    // Every truncation fails cleanly.
    for (std::size_t length = 0; length < file.size(); length += 97) {
        std::vector<std::uint8_t> cut(file.begin(), file.begin() + static_cast<std::ptrdiff_t>(length));
        EXPECT_FALSE(Ok(DecodeHardwareJam(cut, 8, std::nullopt, read))) << length;
        std::vector<std::uint8_t> out;
        if (length < 30) {
            EXPECT_FALSE(Ok(PatchHardwareJamBytes(cut, test::PhotoLike24(256, 8), 8, 2, out)));
        }
    }
    // A record of a large kind would search for its end before its own marker.
    bad = file;
    bad[8 + 6] = 200;
    EXPECT_EQ(DecodeHardwareJam(bad, 8, 2, read), Error::RecordNotFound);
    std::vector<std::uint8_t> out;
    EXPECT_EQ(PatchHardwareJamBytes(file, test::Banded8(256, 8), 8, 2, out), Error::WrongBitmapDepth);
}

TEST(ReadJamFile, TellsTheVariantAndHoldsUserFilesToTheHeightOnly) {
    ScratchFolder folder;
    std::vector<std::uint8_t> hardware;
    ASSERT_TRUE(Ok(BuildHardwareJam(test::PhotoLike24(256, 12), 5, hardware)));
    WriteBytes(folder / "h.jam", hardware);
    PackedBitmap image;
    JamKind kind;
    ASSERT_TRUE(Ok(ReadJamFile(folder / "h.jam", 12, image, kind)));
    EXPECT_EQ(kind, JamKind::Hardware);
    EXPECT_EQ(image.depth(), Depth::Bits24);
    EXPECT_EQ(ReadJamFile(folder / "h.jam", 13, image, kind), Error::WrongHeight);
    EXPECT_EQ(kind, JamKind::None);

    int count = 0;
    int height = 0;
    ASSERT_TRUE(Ok(IdentifyJamFile(folder / "h.jam", kind, count, height)));
    EXPECT_EQ(kind, JamKind::Hardware);
    EXPECT_EQ(count, 5);
    EXPECT_EQ(height, 12);
    EXPECT_EQ(ReadJamFile(folder / "none.jam", 12, image, kind), Error::OpenFailed);
}

} // namespace
} // namespace tavolex
