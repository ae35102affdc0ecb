// PNG files chosen by users: any bytes must give an error or an image, never a crash.
#include <cstdint>
#include <span>

#include "formats/PictureFile.h"
#include "formats/PngFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tavolex;
    const std::span<const std::uint8_t> file(data, size);
    PackedBitmap image;
    // Any size up to a small bound reaches the pixel paths quickly; the
    // picture reader also tries the bytes as a BMP.
    (void)ReadPngPicture(file, image, 512, 512);
    for (Depth target : {Depth::Bits8, Depth::Bits24}) {
        (void)ParsePictureFile(file, image, 16, 8, target);
    }
    if (!image.empty()) {
        std::vector<std::uint8_t> again;
        (void)EncodePngFile(image, again);
    }
    return 0;
}
