#include "formats/HardwareJam.h"

#include <cstring>

#include "core/ByteOrder.h"
#include "files/AtomicWrite.h"
#include "formats/BitmapFile.h"
#include "formats/Rgb565.h"
#include "formats/RunLength16.h"

namespace tavolex {
namespace {

constexpr int kSheetWidth = 256;
constexpr std::uint8_t kRecordEnd = 0x20;
constexpr std::size_t kKindOffset = 6;
constexpr std::size_t kImplicitByteOffset = 9;
// The writers store 133 - kind so that kind + byte - 5 comes to 128, "none".
constexpr int kImplicitBase = 133;
// Records are a few dozen bytes; this leaves generous room for odd ones.
constexpr std::size_t kMaxRecordBytes = 4096;

Error CheckHeader(std::span<const std::uint8_t> file, int height, std::optional<int> expectedCount, int& count) {
    int fileHeight = 0;
    if (Error error = PeekHardwareJamHeader(file, count, fileHeight); !Ok(error)) {
        return error;
    }
    if (fileHeight != height) {
        return Error::WrongHeight;
    }
    if (expectedCount && count != *expectedCount) {
        return Error::WrongImageCount;
    }
    return count == 0 ? Error::NoImages : Error::None;
}

} // namespace

Error PeekHardwareJamHeader(std::span<const std::uint8_t> file, int& imageCount, int& height) {
    if (file.size() < kHardwareJamHeaderSize) {
        return Error::ReadFailed;
    }
    if (ReadU32(file.data()) != kHardwareJamMagic) {
        return Error::BadMagic;
    }
    imageCount = ReadU16(file.data() + 4);
    height = ReadU16(file.data() + 6);
    return Error::None;
}

std::size_t MaxHardwareJamSize(int imageCount, int height) {
    // The longest coding is a 3-byte run packet for every pixel.
    return kHardwareJamHeaderSize + kMaxRecordBytes * static_cast<std::size_t>(imageCount) +
           3 * static_cast<std::size_t>(kSheetWidth) * static_cast<std::size_t>(height);
}

Error LocateHardwareStream(std::span<const std::uint8_t> file, int imageCount, HardwareStream& stream) {
    stream = HardwareStream{};
    std::size_t search = kHardwareJamHeaderSize;
    for (int i = 0; i < imageCount; ++i) {
        std::size_t m = search;
        while (m + 1 < file.size() && !(file[m] == 0xFF && file[m + 1] == 0xFF)) {
            ++m;
        }
        if (m + kImplicitByteOffset >= file.size()) {
            return Error::RecordNotFound;
        }
        const int kind = file[m + kKindOffset];
        // The closing space is searched from a point that depends on the kind;
        // for large kinds that point lies before the marker, even before the file.
        const std::ptrdiff_t from = static_cast<std::ptrdiff_t>(m) + 19 - 2 * kind;
        if (from < 0) {
            return Error::RecordNotFound;
        }
        std::size_t at = static_cast<std::size_t>(from);
        while (at < file.size() && file[at] != kRecordEnd) {
            ++at;
        }
        // A record must end after its marker; otherwise the next search would
        // find the same marker again and hostile files could take forever.
        if (at >= file.size() || at <= m) {
            return Error::RecordNotFound;
        }
        search = at + 1;
        stream.start = search;
        stream.lastKind = kind;
        stream.implicitByte = m + kImplicitByteOffset;
        stream.implicitCode = (kind + file[m + kImplicitByteOffset] - 5) & 0xFF;
    }
    return Error::None;
}

Error DecodeHardwareJam(std::span<const std::uint8_t> file, int height, std::optional<int> expectedCount,
                        PackedBitmap& image, Progress* progress) {
    int count = 0;
    if (Error error = CheckHeader(file, height, expectedCount, count); !Ok(error)) {
        return error;
    }
    if (height > PackedBitmap::kMaxSide) {
        return Error::WrongHeight;
    }
    SetProgressCounter(progress, count, count);
    HardwareStream stream;
    if (Error error = LocateHardwareStream(file, count, stream); !Ok(error)) {
        return error;
    }
    const std::size_t pixelCount = static_cast<std::size_t>(kSheetWidth) * height;
    std::vector<std::uint16_t> values(pixelCount);
    if (Error error = DecodeRun16(file.subspan(stream.start), pixelCount, stream.implicitCode, values.data(), nullptr);
        !Ok(error)) {
        return error;
    }
    PackedBitmap result(kSheetWidth, height, Depth::Bits24);
    for (int y = 0; y < height; ++y) {
        Expand565ToBgr(values.data() + static_cast<std::size_t>(y) * kSheetWidth, kSheetWidth, result.topRow(y));
    }
    image = std::move(result);
    return Error::None;
}

Error PatchHardwareJamBytes(std::span<const std::uint8_t> file, const PackedBitmap& image, int height,
                            std::optional<int> expectedCount, std::vector<std::uint8_t>& newFile, Progress* progress) {
    if (!image.is(kSheetWidth, height, Depth::Bits24)) {
        return Error::WrongBitmapDepth;
    }
    int count = 0;
    if (Error error = CheckHeader(file, height, expectedCount, count); !Ok(error)) {
        return error;
    }
    SetProgressCounter(progress, count, count);
    HardwareStream stream;
    if (Error error = LocateHardwareStream(file, count, stream); !Ok(error)) {
        return error;
    }
    // A record whose implicit-code byte lies in the stream would have that
    // byte overwritten by the new stream: such a file cannot be patched safely.
    if (stream.implicitByte >= stream.start) {
        return Error::RecordNotFound;
    }
    const std::size_t pixelCount = static_cast<std::size_t>(kSheetWidth) * height;
    std::vector<std::uint16_t> values(pixelCount);
    for (int y = 0; y < height; ++y) {
        ReduceBgrTo565(image.topRow(y), kSheetWidth, values.data() + static_cast<std::size_t>(y) * kSheetWidth);
    }
    std::vector<std::uint8_t> out(file.begin(), file.begin() + static_cast<std::ptrdiff_t>(stream.start));
    out[stream.implicitByte] = static_cast<std::uint8_t>((kImplicitBase - stream.lastKind) & 0xFF);
    EncodeRun16(values, &out);
    newFile = std::move(out);
    return Error::None;
}

namespace {

Error ReadHardwareJamFile(const std::filesystem::path& path, std::vector<std::uint8_t>& file) {
    std::vector<std::uint8_t> header;
    if (Error error = ReadFilePrefix(path, kHardwareJamHeaderSize, header); !Ok(error)) {
        return error;
    }
    int count = 0;
    int height = 0;
    if (Error error = PeekHardwareJamHeader(header, count, height); !Ok(error)) {
        return error;
    }
    return ReadWholeFile(path, MaxHardwareJamSize(count, height), file);
}

} // namespace

Error ReadHardwareJam(const std::filesystem::path& path, int height, std::optional<int> expectedCount,
                      PackedBitmap& image, Progress* progress) {
    std::vector<std::uint8_t> file;
    if (Error error = ReadHardwareJamFile(path, file); !Ok(error)) {
        return error;
    }
    ShowProgressFile(progress, path.string());
    return DecodeHardwareJam(file, height, expectedCount, image, progress);
}

Error PatchHardwareJam(const std::filesystem::path& path, const PackedBitmap& image, int height,
                       std::optional<int> expectedCount, Progress* progress) {
    std::vector<std::uint8_t> file;
    if (Error error = ReadHardwareJamFile(path, file); !Ok(error)) {
        return error;
    }
    ShowProgressFile(progress, path.string());
    std::vector<std::uint8_t> newFile;
    if (Error error = PatchHardwareJamBytes(file, image, height, expectedCount, newFile, progress); !Ok(error)) {
        return error;
    }
    return WriteFileAtomically(path, newFile);
}

} // namespace tavolex
