// BMP files chosen by users: any bytes must give an error or an image, never a crash.
#include <cstdint>
#include <span>

#include "formats/BitmapFile.h"
#include "formats/BitmapLayout.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tavolex;
    const std::span<const std::uint8_t> file(data, size);
    // Ask for the size the headers claim (when small, so each run is quick),
    // so that the pixel paths are reached, and for a fixed sheet size.
    int width = 256;
    int height = 4;
    BitmapLayout layout;
    if (Ok(ReadBitmapLayout(file, layout)) && layout.width <= 1024 && layout.height <= 512) {
        width = layout.width;
        height = layout.height;
    }
    PackedBitmap image;
    for (Depth target : {Depth::Bits8, Depth::Bits24}) {
        (void)ParseBitmapFile(file, image, width, height, target);
        (void)ParseBitmapFile(file, image, 256, 4, target);
    }
    return 0;
}
