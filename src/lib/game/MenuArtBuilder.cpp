#include "game/MenuArtBuilder.h"

#include <algorithm>
#include <array>
#include <random>

#include "core/ByteOrder.h"
#include "formats/ArtSheetBitmap.h"
#include "game/MenuArtArchive.h"

namespace tavolex {
namespace {

constexpr int kVirtualWidth = 800; // the packed form's back-references count in rows this wide
// The lengths a back-reference can copy, longest first, with their codes.
constexpr std::array<std::pair<int, int>, 8> kCopyLengths = {
    {{28, 7}, {14, 6}, {7, 5}, {6, 4}, {5, 3}, {4, 2}, {3, 1}, {2, 0}}};

// How many of the next pixels (at most 28) equal those `back` pixels before them.
int Repeats(std::span<const std::uint16_t> pixels, std::size_t n, std::size_t back) {
    int count = 0;
    while (count < 28 && n + count < pixels.size() && pixels[n + count] == pixels[n + count - back]) {
        ++count;
    }
    return count;
}

void PushBackReference(std::vector<std::uint8_t>& out, int distance, int code) {
    out.push_back(static_cast<std::uint8_t>((distance % 1024) / 4));
    out.push_back(static_cast<std::uint8_t>(0x80 | (distance / 1024)));
    out.push_back(static_cast<std::uint8_t>(((distance % 4) << 6) | (code << 3))); // step +1
}

} // namespace

ArtPictureSize SampleArtSize(int k) {
    const SheetPosition p = ArtSheetPosition(k);
    const bool lastInRow = k == kArtPicturesPerTeam - 1 || ArtSheetPosition(k + 1).y != p.y;
    const int room = lastInRow ? kArtSheetWidth - p.x - 1 : ArtSheetPosition(k + 1).x - p.x - 1;
    const int height = p.y == 570 ? 78 : p.y == 370 ? 128 : 120;
    return {std::min(room, 128), height};
}

std::vector<std::uint8_t> PackArtPixels(std::span<const std::uint16_t> pixels, int width, int entry) {
    const bool runs = HasTransparentRuns(entry);
    const auto w = static_cast<std::size_t>(width);
    std::vector<std::uint8_t> out;
    for (std::size_t n = 0; n < pixels.size();) {
        if (runs && pixels[n] == kArtTransparent) {
            std::size_t count = 1;
            while (count < 256 && n + count < pixels.size() && pixels[n + count] == kArtTransparent) ++count;
            out.insert(out.end(), {0x1F, 0x7C, static_cast<std::uint8_t>(count - 1)});
            n += count;
            continue;
        }
        // The row above is a virtual row back; the pixel before, one pixel back within the row.
        const int above = n >= w ? Repeats(pixels, n, w) : 0;
        const int before = n % w != 0 ? Repeats(pixels, n, 1) : 0;
        const int best = std::max(above, before);
        const auto copy = std::find_if(kCopyLengths.begin(), kCopyLengths.end(),
                                       [&](const auto& length) { return length.first <= best; });
        if (copy != kCopyLengths.end()) {
            PushBackReference(out, above >= before ? kVirtualWidth : 1, copy->second);
            n += static_cast<std::size_t>(copy->first);
            continue;
        }
        out.push_back(static_cast<std::uint8_t>(pixels[n]));
        out.push_back(static_cast<std::uint8_t>(pixels[n] >> 8));
        ++n;
    }
    return out;
}

std::vector<std::uint8_t> AssembleArtArchive(const ArtSignature& signature, unsigned seed, bool tinyOthers,
                                             const TeamArtMaker& makeTeamPicture) {
    std::mt19937 random(seed);
    std::vector<std::uint8_t> archive(kArtDataStart, 0);
    std::copy(signature.begin(), signature.end(), archive.begin());
    WriteU32(archive.data() + 28, 0x12345678);
    std::array<int, 11> picturesSoFar{}; // per team
    for (int i = 0; i < kArtEntryCount; ++i) {
        const int team = TeamOfArtEntry(i);
        ArtBlock block;
        if (team != 0) {
            block = makeTeamPicture(team - 1, picturesSoFar[static_cast<std::size_t>(team - 1)]++, i);
            // A packed block must not happen to have the slot form's size.
            if (block.bytes.size() == static_cast<std::size_t>(block.size.width * block.size.height * 2)) {
                block.bytes.insert(block.bytes.end(), {0x1F, 0x7C, 0x00});
            }
        } else {
            block.size = tinyOthers
                             ? ArtPictureSize{16, 2}
                             : ArtPictureSize{16 + static_cast<int>(random() % 16), 8 + static_cast<int>(random() % 8)};
            // Pictures of no team: bytes the editor must carry over unchanged.
            block.bytes.resize(static_cast<std::size_t>(block.size.width * block.size.height) + random() % 50);
            for (auto& b : block.bytes) b = static_cast<std::uint8_t>(random());
        }
        std::uint8_t* e = archive.data() + kArtHeaderSize + kArtEntrySize * static_cast<std::size_t>(i);
        WriteU32(e, static_cast<std::uint32_t>(i));
        WriteU32(e + 4, static_cast<std::uint32_t>(random()));
        WriteU32(e + 8, static_cast<std::uint32_t>(block.size.width));
        WriteU32(e + 12, static_cast<std::uint32_t>(block.size.height));
        WriteU32(e + 16, static_cast<std::uint32_t>(block.bytes.size()));
        WriteU32(e + 20, static_cast<std::uint32_t>(archive.size()));
        archive.insert(archive.end(), block.bytes.begin(), block.bytes.end());
    }
    return archive;
}

} // namespace tavolex
