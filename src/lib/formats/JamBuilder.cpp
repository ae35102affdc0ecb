#include "formats/JamBuilder.h"

#include "core/ByteOrder.h"
#include "formats/HardwareJam.h"
#include "formats/JamScramble.h"
#include "formats/SoftwareJam.h"

namespace tavolex {
namespace {
constexpr int kSheetWidth = 256;
constexpr int kRecordKinds = 5;
constexpr std::uint8_t kFiller = 0x11;
} // namespace

Error BuildSoftwareJam(const PackedBitmap& image, const std::vector<JamRectangle>& rectangles, bool identityTables,
                       std::vector<std::uint8_t>& file) {
    if (image.empty() || image.width() != kSheetWidth || rectangles.empty() || rectangles.size() > 0xFFFF) {
        return Error::WrongBitmapDepth;
    }
    // A skeleton with the directory and an empty sheet; patching it fills in
    // the tables and pixels exactly as the game's files are laid out.
    const std::size_t count = rectangles.size();
    std::vector<std::uint8_t> plain(kSoftwareJamHeaderSize + kSoftwareJamEntrySize * count +
                                    static_cast<std::size_t>(kSheetWidth) * image.height());
    WriteU16(plain.data(), static_cast<std::uint16_t>(count));
    WriteU16(plain.data() + 2, static_cast<std::uint16_t>(image.height()));
    for (std::size_t i = 0; i < count; ++i) {
        const JamRectangle& r = rectangles[i];
        std::uint8_t* entry = plain.data() + kSoftwareJamHeaderSize + kSoftwareJamEntrySize * i;
        entry[0] = static_cast<std::uint8_t>(r.x);
        WriteU16(entry + 1, static_cast<std::uint16_t>(r.y));
        WriteU16(entry + 4, static_cast<std::uint16_t>(r.width));
        WriteU16(entry + 6, static_cast<std::uint16_t>(r.height));
        WriteU16(entry + 16, r.globalIndices ? 0 : 1);
    }
    ScrambleJam(plain.data(), plain.size());
    if (Error error = PatchSoftwareJamBytes(plain, image, image.height(), std::nullopt, identityTables, file);
        !Ok(error)) {
        return error;
    }
    // Entries without a table point at the end of the tables, so that a last
    // entry of that kind still tells readers where the pixels start.
    ScrambleJam(file.data(), file.size());
    const std::size_t tablesStart = kSoftwareJamHeaderSize + kSoftwareJamEntrySize * count;
    const std::size_t tablesEnd = file.size() - static_cast<std::size_t>(kSheetWidth) * image.height();
    for (std::size_t i = 0; i < count; ++i) {
        if (rectangles[i].globalIndices) {
            WriteU16(file.data() + kSoftwareJamHeaderSize + kSoftwareJamEntrySize * i + 12,
                     static_cast<std::uint16_t>(tablesEnd - tablesStart));
        }
    }
    ScrambleJam(file.data(), file.size());
    return Error::None;
}

Error BuildHardwareJam(const PackedBitmap& image, int imageCount, std::vector<std::uint8_t>& file) {
    if (imageCount <= 0 || imageCount > 0xFFFF || image.empty()) {
        return Error::WrongImageCount;
    }
    std::vector<std::uint8_t> skeleton(kHardwareJamHeaderSize);
    WriteU32(skeleton.data(), kHardwareJamMagic);
    WriteU16(skeleton.data() + 4, static_cast<std::uint16_t>(imageCount));
    WriteU16(skeleton.data() + 6, static_cast<std::uint16_t>(image.height()));
    for (int i = 0; i < imageCount; ++i) {
        // Marker FF FF, the kind at +6, the implicit-code byte at +9 and the
        // closing space where the reader starts looking for it.
        const int kind = i % kRecordKinds;
        const std::size_t length = static_cast<std::size_t>(19 - 2 * kind) + 1;
        std::vector<std::uint8_t> record(length, kFiller);
        record[0] = record[1] = 0xFF;
        record[6] = static_cast<std::uint8_t>(kind);
        record[9] = static_cast<std::uint8_t>(133 - kind);
        record[length - 1] = 0x20;
        skeleton.insert(skeleton.end(), record.begin(), record.end());
    }
    return PatchHardwareJamBytes(skeleton, image, image.height(), imageCount, file);
}

} // namespace tavolex
