#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <vector>

// What the viewer accepts as a bitmap to import: any uncompressed 24-bit BMP
// the system's own loader would take (longer information headers, top-down
// rows, a pixel offset of its own), read only as far as its header was
// checked against the file; and any PNG, by its colours.

namespace texelor {

struct Bitmap24 {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels; // 0x00RRGGBB, top row first
};

enum class BitmapReadResult { Ok, NotReadable24Bit };

BitmapReadResult ReadBitmap24(std::span<const std::uint8_t> file, Bitmap24& bitmap);
BitmapReadResult ReadBitmap24File(const std::filesystem::path& path, Bitmap24& bitmap);

} // namespace texelor
