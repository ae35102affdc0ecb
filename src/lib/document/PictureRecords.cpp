#include "document/PictureRecords.h"

#include <cstring>
#include <span>

#include "core/ByteOrder.h"
#include "formats/Rgb565.h"
#include "formats/RunLength16.h"
#include "formats/RunLength8.h"

namespace tavolex {
namespace {

constexpr std::uint8_t kRaw = 0;
constexpr std::uint8_t kPacked = 1;
constexpr std::uint8_t kGeneratedFlag = 4;
constexpr std::size_t kMaxRecordFactor = 2;

std::size_t RowBytes(const PictureShape& shape) {
    return static_cast<std::size_t>(shape.width) * (shape.colour ? 3 : 1);
}

// The picture's rows bottom-up without padding, as the file stores them.
std::vector<std::uint8_t> UnpaddedPixels(const PackedBitmap& image, const PictureShape& shape) {
    const std::size_t rowBytes = RowBytes(shape);
    std::vector<std::uint8_t> pixels(rowBytes * static_cast<std::size_t>(shape.height));
    for (int r = 0; r < shape.height; ++r) {
        std::memcpy(pixels.data() + rowBytes * static_cast<std::size_t>(r), image.row(r), rowBytes);
    }
    return pixels;
}

void PutU32(std::vector<std::uint8_t>& out, std::size_t value) {
    const std::size_t at = out.size();
    out.resize(at + 4);
    WriteU32(out.data() + at, static_cast<std::uint32_t>(value));
}

struct SectionTables {
    std::uint64_t start = 0;
    std::uint8_t flag = 0;
};

// The section's start and the slot's flag; nothing when the file has neither.
bool FindFlag(ByteSource& file, std::uint32_t version, PictureSection section, int slot, Variant variant,
              SectionTables& tables) {
    const PictureSectionLayout& layout = SectionLayout(section);
    if ((version != kCarSetVersion100 && version != kCarSetVersion110) ||
        (layout.version110Only && version != kCarSetVersion110)) {
        return false;
    }
    SourceCursor entry(file, layout.directoryEntry);
    const std::uint8_t count = entry.u8();
    tables.start = entry.u32();
    const std::size_t index = FlagIndex(section, slot, variant);
    if (!entry.ok() || count == 0 || index >= layout.flagBytes) {
        return false;
    }
    SourceCursor flag(file, tables.start + index);
    tables.flag = flag.u8();
    return flag.ok() && tables.flag != 0;
}

} // namespace

Error AppendPictureRecord(PictureSection section, Variant variant, const PackedBitmap& image,
                          std::vector<std::uint8_t>& out) {
    const PictureShape shape = ShapeOf(section, variant);
    if (!image.is(shape.width, shape.height, shape.colour ? Depth::Bits24 : Depth::Bits8)) {
        return Error::WrongBitmapDepth;
    }
    // Every width the car set uses fills whole 4-byte rows, so the block's
    // pixels are already the file's unpadded rows; other widths are copied.
    std::vector<std::uint8_t> copy;
    std::span<const std::uint8_t> raw(image.pixels(), image.pixelBytes());
    if (image.stride() != RowBytes(shape)) {
        copy = UnpaddedPixels(image, shape);
        raw = copy;
    }
    // Coded once into a scratch buffer: its size is the record's length.
    std::vector<std::uint8_t> packed;
    bool pack;
    if (!shape.colour) {
        EncodeRun8(raw, &packed);
        pack = packed.size() < raw.size();
    } else {
        std::vector<std::uint16_t> words(raw.size() / 3);
        ReduceBgrTo565(raw.data(), words.size(), words.data());
        EncodeRun16(words, &packed);
        pack = section == PictureSection::Artwork || packed.size() < raw.size();
    }
    out.push_back(pack ? kPacked : kRaw);
    PutU32(out, pack ? packed.size() : raw.size());
    if (pack) {
        out.insert(out.end(), packed.begin(), packed.end());
    } else {
        out.insert(out.end(), raw.begin(), raw.end());
    }
    return Error::None;
}

SlotPresence ProbePicture(ByteSource& file, std::uint32_t version, PictureSection section, int slot, Variant variant) {
    SectionTables tables;
    if (!FindFlag(file, version, section, slot, variant, tables)) {
        return SlotPresence::Absent;
    }
    return tables.flag == kGeneratedFlag ? SlotPresence::Generated : SlotPresence::Present;
}

Error ReadPicture(ByteSource& file, std::uint32_t version, PictureSection section, int slot, Variant variant,
                  PackedBitmap& image) {
    SectionTables tables;
    if (!FindFlag(file, version, section, slot, variant, tables) || tables.flag == kGeneratedFlag) {
        return Error::RecordNotFound;
    }
    const PictureSectionLayout& layout = SectionLayout(section);
    SourceCursor offsets(file, tables.start + layout.flagBytes + 4 * FlagIndex(section, slot, variant));
    const std::uint32_t recordOffset = offsets.u32();
    SourceCursor record(file, recordOffset);
    const std::uint8_t packing = record.u8();
    const std::uint32_t length = record.u32();
    const PictureShape shape = ShapeOf(section, variant);
    const std::size_t pixelCount = static_cast<std::size_t>(shape.width) * shape.height;
    const std::size_t rawSize = RowBytes(shape) * static_cast<std::size_t>(shape.height);
    // Neither coding makes a record longer than twice the raw pixels, so a
    // longer length is corrupt and is refused before anything is allocated.
    if (!offsets.ok() || !record.ok() || recordOffset == 0 || (packing != kRaw && packing != kPacked) ||
        length > file.size() || length > kMaxRecordFactor * rawSize) {
        return Error::RecordNotFound;
    }
    // Nor can a record too short to hold every pixel be a picture: the
    // codings make at most 63 pixels of two bytes (8-bit) or 127 of three
    // (colour), and a raw record is exactly the pixels.
    const std::size_t mostPixels = packing == kRaw ? (length == rawSize ? pixelCount : 0)
                                   : shape.colour  ? 127 * (length / 3)
                                                   : 63 * (length / 2) + length % 2;
    if (mostPixels < pixelCount) {
        return Error::StreamTruncated;
    }
    std::vector<std::uint8_t> data(length);
    if (!record.bytes(length, data.data())) {
        return Error::StreamTruncated;
    }

    PackedBitmap result(shape.width, shape.height, shape.colour ? Depth::Bits24 : Depth::Bits8);
    // The file's rows are unpadded; decode into a buffer of that shape unless
    // the bitmap's rows are the same (every width the car set uses).
    const bool direct = result.stride() == RowBytes(shape);
    std::vector<std::uint8_t> buffer(direct ? 0 : rawSize);
    std::uint8_t* pixels = direct ? result.pixels() : buffer.data();
    if (packing == kRaw) {
        if (length != rawSize) {
            return Error::StreamTruncated;
        }
        std::memcpy(pixels, data.data(), rawSize);
    } else if (!shape.colour) {
        std::size_t produced = 0;
        if (Error error = DecodeRun8(data, pixels, pixelCount, &produced); !Ok(error)) {
            return error;
        }
        if (produced != pixelCount) {
            return Error::StreamTruncated;
        }
    } else {
        if (Error error = DecodeRun16ToBgr(data, pixelCount, kNoImplicitCode, pixels, nullptr); !Ok(error)) {
            return error;
        }
    }
    if (!direct) {
        const std::size_t rowBytes = RowBytes(shape);
        for (int r = 0; r < shape.height; ++r) {
            std::memcpy(result.row(r), buffer.data() + rowBytes * static_cast<std::size_t>(r), rowBytes);
        }
    }
    image = std::move(result);
    return Error::None;
}

SlotPresence ProbePicture(const std::filesystem::path& path, std::uint32_t version, PictureSection section, int slot,
                          Variant variant) {
    FileSource file(path);
    return file.isOpen() ? ProbePicture(file, version, section, slot, variant) : SlotPresence::Absent;
}

Error ReadPicture(const std::filesystem::path& path, std::uint32_t version, PictureSection section, int slot,
                  Variant variant, PackedBitmap& image) {
    FileSource file(path);
    if (!file.isOpen()) {
        return Error::OpenFailed;
    }
    return ReadPicture(file, version, section, slot, variant, image);
}

} // namespace tavolex
