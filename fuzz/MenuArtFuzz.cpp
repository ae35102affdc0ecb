// The menu art archive: directory, expansion, team art import and the packed decoder.
#include <cstdint>
#include <span>
#include <vector>

#include "core/ByteOrder.h"
#include "game/MenuArtArchive.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tavolex;
    const std::span<const std::uint8_t> bytes(data, size);
    // Small inputs drive the packed decoder directly: width, height, entry, tokens.
    if (size >= 4 && size < kArtDataStart) {
        std::vector<std::uint16_t> pixels;
        const int width = data[0] % 130 + 1;
        const int height = data[1] % 130 + 1;
        const int entry = 400 + data[2] % 40;
        (void)DecodePackedArt(bytes.subspan(3), width, height, entry, pixels);
        (void)DecodeRunArt(bytes.subspan(3), width, height, entry, pixels);
        return 0;
    }
    std::vector<std::uint8_t> expanded;
    bool changed = false;
    if (Ok(ExpandArtArchive(bytes, expanded, changed)) && changed) {
        PackedBitmap sheet;
        if (Ok(ImportTeamArt(expanded, size % 11, sheet))) {
            (void)ExportTeamArt(expanded, static_cast<int>(size % 11), sheet);
        }
    }
    return 0;
}
