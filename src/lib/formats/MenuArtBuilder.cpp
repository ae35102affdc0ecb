#include "formats/MenuArtBuilder.h"

#include <algorithm>
#include <random>

#include "core/ByteOrder.h"
#include "formats/ArtSheetBitmap.h"
#include "formats/MenuArtArchive.h"
#include "game/GameConstants.h"

namespace tavolex {
namespace {


// The length code for each length kind: codes 6 and 7 read as 14 and 28.
constexpr int kLengthCodes[8] = {0, 1, 2, 3, 4, 5, 6, 7};

int LengthOf(int code) {
    const int length = code + 2;
    return length == 8 ? 14 : length == 9 ? 28 : length;
}

// Whether copying `length` pixels from `source` with `step` only reads decoded pixels.
bool ValidCopy(std::int64_t n, std::int64_t source, std::int64_t step, int length, std::int64_t total) {
    if (n + length > total) {
        return false;
    }
    for (int j = 0; j < length; ++j) {
        const std::int64_t s = source + j * step;
        if (s < 0 || s >= n + j) {
            return false;
        }
    }
    return true;
}

} // namespace

ArtPictureSize SampleArtSize(int k) {
    const SheetPosition p = ArtSheetPosition(k);
    const bool lastInRow = k == kArtPicturesPerTeam - 1 || ArtSheetPosition(k + 1).y != p.y;
    const int room = lastInRow ? kArtSheetWidth - p.x - 1 : ArtSheetPosition(k + 1).x - p.x - 1;
    const int height = p.y == 570 ? 78 : p.y == 370 ? 128 : 120;
    return {std::min(room, 128), height};
}

std::vector<std::uint8_t> MakePackedArtTokens(int width, int height, int entry, unsigned seed, unsigned cycle) {
    std::mt19937 random(seed);
    const std::int64_t total = std::int64_t{width} * height;
    const std::int64_t steps[8] = {1, width + 1, width, width - 1, -1, -width - 1, -width, 1 - width};
    const bool runs = HasTransparentRuns(entry);
    std::vector<std::uint8_t> out;
    std::int64_t n = 0;
    unsigned kind = 0;
    while (n < total) {
        const std::int64_t row = n / width;
        ++kind;
        // A back-reference every other token once a few rows are decoded.
        if (row >= 2 && kind % 2 == 0) {
            bool written = false;
            for (unsigned attempt = 0; attempt < 64 && !written; ++attempt) {
                const unsigned pick = cycle++ % 64;
                const int step = static_cast<int>(pick % 8);
                const int code = kLengthCodes[pick / 8];
                const int length = LengthOf(code);
                for (std::int64_t back = 1; back <= row && !written; ++back) {
                    const std::int64_t source = n - back * width;
                    if (!ValidCopy(n, source, steps[step], length, total)) {
                        continue;
                    }
                    // Distance 800 x rows back reaches the same column that many rows up.
                    const std::int64_t distance = 800 * back;
                    const auto b1 = static_cast<std::uint8_t>(0x80 | (distance / 1024));
                    const auto b0 = static_cast<std::uint8_t>((distance % 1024) / 4);
                    const auto c = static_cast<std::uint8_t>(((distance % 4) << 6) | (code << 3) | step);
                    out.insert(out.end(), {b0, b1, c});
                    n += length;
                    written = true;
                }
            }
            if (written) {
                continue;
            }
        }
        if (runs && kind % 13 == 1) {
            const std::int64_t count = std::min<std::int64_t>(1 + random() % 12, total - n);
            out.insert(out.end(), {0x1F, 0x7C, static_cast<std::uint8_t>(count - 1)});
            n += count;
            continue;
        }
        // A literal pixel: a colour ramp with noise, now and then the magenta itself
        // (a plain pixel in the entries without transparent runs).
        const std::int64_t column = n % width;
        std::uint16_t pixel = static_cast<std::uint16_t>(((column * 31 / width) ^ (random() % 2)) |
                                                         ((row * 31 / height) << 5) | ((seed % 24 + 4) << 10));
        if (!runs && kind % 7 == 0) {
            pixel = kArtTransparent;
        } else if (pixel == kArtTransparent) {
            pixel ^= 1;
        }
        out.push_back(static_cast<std::uint8_t>(pixel));
        out.push_back(static_cast<std::uint8_t>(pixel >> 8));
        ++n;
    }
    return out;
}

namespace {

bool FitsItsSlot(const std::vector<std::uint8_t>& block, int width, int height, int entry) {
    std::vector<std::uint16_t> pixels;
    std::vector<std::uint8_t> coded;
    return Ok(DecodePackedArt(block, width, height, entry, pixels)) && EncodeRunArt(pixels, width, entry, coded);
}

// `tiny`: every picture 16 x 2, an archive of a few dozen kilobytes.
std::vector<std::uint8_t> BuildArtArchive(unsigned seed, bool tiny, const ArtSignature& signature) {
    std::mt19937 random(seed);
    std::vector<std::uint8_t> archive(kArtDataStart, 0);
    std::copy(signature.begin(), signature.end(), archive.begin());
    WriteU32(archive.data() + 28, 0x12345678);
    unsigned cycle = 0;
    for (int i = 0; i < kArtEntryCount; ++i) {
        const int team = TeamOfArtEntry(i);
        std::vector<std::uint8_t> block;
        int width = 16 + static_cast<int>(random() % 16);
        int height = 8 + static_cast<int>(random() % 8);
        if (team != 0) {
            const auto entries = TeamArtEntries(team - 1);
            const int k = static_cast<int>(std::find(entries.begin(), entries.end(), i) - entries.begin());
            const ArtPictureSize size = tiny ? ArtPictureSize{16, 2} : SampleArtSize(k);
            width = size.width;
            height = size.height;
            block = MakePackedArtTokens(width, height, i, seed * 1000 + static_cast<unsigned>(i), cycle);
            // Noise this small may not fit its slot once expanded: other noise that does.
            for (unsigned next = 1; tiny && !FitsItsSlot(block, width, height, i) && next < 64; ++next) {
                block = MakePackedArtTokens(width, height, i, (seed + 7919 * next) * 1000 + static_cast<unsigned>(i),
                                            cycle);
            }
            cycle += 7;
            // A packed block must not happen to have the slot form's size.
            if (block.size() == static_cast<std::size_t>(width * height * 2)) {
                block.insert(block.end(), {0x1F, 0x7C, 0x00});
            }
        } else {
            if (tiny) {
                width = 16;
                height = 2;
            }
            // Pictures of no team: bytes the editor must carry over unchanged.
            block.resize(static_cast<std::size_t>(width * height) + random() % 50);
            for (auto& b : block) b = static_cast<std::uint8_t>(random());
        }
        std::uint8_t* e = archive.data() + kArtHeaderSize + kArtEntrySize * static_cast<std::size_t>(i);
        WriteU32(e, static_cast<std::uint32_t>(i));
        WriteU32(e + 4, static_cast<std::uint32_t>(random()));
        WriteU32(e + 8, static_cast<std::uint32_t>(width));
        WriteU32(e + 12, static_cast<std::uint32_t>(height));
        WriteU32(e + 16, static_cast<std::uint32_t>(block.size()));
        WriteU32(e + 20, static_cast<std::uint32_t>(archive.size()));
        archive.insert(archive.end(), block.begin(), block.end());
    }
    return archive;
}

} // namespace

std::vector<std::uint8_t> BuildSampleArtArchive(unsigned seed, const ArtSignature& signature) {
    return BuildArtArchive(seed, false, signature);
}

std::vector<std::uint8_t> BuildSmallArtArchive(unsigned seed) {
    return BuildArtArchive(seed, true, kArtArchiveSignature);
}

} // namespace tavolex
