// Hardware JAM files: record search, stream decoding and patching.
#include <cstdint>
#include <span>
#include <vector>

#include "formats/HardwareJam.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tavolex;
    const std::span<const std::uint8_t> file(data, size);
    int count = 0;
    int height = 0;
    if (!Ok(PeekHardwareJamHeader(file, count, height)) || height == 0 || height > 1024) {
        return 0;
    }
    PackedBitmap image;
    if (!Ok(DecodeHardwareJam(file, height, std::nullopt, image))) {
        image = PackedBitmap(256, height, Depth::Bits24);
    }
    std::vector<std::uint8_t> patched;
    (void)PatchHardwareJamBytes(file, image, height, count, patched);
    return 0;
}
