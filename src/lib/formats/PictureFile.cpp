#include "formats/PictureFile.h"

#include "files/AtomicWrite.h"
#include "files/FileHelpers.h"
#include "formats/BitmapFile.h"
#include "formats/PngFile.h"

namespace tavolex {

namespace {
// Room for a PNG's chunks beside its pixels: text, profiles, a stored (not
// compressed) image of 16-bit RGBA at most doubles the 8 bytes per pixel.
constexpr std::size_t kPngChunkRoom = 4u * 1024u * 1024u;
} // namespace

bool IsPngName(const std::filesystem::path& path) { return EqualsIgnoreCase(path.extension().string(), ".png"); }

Error ParsePictureFile(Bytes file, PackedBitmap& destination, int width, int height, Depth target) {
    if (IsPngData(file)) {
        return ParsePngFile(file, destination, width, height, target);
    }
    return ParseBitmapFile(file, destination, width, height, target);
}

Error ReadPictureFileBytes(const std::filesystem::path& path, int width, int height, std::vector<std::uint8_t>& file) {
    if (width <= 0 || height <= 0 || width > PackedBitmap::kMaxSide || height > PackedBitmap::kMaxSide) {
        return Error::WrongBitmapSize;
    }
    const std::size_t pixels = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
    return ReadWholeFile(path, 2 * 8 * pixels + kPngChunkRoom, file);
}

Error LoadPictureFile(const std::filesystem::path& path, PackedBitmap& destination, int width, int height,
                      Depth target) {
    std::vector<std::uint8_t> start;
    if (Error error = ReadFilePrefix(path, 8, start); !Ok(error)) {
        return error;
    }
    if (!IsPngData(start)) {
        // A BMP reads only as far as its headers say.
        return LoadBitmapFile(path, destination, width, height, target);
    }
    std::vector<std::uint8_t> file;
    if (Error error = ReadPictureFileBytes(path, width, height, file); !Ok(error)) {
        return error;
    }
    return ParsePngFile(file, destination, width, height, target);
}

Error SavePictureFile(const std::filesystem::path& path, const PackedBitmap& bitmap) {
    if (!IsPngName(path)) {
        return SaveBitmapFile(path, bitmap);
    }
    return SavePngFile(path, bitmap);
}

} // namespace tavolex
