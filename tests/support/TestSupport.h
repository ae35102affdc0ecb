#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "document/CarSet.h"
#include "formats/PackedBitmap.h"

namespace tavolex::test {

// A fresh folder for one test, removed afterwards.
class ScratchFolder {
  public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

  private:
    std::filesystem::path path_;
};

// A car set with every default, as a value.
CarSet NewSet();

std::vector<std::uint8_t> ReadBytes(const std::filesystem::path& path);
void WriteBytes(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes);

// While alive, no file this process writes may grow beyond `bytes`: a write
// past it fails as on a full disk, whoever runs the test (root included).
class FileSizeLimit {
  public:
    explicit FileSizeLimit(std::uint64_t bytes);
    ~FileSizeLimit();
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

  private:
    std::uint64_t previousSoft_;
    void (*previousHandler_)(int);
};

// Runs a program to its end with stdin empty, capturing its output in the folder.
struct ProcessResult {
    int status; // the exit status, -1 when it did not exit normally
    std::string out;
    std::string err;
};
ProcessResult RunProcess(const ScratchFolder& folder, const std::string& program,
                         const std::vector<std::string>& arguments, const std::string& environmentPrefix = {});

// Pictures with content like a real texture: smooth gradients with noise
// (few repeated neighbours) or flat areas with stripes (many runs).
PackedBitmap PhotoLike24(int width, int height, unsigned seed = 1);
PackedBitmap Banded8(int width, int height, unsigned seed = 1);
// The 24-bit picture reduced to what RGB565 keeps, for comparing hardware round trips.
PackedBitmap ReducedTo565(const PackedBitmap& image);

} // namespace tavolex::test
