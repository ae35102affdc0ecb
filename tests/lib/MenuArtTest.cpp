#include <random>
#include <set>

#include <gtest/gtest.h>

#include "StressArtArchive.h"
#include "TestSupport.h"
#include "core/ByteOrder.h"
#include "formats/ArtSheetBitmap.h"
#include "formats/BitmapFile.h"
#include "game/MenuArtArchive.h"

namespace tavolex {
namespace {
using test::ReadBytes;
using test::ScratchFolder;
using test::WriteBytes;
namespace fs = std::filesystem;

std::vector<ArtEntry> Directory(const std::vector<std::uint8_t>& archive) {
    std::vector<ArtEntry> entries;
    EXPECT_TRUE(Ok(ReadArtDirectory(archive, entries)));
    return entries;
}

std::span<const std::uint8_t> Block(const std::vector<std::uint8_t>& archive, const ArtEntry& e) {
    return std::span(archive).subspan(static_cast<std::size_t>(e.offset), static_cast<std::size_t>(e.size));
}

TEST(MenuArt, EntriesBelongToTeamsInSheetOrder) {
    EXPECT_EQ(TeamOfArtEntry(9), 0);
    EXPECT_EQ(TeamOfArtEntry(10), 1);
    EXPECT_EQ(TeamOfArtEntry(339), 11);
    EXPECT_EQ(TeamOfArtEntry(411), 1);
    EXPECT_EQ(TeamOfArtEntry(444), 0);
    EXPECT_EQ(TeamOfArtEntry(565), 11);
    EXPECT_EQ(TeamOfArtEntry(566), 0);
    const auto entries = TeamArtEntries(2);
    EXPECT_EQ(entries[0], 70);
    EXPECT_EQ(entries[29], 99);
    EXPECT_EQ(entries[30], 402);
    EXPECT_EQ(entries[32], 424);
    EXPECT_EQ(entries[34], 453);
    EXPECT_EQ(entries[38], 501);
    EXPECT_EQ(entries[44], 557);
}

TEST(MenuArt, RunCodingFollowsTheGamesRules) {
    const std::uint16_t t = kArtTransparent;
    std::vector<std::uint16_t> pixels(66, t);
    std::vector<std::uint8_t> coded;
    ASSERT_TRUE(Ok(EncodeRunArt(pixels, 100, 10, coded)));
    EXPECT_EQ(coded, (std::vector<std::uint8_t>{0x1F, 0x7C, 0x40, 0x1F, 0x7C, 0x00}));
    // A run never crosses the end of a row.
    pixels.assign(20, t);
    ASSERT_TRUE(Ok(EncodeRunArt(pixels, 10, 10, coded)));
    EXPECT_EQ(coded, (std::vector<std::uint8_t>{0x1F, 0x7C, 9, 0x1F, 0x7C, 9}));
    // In entries 422-432 magenta is a plain pixel both ways.
    pixels.assign(2, t);
    ASSERT_TRUE(Ok(EncodeRunArt(pixels, 10, 425, coded)));
    EXPECT_EQ(coded, (std::vector<std::uint8_t>{0x1F, 0x7C, 0x1F, 0x7C}));
    std::vector<std::uint16_t> decoded;
    ASSERT_TRUE(Ok(DecodeRunArt(coded, 2, 1, 425, decoded)));
    EXPECT_EQ(decoded, pixels);
    // Isolated transparent pixels cost 3 bytes each: the slot overflows.
    pixels = {t, 1, t, 1, t, 1, t, 1};
    EXPECT_FALSE(Ok(EncodeRunArt(pixels, 8, 10, coded)));
}

// The rules one pixel at a time, as plainly as they can be written.
std::vector<std::uint8_t> ReferenceRunCoding(const std::vector<std::uint16_t>& pixels, int width) {
    std::vector<std::uint8_t> out;
    bool open = false;
    for (std::size_t i = 0; i < pixels.size(); ++i) {
        if (pixels[i] == kArtTransparent) {
            if (!open) {
                out.insert(out.end(), {0x1F, 0x7C, 0xFF});
                open = true;
            }
            ++out.back();
            if (out.back() > 0x3F || (i + 1) % static_cast<std::size_t>(width) == 0) {
                open = false;
            }
        } else {
            open = false;
            out.push_back(static_cast<std::uint8_t>(pixels[i]));
            out.push_back(static_cast<std::uint8_t>(pixels[i] >> 8));
        }
    }
    return out;
}

TEST(MenuArt, RunCodingAgreesWithThePlainRulesOnRandomPictures) {
    std::mt19937 random(7);
    for (int round = 0; round < 300; ++round) {
        const int width = 1 + static_cast<int>(random() % 90);
        const int height = 1 + static_cast<int>(random() % 6);
        const int transparentShare = static_cast<int>(random() % 100);
        std::vector<std::uint16_t> pixels(static_cast<std::size_t>(width * height));
        for (std::uint16_t& pixel : pixels) {
            // Long transparent stretches as well as scattered ones.
            pixel = static_cast<int>(random() % 100) < transparentShare ? kArtTransparent
                                                                        : static_cast<std::uint16_t>(random() % 0x7C1F);
        }
        const std::vector<std::uint8_t> expected = ReferenceRunCoding(pixels, width);
        std::vector<std::uint8_t> coded;
        const bool fits = Ok(EncodeRunArt(pixels, width, 10, coded));
        ASSERT_EQ(fits, expected.size() <= pixels.size() * 2) << round;
        if (fits) {
            ASSERT_EQ(coded, expected) << round;
        }
    }
}

TEST(MenuArt, PackedDecodingRefusesCopiesOfPixelsNotYetDecoded) {
    std::vector<std::uint16_t> pixels;
    // A back-reference as the very first token reaches before the first pixel.
    EXPECT_EQ(DecodePackedArt(std::vector<std::uint8_t>{0x00, 0x81, 0x00}, 4, 4, 10, pixels), Error::StreamOverrun);
    EXPECT_EQ(DecodePackedArt(std::vector<std::uint8_t>{0x01, 0x00}, 4, 4, 10, pixels), Error::StreamTruncated);
    EXPECT_EQ(DecodePackedArt(std::vector<std::uint8_t>{}, 1000, 1000, 10, pixels), Error::WrongBitmapSize);
    // Two literals then a copy of 28 from one back (step +1) repeat them and stop at the end.
    const std::vector<std::uint8_t> tokens = {0x05, 0x00, 0x06, 0x00, 0x00, 0x80, 0xB8};
    ASSERT_TRUE(Ok(DecodePackedArt(tokens, 5, 2, 10, pixels)));
    EXPECT_EQ(pixels, (std::vector<std::uint16_t>{5, 6, 5, 6, 5, 6, 5, 6, 5, 6}));
    // A transparent run that overshoots stops at the end of the picture.
    ASSERT_TRUE(Ok(DecodePackedArt(std::vector<std::uint8_t>{0x1F, 0x7C, 200}, 3, 3, 10, pixels)));
    EXPECT_EQ(pixels, std::vector<std::uint16_t>(9, kArtTransparent));
}

TEST(MenuArt, PackedBackReferencesMeasureInAnEightHundredWideFrame) {
    // Hand-made tokens for a 10 x 3 picture. Distances count in a frame 800
    // pixels wide, so a back-reference from row r lands at a column offset
    // in an earlier row, and a column beyond the picture's width wraps into
    // the next row of the picture.
    const std::uint16_t x = 0x1234;
    auto literal = [](std::uint16_t k) { return 0x0100 + k; };
    std::vector<std::uint8_t> tokens;
    for (std::uint8_t k = 0; k < 10; ++k) tokens.insert(tokens.end(), {k, 0x01});
    const std::vector<std::uint8_t> rest = {
        199,  0x80, 0xC8, // n 10: D 799 (one row up, one column right), 3 pixels, step +1
        198,  0x80, 0xD0, // n 13: D 795: column 8 of row 0, 4 pixels running on into row 1
        0x34, 0x12,       // n 17: a literal
        197,  0x80, 0xC4, // n 18: D 791: virtual column 17 of row 0 is pixel 17; 2 pixels, step -1
        144,  0x81, 0x0A, // n 20: D 1600: two rows up; 3 pixels, step +W (down a column)
        141,  0x81, 0xC0, // n 23: D 1591: virtual column 12 of row 0 is pixel 12; 2 pixels
        1,    0x80, 0x00, // n 25: D 4 within the row; 2 pixels
        199,  0x80, 0xF8, // n 27: D 799 from row 2 column 7: row 1 column 8; 28 pixels, cut at the end
    };
    tokens.insert(tokens.end(), rest.begin(), rest.end());
    std::vector<std::uint16_t> pixels;
    ASSERT_TRUE(Ok(DecodePackedArt(tokens, 10, 3, 10, pixels)));
    std::vector<std::uint16_t> expected;
    for (std::uint16_t k = 0; k < 10; ++k) expected.push_back(static_cast<std::uint16_t>(literal(k)));
    for (int v : {literal(1), literal(2), literal(3), literal(8), literal(9), literal(1), literal(2),
                  int{x},     int{x},     literal(2), literal(0), literal(1), literal(0), literal(3),
                  literal(8), literal(1), literal(0), int{x},     literal(2), literal(0)}) {
        expected.push_back(static_cast<std::uint16_t>(v));
    }
    EXPECT_EQ(pixels, expected);

    // Length code 6 copies 14 pixels; overlapping copies repeat what they just wrote.
    const std::vector<std::uint8_t> fourteen = {0x07, 0x00, 0x00, 0x80, 0x70, 0x05, 0x00, 0x00, 0x80, 0x90};
    ASSERT_TRUE(Ok(DecodePackedArt(fourteen, 20, 1, 10, pixels)));
    std::vector<std::uint16_t> run(15, 7);
    run.insert(run.end(), {5, 7, 5, 7, 5});
    EXPECT_EQ(pixels, run);

    // A virtual column that lands beyond the decoded pixels is refused, not read.
    std::vector<std::uint8_t> beyond(tokens.begin(), tokens.begin() + 20);
    beyond.insert(beyond.end(), {2, 0x80, 0x40}); // n 10: D 9 is virtual column 791 of row 0
    EXPECT_EQ(DecodePackedArt(beyond, 10, 3, 10, pixels), Error::StreamOverrun);
}

TEST(MenuArt, ExpansionPutsTeamPicturesInSlotsAndKeepsTheRest) {
    const auto archive = test::BuildStressArtArchive();
    const auto before = Directory(archive);
    std::vector<std::uint8_t> expanded;
    bool changed = false;
    ASSERT_TRUE(Ok(ExpandArtArchive(archive, expanded, changed)));
    ASSERT_TRUE(changed);
    const auto after = Directory(expanded);
    std::int64_t shift = 0;
    for (int i = 0; i < kArtEntryCount; ++i) {
        const ArtEntry& old = before[static_cast<std::size_t>(i)];
        const ArtEntry& now = after[static_cast<std::size_t>(i)];
        EXPECT_EQ(now.offset, old.offset + shift) << i;
        EXPECT_EQ(now.a, old.a);
        EXPECT_EQ(now.b, old.b);
        if (TeamOfArtEntry(i) == 0) {
            ASSERT_TRUE(std::ranges::equal(Block(archive, old), Block(expanded, now))) << i;
            continue;
        }
        ASSERT_FALSE(now.packed()) << i;
        shift += now.size - old.size;
        std::vector<std::uint16_t> packed;
        std::vector<std::uint16_t> slot;
        ASSERT_TRUE(Ok(DecodePackedArt(Block(archive, old), old.width, old.height, i, packed))) << i;
        ASSERT_TRUE(Ok(DecodeRunArt(Block(expanded, now), now.width, now.height, i, slot))) << i;
        ASSERT_EQ(packed, slot) << i;
    }
    EXPECT_TRUE(std::equal(archive.begin() + 28, archive.begin() + 32, expanded.begin() + 28));
    std::vector<std::uint8_t> again;
    ASSERT_TRUE(Ok(ExpandArtArchive(expanded, again, changed)));
    EXPECT_FALSE(changed) << "an expanded archive needs nothing";
}

TEST(MenuArt, CheckAndExpandKeepsTheOldArchiveOnceAndRefusesForeignFiles) {
    ScratchFolder folder;
    const auto path = folder / "GP3ART5.BIN";
    const auto archive = test::BuildStressArtArchive();
    WriteBytes(path, archive);
    ASSERT_TRUE(Ok(CheckAndExpandArtArchive(path)));
    EXPECT_EQ(ReadBytes(folder / "GP3ART5.BIN.old"), archive);
    const auto expanded = ReadBytes(path);
    fs::remove(folder / "GP3ART5.BIN.old");
    ASSERT_TRUE(Ok(CheckAndExpandArtArchive(path)));
    EXPECT_FALSE(fs::exists(folder / "GP3ART5.BIN.old")) << "nothing to expand, nothing rewritten";
    EXPECT_EQ(ReadBytes(path), expanded);

    // Neither the signature built in nor one of the game's form (0xA9 and
    // printable characters; GameIdentityTest covers recognition by contents).
    auto foreign = archive;
    foreign[5] = 0x01;
    WriteBytes(path, foreign);
    EXPECT_EQ(CheckAndExpandArtArchive(path), Error::BadMagic);
    WriteBytes(path, std::vector<std::uint8_t>(archive.begin(), archive.begin() + 1000));
    EXPECT_FALSE(Ok(CheckAndExpandArtArchive(path)));
    EXPECT_FALSE(Ok(CheckAndExpandArtArchive(folder / "missing.bin")));
}

TEST(MenuArt, ImportExportImportGivesTheSameSheet) {
    std::vector<std::uint8_t> archive;
    bool changed = false;
    ASSERT_TRUE(Ok(ExpandArtArchive(test::BuildStressArtArchive(), archive, changed)));
    PackedBitmap sheet;
    EXPECT_FALSE(Ok(ImportTeamArt(test::BuildStressArtArchive(), 3, sheet))) << "packed form is never read";
    ASSERT_TRUE(Ok(ImportTeamArt(archive, 3, sheet)));
    EXPECT_TRUE(sheet.is(948, 650, Depth::Bits24));
    const auto before = archive;
    ASSERT_TRUE(Ok(ExportTeamArt(archive, 3, sheet)));
    PackedBitmap again;
    ASSERT_TRUE(Ok(ImportTeamArt(archive, 3, again)));
    EXPECT_EQ(again, sheet);
    // Other teams' pictures are untouched.
    PackedBitmap other;
    PackedBitmap otherBefore;
    ASSERT_TRUE(Ok(ImportTeamArt(before, 4, otherBefore)));
    ASSERT_TRUE(Ok(ImportTeamArt(archive, 4, other)));
    EXPECT_EQ(other, otherBefore);
    // A new sheet goes in and comes back reduced to 15-bit colour.
    // (Green kept above 7, so that no pixel is the transparent magenta.)
    PackedBitmap photo = test::PhotoLike24(948, 650, 8);
    for (int r = 0; r < 650; ++r) {
        for (int x = 0; x < 948; ++x) photo.row(r)[3 * x + 1] |= 0x40;
    }
    const Error exported = ExportTeamArt(archive, 3, photo);
    ASSERT_TRUE(Ok(exported)) << ErrorText(exported);
    ASSERT_TRUE(Ok(ImportTeamArt(archive, 3, again)));
    const SheetPosition p = ArtSheetPosition(44);
    const std::uint8_t* in = photo.topRow(p.y + 2) + 3 * (p.x + 5);
    const std::uint8_t* out = again.topRow(p.y + 2) + 3 * (p.x + 5);
    EXPECT_EQ(out[0], in[0] & 0xF8);
    EXPECT_EQ(out[1], in[1] & 0xF8);
    EXPECT_EQ(out[2], in[2] & 0xF8);
}

// The sample archive is the test bed of the packed decoder: its team
// pictures must use every kind of token.
TEST(MenuArt, TheSampleArchiveUsesEveryTokenKind) {
    const auto archive = test::BuildStressArtArchive();
    const auto entries = Directory(archive);
    std::set<std::pair<int, int>> backReferences; // step, length code
    bool transparentRun = false;
    bool plainMagenta = false;
    for (int i = 0; i < kArtEntryCount; ++i) {
        const ArtEntry& e = entries[static_cast<std::size_t>(i)];
        if (TeamOfArtEntry(i) == 0) {
            continue;
        }
        ASSERT_TRUE(e.packed()) << i;
        const auto block = Block(archive, e);
        std::int64_t n = 0;
        for (std::size_t at = 0; n < std::int64_t{e.width} * e.height;) {
            const std::uint8_t b0 = block[at];
            const std::uint8_t b1 = block[at + 1];
            if (b1 & 0x80) {
                const std::uint8_t c = block[at + 2];
                backReferences.insert({c & 7, (c >> 3) & 7});
                const int code = ((c >> 3) & 7) + 2;
                n += code == 8 ? 14 : code == 9 ? 28 : code;
                at += 3;
            } else if (b0 == 0x1F && b1 == 0x7C && HasTransparentRuns(i)) {
                transparentRun = true;
                n += block[at + 2] + 1;
                at += 3;
            } else {
                plainMagenta |= b0 == 0x1F && b1 == 0x7C;
                ++n;
                at += 2;
            }
        }
    }
    EXPECT_EQ(backReferences.size(), 64u) << "every step with every length";
    EXPECT_TRUE(transparentRun);
    EXPECT_TRUE(plainMagenta) << "entries 422-432 hold magenta as a plain pixel";
}

TEST(ArtSheetBitmap, RoundTripsAndRefusesOtherShapes) {
    ScratchFolder folder;
    const PackedBitmap sheet = test::PhotoLike24(948, 650, 2);
    ASSERT_TRUE(Ok(SaveArtSheetBitmap(folder / "sheet.bmp", sheet)));
    EXPECT_EQ(ReadBytes(folder / "sheet.bmp").size(), 1996854u);
    PackedBitmap read;
    ASSERT_TRUE(Ok(LoadArtSheetBitmap(folder / "sheet.bmp", read)));
    EXPECT_EQ(read, sheet);
    ASSERT_TRUE(Ok(SaveBitmapFile(folder / "tall.bmp", test::PhotoLike24(1024, 651))));
    EXPECT_FALSE(Ok(LoadArtSheetBitmap(folder / "tall.bmp", read)));
    // An 8-bit file of the right size is not a sheet bitmap either.
    ASSERT_TRUE(Ok(SaveBitmapFile(folder / "indexed.bmp", test::Banded8(1024, 650))));
    EXPECT_EQ(LoadArtSheetBitmap(folder / "indexed.bmp", read), Error::UnsupportedBitDepth);
    EXPECT_EQ(read, sheet) << "nothing changes on failure";
}

} // namespace
} // namespace tavolex
