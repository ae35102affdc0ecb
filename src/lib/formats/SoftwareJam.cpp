#include "formats/SoftwareJam.h"

#include <array>
#include <cstring>

#include "core/ByteOrder.h"
#include "files/AtomicWrite.h"
#include "formats/BitmapFile.h"
#include "formats/JamScramble.h"

namespace tavolex {
namespace {

constexpr int kSheetWidth = 256;
constexpr std::size_t kMaxTableBlock = 4 * 256;

SoftwareJamEntry ParseEntry(const std::uint8_t* e) {
    return SoftwareJamEntry{e[0], ReadU16(e + 1), ReadU16(e + 4), ReadU16(e + 6), ReadU16(e + 12), ReadU16(e + 16)};
}

std::uint8_t* EntryAt(std::uint8_t* file, int i) {
    return file + kSoftwareJamHeaderSize + kSoftwareJamEntrySize * static_cast<std::size_t>(i);
}

// Checks the header and the directory of a descrambled file; every rectangle
// must lie in the sheet and every count be a real palette size.
Error CheckDirectory(std::span<const std::uint8_t> plain, int height, std::optional<int> expectedCount,
                     std::vector<SoftwareJamEntry>& entries) {
    if (plain.size() < kSoftwareJamHeaderSize) {
        return Error::ReadFailed;
    }
    const int count = ReadU16(plain.data());
    if (ReadU16(plain.data() + 2) != height) {
        return Error::WrongHeight;
    }
    if (expectedCount && count != *expectedCount) {
        return Error::WrongImageCount;
    }
    if (count == 0) {
        return Error::NoImages;
    }
    if (!FitsIn(plain.size(), kSoftwareJamHeaderSize, kSoftwareJamEntrySize * count)) {
        return Error::DirectoryOutsideFile;
    }
    entries.clear();
    for (int i = 0; i < count; ++i) {
        const SoftwareJamEntry entry =
            ParseEntry(plain.data() + kSoftwareJamHeaderSize + kSoftwareJamEntrySize * static_cast<std::size_t>(i));
        if (entry.colourCount > 256) {
            return Error::ColourCountTooLarge;
        }
        if (entry.x + entry.width > kSheetWidth || entry.y + entry.height > height) {
            return Error::RectangleOutsideSheet;
        }
        entries.push_back(entry);
    }
    return Error::None;
}

template <typename Visit> void ForEachPixel(std::uint8_t* sheet, const SoftwareJamEntry& e, Visit visit) {
    for (int y = e.y; y < e.y + e.height; ++y) {
        std::uint8_t* row = sheet + static_cast<std::size_t>(y) * kSheetWidth;
        for (int x = e.x; x < e.x + e.width; ++x) {
            visit(row[x]);
        }
    }
}

} // namespace

std::size_t MaxSoftwareJamSize(int imageCount, int height) {
    return kSoftwareJamHeaderSize + (kSoftwareJamEntrySize + kMaxTableBlock) * static_cast<std::size_t>(imageCount) +
           static_cast<std::size_t>(kSheetWidth) * static_cast<std::size_t>(height);
}

Error PeekSoftwareJamHeader(std::span<const std::uint8_t> file, int& imageCount, int& height) {
    if (file.size() < kSoftwareJamHeaderSize) {
        return Error::ReadFailed;
    }
    std::array<std::uint8_t, kSoftwareJamHeaderSize> header;
    std::memcpy(header.data(), file.data(), header.size());
    ScrambleJam(header.data(), header.size());
    imageCount = ReadU16(header.data());
    height = ReadU16(header.data() + 2);
    return Error::None;
}

Error DecodeSoftwareJam(std::span<const std::uint8_t> file, int height, std::optional<int> expectedCount,
                        PackedBitmap& image, Progress* progress) {
    if (height <= 0 || height > PackedBitmap::kMaxSide) {
        return Error::WrongHeight;
    }
    std::vector<std::uint8_t> plain(file.begin(), file.end());
    ScrambleJam(plain.data(), plain.size());
    std::vector<SoftwareJamEntry> entries;
    if (Error error = CheckDirectory(plain, height, expectedCount, entries); !Ok(error)) {
        return error;
    }
    const std::size_t tablesStart = kSoftwareJamHeaderSize + kSoftwareJamEntrySize * entries.size();
    for (const SoftwareJamEntry& e : entries) {
        if (e.colourCount > 0 &&
            !FitsIn(plain.size(), tablesStart + e.tableOffset, 4 * static_cast<std::size_t>(e.colourCount))) {
            return Error::ColourTableOutsideFile;
        }
    }
    // The pixel block follows the last entry's colour tables.
    const SoftwareJamEntry& last = entries.back();
    const std::size_t pixelStart = tablesStart + last.tableOffset + 4 * static_cast<std::size_t>(last.colourCount);
    const std::size_t sheetSize = static_cast<std::size_t>(kSheetWidth) * height;
    if (!FitsIn(plain.size(), pixelStart, sheetSize)) {
        return Error::PixelsOutsideFile;
    }

    std::vector<std::uint8_t> sheet(plain.begin() + static_cast<std::ptrdiff_t>(pixelStart),
                                    plain.begin() + static_cast<std::ptrdiff_t>(pixelStart + sheetSize));
    std::vector<std::uint8_t> covered(sheetSize, 0);
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const SoftwareJamEntry& e = entries[i];
        if (e.colourCount > 0) {
            // p == n is still looked up: it reads the first value of the second copy.
            const std::uint8_t* table = plain.data() + tablesStart + e.tableOffset;
            const int n = e.colourCount;
            ForEachPixel(sheet.data(), e, [&](std::uint8_t& p) { p = p > n ? 0 : table[p]; });
        }
        ForEachPixel(covered.data(), e, [](std::uint8_t& c) { c = 1; });
        SetProgressCounter(progress, static_cast<int>(i) + 1, static_cast<int>(entries.size()));
    }
    for (std::size_t i = 0; i < sheetSize; ++i) {
        sheet[i] &= static_cast<std::uint8_t>(-covered[i]);
    }

    PackedBitmap result(kSheetWidth, height, Depth::Bits8);
    for (int y = 0; y < height; ++y) {
        std::memcpy(result.topRow(y), sheet.data() + static_cast<std::size_t>(y) * kSheetWidth, kSheetWidth);
    }
    image = std::move(result);
    return Error::None;
}

Error PatchSoftwareJamBytes(std::span<const std::uint8_t> file, const PackedBitmap& image, int height,
                            std::optional<int> expectedCount, bool identityTables, std::vector<std::uint8_t>& newFile,
                            Progress* progress) {
    if (!image.is(kSheetWidth, height, Depth::Bits8)) {
        return Error::WrongBitmapDepth;
    }
    int count = 0;
    int fileHeight = 0;
    if (Error error = PeekSoftwareJamHeader(file, count, fileHeight); !Ok(error)) {
        return error;
    }
    // Only the header and directory of the old file are kept; its tables and
    // pixels are replaced, so a longer file is read only as far as needed.
    const std::size_t keep = std::min(file.size(), MaxSoftwareJamSize(count, fileHeight));
    std::vector<std::uint8_t> plain(file.begin(), file.begin() + static_cast<std::ptrdiff_t>(keep));
    ScrambleJam(plain.data(), plain.size());
    std::vector<SoftwareJamEntry> entries;
    if (Error error = CheckDirectory(plain, height, expectedCount, entries); !Ok(error)) {
        return error;
    }

    const std::size_t sheetSize = static_cast<std::size_t>(kSheetWidth) * height;
    std::vector<std::uint8_t> sheet(sheetSize);
    for (int y = 0; y < height; ++y) {
        std::memcpy(sheet.data() + static_cast<std::size_t>(y) * kSheetWidth, image.topRow(y), kSheetWidth);
    }

    const std::size_t tablesStart = kSoftwareJamHeaderSize + kSoftwareJamEntrySize * entries.size();
    std::vector<std::uint8_t> out(plain.begin(), plain.begin() + static_cast<std::ptrdiff_t>(tablesStart));
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const SoftwareJamEntry& e = entries[i];
        // Every entry counts, also one that keeps its pixels.
        SetProgressCounter(progress, static_cast<int>(i) + 1, static_cast<int>(entries.size()));
        if (e.colourCount == 0) {
            continue; // global indices: offset and pixels stay as they are
        }
        std::array<std::uint8_t, 256> table{};
        int colours = 0;
        if (identityTables) {
            for (int v = 0; v < 256; ++v) {
                table[static_cast<std::size_t>(v)] = static_cast<std::uint8_t>(v);
            }
            colours = 256;
        } else {
            // The distinct values in ascending order; each pixel becomes its position.
            std::array<bool, 256> seen{};
            ForEachPixel(sheet.data(), e, [&](std::uint8_t& p) { seen[p] = true; });
            std::array<std::uint8_t, 256> position{};
            for (int v = 0; v < 256; ++v) {
                if (seen[static_cast<std::size_t>(v)]) {
                    position[static_cast<std::size_t>(v)] = static_cast<std::uint8_t>(colours);
                    table[static_cast<std::size_t>(colours++)] = static_cast<std::uint8_t>(v);
                }
            }
            ForEachPixel(sheet.data(), e, [&](std::uint8_t& p) { p = position[p]; });
        }
        const std::size_t offset = out.size() - tablesStart;
        if (offset > 0xFFFF) {
            return Error::ColourTableOutsideFile;
        }
        std::uint8_t* entry = EntryAt(out.data(), static_cast<int>(i));
        WriteU16(entry + 12, static_cast<std::uint16_t>(offset));
        WriteU16(entry + 16, static_cast<std::uint16_t>(colours));
        for (int copy = 0; copy < 4; ++copy) {
            out.insert(out.end(), table.begin(), table.begin() + colours);
        }
    }
    out.insert(out.end(), sheet.begin(), sheet.end());
    ScrambleJam(out.data(), out.size());
    newFile = std::move(out);
    return Error::None;
}

namespace {

// Reads as much of a software JAM as its header can describe; bytes beyond
// that mean nothing to any reader, and hostile lengths are never allocated.
Error ReadSoftwareJamFile(const std::filesystem::path& path, std::vector<std::uint8_t>& file) {
    std::vector<std::uint8_t> header;
    if (Error error = ReadFilePrefix(path, kSoftwareJamHeaderSize, header); !Ok(error)) {
        return error;
    }
    int count = 0;
    int height = 0;
    if (Error error = PeekSoftwareJamHeader(header, count, height); !Ok(error)) {
        return error;
    }
    return ReadFilePrefix(path, MaxSoftwareJamSize(count, height), file);
}

} // namespace

Error ReadSoftwareJam(const std::filesystem::path& path, int height, std::optional<int> expectedCount,
                      PackedBitmap& image, Progress* progress) {
    std::vector<std::uint8_t> file;
    if (Error error = ReadSoftwareJamFile(path, file); !Ok(error)) {
        return error;
    }
    ShowProgressFile(progress, path.string());
    return DecodeSoftwareJam(file, height, expectedCount, image, progress);
}

Error PatchSoftwareJam(const std::filesystem::path& path, const PackedBitmap& image, int height,
                       std::optional<int> expectedCount, bool identityTables, Progress* progress) {
    std::vector<std::uint8_t> file;
    if (Error error = ReadSoftwareJamFile(path, file); !Ok(error)) {
        return error;
    }
    ShowProgressFile(progress, path.string());
    std::vector<std::uint8_t> newFile;
    if (Error error = PatchSoftwareJamBytes(file, image, height, expectedCount, identityTables, newFile, progress);
        !Ok(error)) {
        return error;
    }
    return WriteFileAtomically(path, newFile);
}

} // namespace tavolex
