#include "TexelorBitmap.h"

#include <span>

#include "core/ByteOrder.h"
#include "files/AtomicWrite.h"
#include "formats/PackedBitmap.h"
#include "formats/PaletteConversion.h"
#include "formats/PngFile.h"

namespace texelor {
namespace {
constexpr std::size_t kFileHeaderSize = 14;
constexpr std::uint32_t kMinInfoSize = 40;
constexpr int kMaxSide = 16384;
constexpr std::size_t kMaxFileSize = 64u * 1024u * 1024u;
// A PNG may hold far more pixels than its bytes; the viewer takes no more
// than a texture sheet could ever need.
constexpr int kMaxPngSide = 4096;

// A PNG by its colours: palette PNGs (as optimisers write them) too.
BitmapReadResult ReadPng(std::span<const std::uint8_t> file, Bitmap24& bitmap) {
    tavolex::PackedBitmap image;
    if (!tavolex::Ok(tavolex::ReadPngPicture(file, image, kMaxPngSide, kMaxPngSide))) {
        return BitmapReadResult::NotReadable24Bit;
    }
    if (image.depth() == tavolex::Depth::Bits8) {
        tavolex::PackedBitmap colours;
        if (!Ok(tavolex::ExpandFromPalette(image, colours))) {
            return BitmapReadResult::NotReadable24Bit;
        }
        image = std::move(colours);
    }
    Bitmap24 result{image.width(), image.height(),
                    std::vector<std::uint32_t>(static_cast<std::size_t>(image.width()) * image.height())};
    for (int y = 0; y < image.height(); ++y) {
        const std::uint8_t* row = image.topRow(y);
        std::uint32_t* out = result.pixels.data() + static_cast<std::size_t>(y) * image.width();
        for (int x = 0; x < image.width(); ++x, row += 3) {
            out[x] = static_cast<std::uint32_t>(row[2]) << 16 | static_cast<std::uint32_t>(row[1]) << 8 | row[0];
        }
    }
    bitmap = std::move(result);
    return BitmapReadResult::Ok;
}
} // namespace

BitmapReadResult ReadBitmap24(std::span<const std::uint8_t> file, Bitmap24& bitmap) {
    using tavolex::FitsIn;
    using tavolex::ReadI32;
    using tavolex::ReadU16;
    using tavolex::ReadU32;
    if (tavolex::IsPngData(file)) {
        return ReadPng(file, bitmap);
    }
    if (file.size() < kFileHeaderSize + kMinInfoSize || file[0] != 'B' || file[1] != 'M') {
        return BitmapReadResult::NotReadable24Bit;
    }
    const std::uint8_t* info = file.data() + kFileHeaderSize;
    const std::uint32_t infoSize = ReadU32(info);
    const std::int32_t width = ReadI32(info + 4);
    const std::int32_t rawHeight = ReadI32(info + 8);
    if (infoSize < kMinInfoSize || !FitsIn(file.size(), kFileHeaderSize, infoSize) || ReadU16(info + 14) != 24 ||
        ReadU32(info + 16) != 0 || width <= 0 || width > kMaxSide || rawHeight == 0 || rawHeight < -kMaxSide ||
        rawHeight > kMaxSide) {
        return BitmapReadResult::NotReadable24Bit;
    }
    const bool topDown = rawHeight < 0;
    const int height = topDown ? -rawHeight : rawHeight;
    const std::size_t stride = (static_cast<std::size_t>(width) * 3 + 3) & ~std::size_t{3};
    const std::size_t offset = ReadU32(file.data() + 10);
    if (offset < kFileHeaderSize + infoSize ||
        !FitsIn(file.size(), offset, stride * static_cast<std::size_t>(height))) {
        return BitmapReadResult::NotReadable24Bit;
    }
    Bitmap24 result{width, height, std::vector<std::uint32_t>(static_cast<std::size_t>(width) * height)};
    for (int y = 0; y < height; ++y) {
        const int stored = topDown ? y : height - 1 - y;
        const std::uint8_t* row = file.data() + offset + stride * static_cast<std::size_t>(stored);
        std::uint32_t* out = result.pixels.data() + static_cast<std::size_t>(y) * width;
        for (int x = 0; x < width; ++x, row += 3) {
            out[x] = static_cast<std::uint32_t>(row[2]) << 16 | static_cast<std::uint32_t>(row[1]) << 8 | row[0];
        }
    }
    bitmap = std::move(result);
    return BitmapReadResult::Ok;
}

BitmapReadResult ReadBitmap24File(const std::filesystem::path& path, Bitmap24& bitmap) {
    std::vector<std::uint8_t> file;
    if (!tavolex::Ok(tavolex::ReadWholeFile(path, kMaxFileSize, file))) {
        return BitmapReadResult::NotReadable24Bit;
    }
    return ReadBitmap24(file, bitmap);
}

} // namespace texelor
