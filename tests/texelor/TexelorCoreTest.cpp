// The viewer's own JAM rules, driven without a window.

#include <unistd.h>

#include <cstring>

#include <gtest/gtest.h>

#include "TestSupport.h"
#include "TexelorBitmap.h"
#include "TexelorFixtures.h"
#include "TexelorStream.h"
#include "TexelorTexture.h"
#include "core/ByteOrder.h"
#include "files/FileHelpers.h"
#include "formats/BitmapFile.h"
#include "formats/GameJam.h"
#include "formats/HardwareJam.h"

namespace texelor {
namespace {
using tavolex::test::ReadBytes;
using tavolex::test::ScratchFolder;
using tavolex::test::WriteBytes;
namespace fs = std::filesystem;

TEST(TexelorStream, PacketisesRunsAndLiteralsItsOwnWay) {
    // A literal runs up to the next equal pair and may end the sheet.
    const std::vector<std::uint16_t> words = {1, 2, 3, 3, 3, 4, 5};
    const std::vector<std::uint8_t> expected = {130, 1, 0, 2, 0, 3, 3, 0, 130, 4, 0, 5, 0};
    EXPECT_EQ(EncodeStream(words), expected);
    const std::vector<std::uint16_t> same(300, 7);
    EXPECT_EQ(EncodeStream(same), (std::vector<std::uint8_t>{127, 7, 0, 127, 7, 0, 46, 7, 0}));
    EXPECT_EQ(EncodeStream(std::vector<std::uint16_t>{9}), (std::vector<std::uint8_t>{129, 9, 0}));
}

TEST(TexelorTexture, LoadsAJamAndReportsEachKindOfFault) {
    ScratchFolder folder;
    const auto jam = test::MakeJam(40, 5);
    WriteBytes(folder / "ok.jam", jam);
    TexelorTexture texture;
    ASSERT_EQ(texture.load(folder / "ok.jam"), LoadResult::Ok);
    EXPECT_TRUE(texture.loaded());
    EXPECT_EQ(texture.height(), 40);
    EXPECT_EQ(texture.pixels(), test::ExpectedPixels(40));

    auto loadBytes = [&](const std::vector<std::uint8_t>& bytes) {
        WriteBytes(folder / "bad.jam", bytes);
        return texture.load(folder / "bad.jam");
    };
    EXPECT_EQ(texture.load(folder / "missing.jam"), LoadResult::CannotOpen);
    EXPECT_FALSE(texture.loaded()) << "a failed load clears the loaded flag";
    auto bytes = jam;
    bytes[0] = 0x7E;
    EXPECT_EQ(loadBytes(bytes), LoadResult::NotA16BitJam);
    EXPECT_EQ(loadBytes({0x7F, 0x96}), LoadResult::NotA16BitJam);
    EXPECT_EQ(loadBytes({0x7F, 0x96, 0x98, 0x00, 1}), LoadResult::BadHeader);
    bytes = jam;
    bytes.push_back(0); // one byte appended
    EXPECT_EQ(loadBytes(bytes), LoadResult::BadImageData);
    bytes = jam;
    bytes.pop_back();
    EXPECT_EQ(loadBytes(bytes), LoadResult::BadImageData);
    bytes = jam;
    tavolex::WriteU16(bytes.data() + 4, 0x8000); // a negative count
    EXPECT_EQ(loadBytes(bytes), LoadResult::BadHeader);
    bytes = jam;
    tavolex::WriteU16(bytes.data() + 6, 0xFFF0); // a negative height
    EXPECT_EQ(loadBytes(bytes), LoadResult::BadHeader);
    bytes = jam;
    tavolex::WriteU16(bytes.data() + 4, 200); // more records than the file has
    EXPECT_EQ(loadBytes(bytes), LoadResult::BadHeader);
    bytes = jam;
    tavolex::WriteU16(bytes.data() + 6, 41); // the stream is too short for the height
    EXPECT_EQ(loadBytes(bytes), LoadResult::BadImageData);
    // Every truncation fails cleanly.
    for (std::size_t length = 0; length < jam.size(); length += 211) {
        EXPECT_NE(loadBytes(std::vector<std::uint8_t>(jam.begin(), jam.begin() + static_cast<std::ptrdiff_t>(length))),
                  LoadResult::Ok);
    }
}

TEST(TexelorTexture, UsesTheImplicitFirstCodeByItsOwnRule) {
    // The last record (kind 4) asks for an implicit code: kind + byte - 133 = 2,
    // so the first packet is a literal of two values starting at the stream.
    std::vector<std::uint8_t> file(8);
    tavolex::WriteU32(file.data(), tavolex::kHardwareJamMagic);
    tavolex::WriteU16(file.data() + 4, 1);
    tavolex::WriteU16(file.data() + 6, 1);
    const std::vector<std::uint8_t> record = {0xFF, 0xFF, 1, 1, 1, 1, 4, 1, 1, 131, 1, 0x20};
    file.insert(file.end(), record.begin(), record.end());
    const std::vector<std::uint8_t> stream = {0x1F, 0x00, 0xE0, 0x07, 127, 0x00, 0xF8, 127, 0, 0};
    file.insert(file.end(), stream.begin(), stream.end());
    ScratchFolder folder;
    WriteBytes(folder / "implicit.jam", file);
    TexelorTexture texture;
    ASSERT_EQ(texture.load(folder / "implicit.jam"), LoadResult::Ok);
    EXPECT_EQ(texture.pixels()[0], 0x0000F8u);
    EXPECT_EQ(texture.pixels()[1], 0x00FC00u);
    EXPECT_EQ(texture.pixels()[2], 0xF80000u);
    EXPECT_EQ(texture.pixels()[255], 0u);
}

TEST(TexelorTexture, ExportImportAndSaveRoundTrip) {
    ScratchFolder folder;
    WriteBytes(folder / "LIVERY.JAM", test::MakeJam(64, 3));
    TexelorTexture texture;
    ASSERT_EQ(texture.load(folder / "LIVERY.JAM"), LoadResult::Ok);
    ASSERT_TRUE(texture.exportBitmap(folder / "LIVERY.bmp"));
    EXPECT_EQ(ReadBytes(folder / "LIVERY.bmp").size(), 54u + 768u * 64u);
    ASSERT_EQ(texture.importBitmap(folder / "LIVERY.bmp"), ImportResult::Ok);
    ASSERT_EQ(texture.save(folder / "OUT.JAM"), SaveResult::Ok);

    // The editor's reader sees the same pixels in the saved file.
    tavolex::PackedBitmap read;
    ASSERT_TRUE(tavolex::Ok(tavolex::ReadHardwareJam(folder / "OUT.JAM", 64, 3, read)));
    EXPECT_EQ(test::PixelsOf(read), test::ExpectedPixels(64));
    TexelorTexture again;
    ASSERT_EQ(again.load(folder / "OUT.JAM"), LoadResult::Ok);
    EXPECT_EQ(again.pixels(), test::ExpectedPixels(64));
    // The saved file is read-only, and the implicit-code byte says "none".
    EXPECT_EQ(fs::status(folder / "OUT.JAM").permissions() & fs::perms::owner_write, fs::perms::none);
    tavolex::HardwareStream stream;
    const auto saved = ReadBytes(folder / "OUT.JAM");
    ASSERT_TRUE(tavolex::Ok(tavolex::LocateHardwareStream(saved, 3, stream)));
    EXPECT_EQ(stream.implicitCode, 128);
}

TEST(TexelorTexture, ImportShowsTheBitmapsFullColoursAndStoresThem565) {
    ScratchFolder folder;
    WriteBytes(folder / "a.jam", test::MakeJam(16));
    const tavolex::PackedBitmap picture = tavolex::test::PhotoLike24(256, 16, 5);
    ASSERT_TRUE(tavolex::Ok(tavolex::SaveBitmapFile(folder / "new.bmp", picture)));
    TexelorTexture texture;
    ASSERT_EQ(texture.load(folder / "a.jam"), LoadResult::Ok);
    ASSERT_EQ(texture.importBitmap(folder / "new.bmp"), ImportResult::Ok);
    EXPECT_EQ(texture.pixels(), test::PixelsOf(picture));
    ASSERT_EQ(texture.save(folder / "b.jam"), SaveResult::Ok);
    ASSERT_EQ(texture.load(folder / "b.jam"), LoadResult::Ok);
    EXPECT_EQ(texture.pixels(), test::PixelsOf(tavolex::test::ReducedTo565(picture)));
}

TEST(TexelorTexture, RefusesBitmapsItCannotTake) {
    ScratchFolder folder;
    WriteBytes(folder / "a.jam", test::MakeJam(16));
    ASSERT_TRUE(tavolex::Ok(tavolex::SaveBitmapFile(folder / "8bit.bmp", tavolex::test::Banded8(256, 16))));
    ASSERT_TRUE(tavolex::Ok(tavolex::SaveBitmapFile(folder / "narrow.bmp", tavolex::test::PhotoLike24(255, 16))));
    ASSERT_TRUE(tavolex::Ok(tavolex::SaveBitmapFile(folder / "tall.bmp", tavolex::test::PhotoLike24(256, 17))));
    ASSERT_TRUE(tavolex::Ok(tavolex::SaveBitmapFile(folder / "good.bmp", tavolex::test::PhotoLike24(256, 16))));
    TexelorTexture texture;
    EXPECT_EQ(texture.importBitmap(folder / "good.bmp"), ImportResult::NotLoaded);
    EXPECT_EQ(texture.save(folder / "x.jam"), SaveResult::NotLoaded) << "nothing loaded, nothing written";
    EXPECT_FALSE(fs::exists(folder / "x.jam"));
    EXPECT_FALSE(texture.exportBitmap(folder / "x.bmp"));
    ASSERT_EQ(texture.load(folder / "a.jam"), LoadResult::Ok);
    const auto before = texture.fileBytes();
    EXPECT_EQ(texture.importBitmap(folder / "8bit.bmp"), ImportResult::NotReadable24Bit);
    EXPECT_EQ(texture.importBitmap(folder / "narrow.bmp"), ImportResult::WrongSize);
    EXPECT_EQ(texture.importBitmap(folder / "tall.bmp"), ImportResult::WrongSize);
    EXPECT_EQ(texture.importBitmap(folder / "missing.bmp"), ImportResult::NotReadable24Bit);
    EXPECT_EQ(texture.fileBytes(), before);

    // Headers that lie about the pixel data are refused, never read past.
    auto good = ReadBytes(folder / "good.bmp");
    auto lie = [&](std::size_t offset, std::uint32_t value) {
        auto copy = good;
        tavolex::WriteU32(copy.data() + offset, value);
        WriteBytes(folder / "lie.bmp", copy);
        return texture.importBitmap(folder / "lie.bmp");
    };
    EXPECT_EQ(lie(10, 0xFFFFFFF0u), ImportResult::NotReadable24Bit); // pixel offset
    EXPECT_EQ(lie(10, 20), ImportResult::NotReadable24Bit);          // inside the header
    EXPECT_EQ(lie(14, 0x7FFFFFFFu), ImportResult::NotReadable24Bit); // header size
    EXPECT_EQ(lie(30, 1), ImportResult::NotReadable24Bit);           // compressed
    good.resize(good.size() - 1);
    WriteBytes(folder / "cut.bmp", good);
    EXPECT_EQ(texture.importBitmap(folder / "cut.bmp"), ImportResult::NotReadable24Bit);
}

TEST(TexelorBitmap, ReadsTopDownRowsAndLongerHeaders) {
    const tavolex::PackedBitmap picture = tavolex::test::PhotoLike24(4, 3, 2);
    auto file = tavolex::EncodeBitmapFile(picture);
    Bitmap24 bitmap;
    ASSERT_EQ(ReadBitmap24(file, bitmap), BitmapReadResult::Ok);
    EXPECT_EQ(bitmap.pixels, test::PixelsOf(picture));
    // The same rows stored top-down under a negative height.
    auto topDown = file;
    tavolex::WriteU32(topDown.data() + 22, static_cast<std::uint32_t>(-3));
    for (int r = 0; r < 3; ++r) {
        std::memcpy(topDown.data() + 54 + 12 * r, picture.row(2 - r), 12);
    }
    ASSERT_EQ(ReadBitmap24(topDown, bitmap), BitmapReadResult::Ok);
    EXPECT_EQ(bitmap.pixels, test::PixelsOf(picture));
}

TEST(TexelorTexture, SavesOverAReadOnlyJamAndLeavesItReadOnly) {
    ScratchFolder folder;
    const auto jam = test::MakeJam(16);
    WriteBytes(folder / "a.jam", jam);
    WriteBytes(folder / "target.jam", {1, 2, 3});
    ASSERT_TRUE(tavolex::Ok(tavolex::SetReadOnly(folder / "target.jam", true)));
    TexelorTexture texture;
    ASSERT_EQ(texture.load(folder / "a.jam"), LoadResult::Ok);
    ASSERT_EQ(texture.save(folder / "target.jam"), SaveResult::Ok);
    EXPECT_EQ(ReadBytes(folder / "target.jam"), jam);
    EXPECT_EQ(fs::status(folder / "target.jam").permissions() & fs::perms::owner_write, fs::perms::none);

    EXPECT_EQ(texture.save(folder / "no/such/folder.jam"), SaveResult::WriteError);
    if (::geteuid() != 0) { // root may write anywhere
        fs::create_directories(folder / "locked");
        fs::permissions(folder / "locked", fs::perms::owner_read | fs::perms::owner_exec);
        EXPECT_EQ(texture.save(folder / "locked/x.jam"), SaveResult::ReadOnly);
    }
}

TEST(TexelorMessages, SayTheReasonABlankLineAndWhatWasAborted) {
    EXPECT_EQ(LoadMessage(LoadResult::NotA16BitJam), "File is not a recognised 16 bit JAM file.\n\nLoad aborted.");
    EXPECT_EQ(LoadMessage(LoadResult::CannotOpen), "Cannot open JAM file.\n\nLoad aborted.");
    EXPECT_EQ(LoadMessage(LoadResult::BadHeader), "Cannot interpret header.\n\nLoad aborted.");
    EXPECT_EQ(LoadMessage(LoadResult::BadImageData), "Cannot interpret image data.\n\nLoad aborted.");
    EXPECT_EQ(ImportMessage(ImportResult::NotLoaded), "JAM not loaded.\n\nImport aborted.");
    EXPECT_EQ(ImportMessage(ImportResult::NotReadable24Bit),
              "Bitmap file cannot be loaded, or is not 24 bit.\n\nImport aborted.");
    EXPECT_EQ(ImportMessage(ImportResult::WrongSize), "Bitmap is the wrong size for this JAM\n\nImport aborted.");
    EXPECT_EQ(SaveMessage(SaveResult::WriteError), "An error occured saving the JAM file.\n\nSave aborted.");
    EXPECT_EQ(SaveMessage(SaveResult::ReadOnly), "Cannot save - this file is read-only.\n\nSave aborted.");
    EXPECT_EQ(SaveMessage(SaveResult::NotLoaded), "JAM not loaded.\n\nSave aborted.");
    EXPECT_EQ(ExportMessage(), "An error occured saving the bitmap.");
}

} // namespace
} // namespace texelor
