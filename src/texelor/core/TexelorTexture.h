#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "TexelorStream.h"

// The one texture the viewer holds: the hardware JAM file's bytes as read
// (rebuilt by an import), where its stream starts, and its pixels.

namespace texelor {

enum class LoadResult { Ok = 0, CannotOpen = 1, NotA16BitJam = 2, BadHeader = 3, BadImageData = 4 };
enum class ImportResult { Ok = 0, NotLoaded = 1, NotReadable24Bit = 2, WrongSize = 3 };
enum class SaveResult { Ok = 0, WriteError = 1, ReadOnly = 2, NotLoaded = 3 };

class TexelorTexture {
  public:
    static constexpr int kWidth = 256;

    LoadResult load(const std::filesystem::path& path);
    // Writes the pixels as a 24-bit BMP, or an RGB PNG when the name ends in
    // ".png"; false without a loaded JAM or on a write error.
    bool exportBitmap(const std::filesystem::path& path) const;
    // Takes the pixels of a 24-bit 256 x H bitmap (or any PNG of that size)
    // and rebuilds the file's stream from them.
    ImportResult importBitmap(const std::filesystem::path& path);
    // Writes the file bytes and marks the file read-only afterwards.
    SaveResult save(const std::filesystem::path& path) const;

    bool loaded() const { return loaded_; }
    int height() const { return height_; }
    // 0x00RRGGBB, top row first: the file's colours after a load, the bitmap's after an import.
    const std::vector<std::uint32_t>& pixels() const { return pixels_; }
    const std::vector<std::uint8_t>& fileBytes() const { return fileBytes_; }

  private:
    std::vector<std::uint8_t> fileBytes_;
    StreamLayout layout_;
    int height_ = 0;
    std::vector<std::uint32_t> pixels_;
    bool loaded_ = false;
};

// "<reason>\n\n<what was aborted>", as the viewer's message boxes and batch mode say it.
std::string LoadMessage(LoadResult result);
std::string ImportMessage(ImportResult result);
std::string SaveMessage(SaveResult result);
std::string ExportMessage();

} // namespace texelor
