#include "StressArtArchive.h"

#include <random>

#include "game/MenuArtArchive.h"
#include "game/MenuArtBuilder.h"

namespace tavolex::test {
namespace {

// The length code for each length kind: codes 6 and 7 read as 14 and 28.
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

bool FitsItsSlot(const std::vector<std::uint8_t>& block, int width, int height, int entry) {
    std::vector<std::uint16_t> pixels;
    std::vector<std::uint8_t> coded;
    return Ok(DecodePackedArt(block, width, height, entry, pixels)) && Ok(EncodeRunArt(pixels, width, entry, coded));
}

std::vector<std::uint8_t> StressArchive(unsigned seed, bool tiny, const ArtSignature& signature) {
    unsigned cycle = 0;
    return AssembleArtArchive(signature, seed, tiny, [&](int, int k, int entry) {
        const ArtPictureSize size = tiny ? ArtPictureSize{16, 2} : SampleArtSize(k);
        ArtBlock block{size, MakePackedArtTokens(size.width, size.height, entry,
                                                 seed * 1000 + static_cast<unsigned>(entry), cycle)};
        // Noise this small may not fit its slot once expanded: other noise that does.
        for (unsigned next = 1; tiny && !FitsItsSlot(block.bytes, size.width, size.height, entry) && next < 64;
             ++next) {
            block.bytes = MakePackedArtTokens(size.width, size.height, entry,
                                              (seed + 7919 * next) * 1000 + static_cast<unsigned>(entry), cycle);
        }
        cycle += 7;
        return block;
    });
}

} // namespace

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
                const int code = static_cast<int>(pick / 8);
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

std::vector<std::uint8_t> BuildStressArtArchive(unsigned seed, const ArtSignature& signature) {
    return StressArchive(seed, false, signature);
}

std::vector<std::uint8_t> BuildSmallStressArtArchive(unsigned seed) {
    return StressArchive(seed, true, kArtArchiveSignature);
}

} // namespace tavolex::test
