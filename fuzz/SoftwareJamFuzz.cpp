// Software JAM files: reading and patching must refuse hostile files cleanly.
#include <cstdint>
#include <span>
#include <vector>

#include "formats/SoftwareJam.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tavolex;
    const std::span<const std::uint8_t> file(data, size);
    int count = 0;
    int height = 0;
    if (!Ok(PeekSoftwareJamHeader(file, count, height)) || height == 0 || height > 1024) {
        return 0;
    }
    PackedBitmap image;
    if (Ok(DecodeSoftwareJam(file, height, std::nullopt, image))) {
        std::vector<std::uint8_t> patched;
        (void)PatchSoftwareJamBytes(file, image, height, count, (size & 1) != 0, patched);
    } else {
        PackedBitmap blank(256, height, Depth::Bits8);
        std::vector<std::uint8_t> patched;
        (void)PatchSoftwareJamBytes(file, blank, height, std::nullopt, false, patched);
    }
    return 0;
}
