#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

// An image in memory, laid out as a device-independent bitmap without file
// header: a 40-byte information header, for 8-bit images a 256-entry palette
// (blue, green, red, 0), then the rows bottom row first, each padded to a
// multiple of 4 bytes. Writing a BMP file is then one header plus this block.

namespace tavolex {

enum class Depth : int { Bits8 = 0, Bits24 = 1 };

class PackedBitmap {
  public:
    static constexpr std::size_t kInfoHeaderSize = 40;
    static constexpr std::size_t kPaletteSize = 1024;
    // The largest side the programs handle; keeps every size computation far from overflow.
    static constexpr int kMaxSide = 16384;

    PackedBitmap() = default;
    PackedBitmap(int width, int height, Depth depth) { reset(width, height, depth); }

    // Makes a W x H image of the given depth with its header, the game's palette
    // for 8-bit images, and all pixels zero. Returns false for sizes out of range.
    bool reset(int width, int height, Depth depth);
    void clear() {
        block_.clear();
        width_ = height_ = 0;
    }

    bool empty() const { return block_.empty(); }
    int width() const { return width_; }
    int height() const { return height_; }
    Depth depth() const { return depth_; }
    int bitCount() const { return depth_ == Depth::Bits8 ? 8 : 24; }
    std::size_t stride() const { return StrideFor(width_, depth_); }
    std::size_t pixelOffset() const { return PixelOffsetFor(depth_); }
    bool is(int width, int height, Depth depth) const {
        return !empty() && width_ == width && height_ == height && depth_ == depth;
    }

    // Row r counts from the bottom of the picture, as in the block.
    std::uint8_t* row(int r) { return pixels() + stride() * static_cast<std::size_t>(r); }
    const std::uint8_t* row(int r) const { return pixels() + stride() * static_cast<std::size_t>(r); }
    // Row y counts from the top of the picture.
    std::uint8_t* topRow(int y) { return row(height_ - 1 - y); }
    const std::uint8_t* topRow(int y) const { return row(height_ - 1 - y); }

    std::uint8_t* pixels() { return block_.data() + pixelOffset(); }
    const std::uint8_t* pixels() const { return block_.data() + pixelOffset(); }
    std::size_t pixelBytes() const { return stride() * static_cast<std::size_t>(height_); }

    // The palette entries (blue, green, red, 0) of an 8-bit image.
    std::uint8_t* palette() { return block_.data() + kInfoHeaderSize; }
    const std::uint8_t* palette() const { return block_.data() + kInfoHeaderSize; }

    std::span<const std::uint8_t> block() const { return block_; }

    static std::size_t StrideFor(int width, Depth depth) {
        const std::size_t bytes = static_cast<std::size_t>(width) * (depth == Depth::Bits8 ? 1 : 3);
        return (bytes + 3) & ~static_cast<std::size_t>(3);
    }
    static std::size_t PixelOffsetFor(Depth depth) {
        return kInfoHeaderSize + (depth == Depth::Bits8 ? kPaletteSize : 0);
    }
    static std::size_t BlockSizeFor(int width, int height, Depth depth) {
        return PixelOffsetFor(depth) + StrideFor(width, depth) * static_cast<std::size_t>(height);
    }

    friend bool operator==(const PackedBitmap&, const PackedBitmap&) = default;

  private:
    std::vector<std::uint8_t> block_;
    int width_ = 0;
    int height_ = 0;
    Depth depth_ = Depth::Bits8;
};

// Writes the information header (and for 8-bit the game's palette) as the
// programs set them into the first 40 or 1064 bytes of `out`.
void MakeHeader(int width, int height, Depth depth, std::uint8_t* out);

// The 14-byte file header, information header and (8-bit) palette of a BMP file.
std::vector<std::uint8_t> MakeFileHeader(int width, int height, Depth depth);

} // namespace tavolex
