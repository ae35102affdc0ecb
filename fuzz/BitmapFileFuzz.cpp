// BMP files chosen by users: any bytes must give an error or an image, never a crash.
#include <cstdint>
#include <span>

#include "core/ByteOrder.h"
#include "formats/BitmapFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tavolex;
    const std::span<const std::uint8_t> file(data, size);
    // Ask for the size the header claims (kept small so each run is quick),
    // so that the deeper paths are reached, and for a fixed sheet size.
    int width = 256;
    int height = 4;
    if (size >= 26) {
        width = static_cast<int>(ReadU32(data + 18) % 1024) + 1;
        height = static_cast<int>(ReadU32(data + 22) % 512) + 1;
    }
    PackedBitmap image;
    for (Depth target : {Depth::Bits8, Depth::Bits24}) {
        (void)ParseBitmapFile(file, image, width, height, target);
        (void)ParseBitmapFile(file, image, 256, 4, target);
    }
    return 0;
}
