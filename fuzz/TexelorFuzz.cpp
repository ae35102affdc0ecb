// The viewer's own readers: its record walk and stream decoder, and the
// 24-bit bitmaps it imports.
#include <cstdint>
#include <span>
#include <vector>

#include "TexelorBitmap.h"
#include "TexelorStream.h"
#include "core/ByteOrder.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> file(data, size);
    texelor::Bitmap24 bitmap;
    (void)texelor::ReadBitmap24(file, bitmap);
    if (size < 8) {
        return 0;
    }
    const int count = static_cast<std::int16_t>(tavolex::ReadU16(data + 4));
    const int height = static_cast<std::int16_t>(tavolex::ReadU16(data + 6));
    texelor::StreamLayout layout;
    if (height > 0 && height <= 1024 && texelor::LocateStream(file, count, layout)) {
        std::vector<std::uint32_t> pixels;
        (void)texelor::DecodeStream(file, layout, 256 * static_cast<std::size_t>(height), pixels);
    }
    return 0;
}
