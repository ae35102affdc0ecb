#include "game/MenuArtArchive.h"

#include <algorithm>
#include <bit>
#include <cstring>

#include "core/ByteOrder.h"
#include "core/Texts.h"
#include "files/AtomicWrite.h"
#include "formats/ArtSheetBitmap.h"
#include "formats/BitmapFile.h"
#include "game/GameConstants.h"

namespace tavolex {
namespace {

// Team pictures are at most 128 x 128; anything much larger is not one.
constexpr std::int64_t kMaxArtPixels = 65536;
constexpr std::size_t kMaxArchiveSize = 256u * 1024u * 1024u;
constexpr int kVirtualFrameWidth = 800;
constexpr std::uint8_t kMaxRunCount = 0x3F;
constexpr int kMaxRunPixels = kMaxRunCount + 2; // a run's count byte holds its length less one

constexpr std::array<SheetPosition, kArtPicturesPerTeam> kPositions = {{
    {1, 1},     {31, 1},    {61, 1},    {96, 1},   {140, 1},   {194, 1},   {257, 1},   {330, 1},   {412, 1},
    {502, 1},   {600, 1},   {704, 1},   {814, 1},  {0, 124},   {118, 124}, {238, 124}, {359, 124}, {480, 124},
    {600, 124}, {718, 124}, {832, 124}, {0, 247},  {104, 247}, {202, 247}, {293, 247}, {376, 247}, {449, 247},
    {512, 247}, {566, 247}, {610, 247}, {1, 370},  {77, 370},  {137, 370}, {339, 370}, {427, 370}, {556, 370},
    {685, 370}, {814, 370}, {1, 570},   {80, 570}, {160, 570}, {238, 570}, {320, 570}, {402, 570}, {490, 570},
}};

bool SaneSize(int width, int height) {
    return width > 0 && height > 0 && std::int64_t{width} * height <= kMaxArtPixels;
}

std::span<const std::uint8_t> BlockOf(std::span<const std::uint8_t> archive, const ArtEntry& e) {
    return archive.subspan(static_cast<std::size_t>(e.offset), static_cast<std::size_t>(e.size));
}

bool BlockFits(std::span<const std::uint8_t> archive, const ArtEntry& e) {
    return e.offset >= 0 && e.size >= 0 &&
           FitsIn(archive.size(), static_cast<std::size_t>(e.offset), static_cast<std::size_t>(e.size));
}

} // namespace

int TeamOfArtEntry(int i) {
    if (i >= 10 && i <= 339)
        return (i - 10) / 30 + 1;
    if (i >= 400 && i <= 443)
        return (i - 400) % 11 + 1;
    if (i >= 445 && i <= 488)
        return (i - 445) / 4 + 1;
    if (i >= 489 && i <= 554)
        return (i - 489) / 6 + 1;
    if (i >= 555 && i <= 565)
        return i - 555 + 1;
    return 0;
}

std::array<int, kArtPicturesPerTeam> TeamArtEntries(int team) {
    std::array<int, kArtPicturesPerTeam> entries{};
    std::size_t k = 0;
    for (int i = 0; i < kArtEntryCount && k < entries.size(); ++i) {
        if (TeamOfArtEntry(i) == team + 1) {
            entries[k++] = i;
        }
    }
    return entries;
}

SheetPosition ArtSheetPosition(int k) { return kPositions[static_cast<std::size_t>(k)]; }

namespace {

std::vector<ArtEntry> DirectoryOf(std::span<const std::uint8_t> archive) {
    std::vector<ArtEntry> entries(kArtEntryCount);
    for (int i = 0; i < kArtEntryCount; ++i) {
        const std::uint8_t* e = archive.data() + kArtHeaderSize + kArtEntrySize * static_cast<std::size_t>(i);
        entries[static_cast<std::size_t>(i)] =
            ArtEntry{ReadI32(e), ReadI32(e + 4), ReadI32(e + 8), ReadI32(e + 12), ReadI32(e + 16), ReadI32(e + 20)};
    }
    return entries;
}

// Every team picture has a sane size and its block inside a file of `fileSize` bytes.
bool TeamBlocksInside(const std::vector<ArtEntry>& entries, std::uint64_t fileSize) {
    for (int i = 0; i < kArtEntryCount; ++i) {
        const ArtEntry& e = entries[static_cast<std::size_t>(i)];
        if (TeamOfArtEntry(i) != 0 &&
            (!SaneSize(e.width, e.height) || e.offset < 0 || e.size < 0 ||
             static_cast<std::uint64_t>(e.offset) + static_cast<std::uint64_t>(e.size) > fileSize)) {
            return false;
        }
    }
    return true;
}

} // namespace

ArtIdentity IdentifyArtArchive(std::span<const std::uint8_t> start, std::uint64_t fileSize,
                               const std::optional<ArtSignature>& remembered) {
    ArtIdentity identity;
    if (start.size() < kArtDataStart || fileSize < start.size()) {
        return identity;
    }
    std::copy_n(start.begin(), identity.signature.size(), identity.signature.begin());
    if (identity.signature == kArtArchiveSignature || (remembered && identity.signature == *remembered)) {
        identity.by = IdentifiedBy::Text;
    } else if (IsMarkedCreditText(identity.signature) && TeamBlocksInside(DirectoryOf(start), fileSize)) {
        identity.by = IdentifiedBy::Contents;
    }
    return identity;
}

ArtIdentity IdentifyArtArchiveFile(const std::filesystem::path& path, const std::optional<ArtSignature>& remembered) {
    std::error_code ec;
    const auto size = std::filesystem::file_size(path, ec);
    std::vector<std::uint8_t> start;
    if (ec || !Ok(ReadFilePrefix(path, kArtDataStart, start))) {
        return {};
    }
    return IdentifyArtArchive(start, size, remembered);
}

Error ReadArtDirectory(std::span<const std::uint8_t> archive, std::vector<ArtEntry>& entries) {
    if (archive.size() < kArtDataStart) {
        return Error::ReadFailed;
    }
    if (IdentifyArtArchive(archive, archive.size()).by == IdentifiedBy::None) {
        return Error::BadMagic;
    }
    entries = DirectoryOf(archive);
    return Error::None;
}

Error DecodePackedArt(std::span<const std::uint8_t> block, int width, int height, int entry,
                      std::vector<std::uint16_t>& pixels) {
    if (!SaneSize(width, height)) {
        return Error::WrongBitmapSize;
    }
    const std::int64_t total = std::int64_t{width} * height;
    std::vector<std::uint16_t> out(static_cast<std::size_t>(total));
    std::int64_t n = 0;
    std::size_t at = 0;
    const bool runs = HasTransparentRuns(entry);
    const std::int64_t steps[8] = {1, width + 1, width, width - 1, -1, -width - 1, -width, 1 - width};
    while (n < total) {
        if (at + 2 > block.size()) {
            return Error::StreamTruncated;
        }
        const std::uint8_t b0 = block[at];
        const std::uint8_t b1 = block[at + 1];
        at += 2;
        if ((b1 & 0x80) == 0) {
            if (runs && b0 == 0x1F && b1 == 0x7C) {
                if (at >= block.size()) {
                    return Error::StreamTruncated;
                }
                // A run that would overshoot the picture stops at its end.
                const std::int64_t count = std::min<std::int64_t>(block[at++] + 1, total - n);
                std::fill_n(out.begin() + n, count, kArtTransparent);
                n += count;
            } else {
                out[static_cast<std::size_t>(n++)] = static_cast<std::uint16_t>(b0 | (b1 << 8));
            }
            continue;
        }
        if (at >= block.size()) {
            return Error::StreamTruncated;
        }
        const std::uint8_t c = block[at++];
        int length = ((c >> 3) & 7) + 2;
        length = length == 8 ? 14 : length == 9 ? 28 : length;
        const std::int64_t distance = (c >> 6) + 4 * b0 + 1024 * (b1 & 0x7F);
        const std::int64_t row = n / width;
        const std::int64_t column = n % width;
        const std::int64_t v = kVirtualFrameWidth * row + column - distance;
        std::int64_t s = v % kVirtualFrameWidth + (v / kVirtualFrameWidth) * width;
        const std::int64_t step = steps[c & 7];
        for (int i = 0; i < length && n < total; ++i, ++n, s += step) {
            // Only pixels already decoded may be copied.
            if (s < 0 || s >= n) {
                return Error::StreamOverrun;
            }
            out[static_cast<std::size_t>(n)] = out[static_cast<std::size_t>(s)];
        }
    }
    pixels = std::move(out);
    return Error::None;
}

Error DecodeRunArt(std::span<const std::uint8_t> block, int width, int height, int entry,
                   std::vector<std::uint16_t>& pixels) {
    if (!SaneSize(width, height)) {
        return Error::WrongBitmapSize;
    }
    const std::size_t total = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
    std::vector<std::uint16_t> out;
    out.reserve(total);
    const bool runs = HasTransparentRuns(entry);
    std::size_t at = 0;
    while (out.size() < total) {
        if (at + 2 > block.size()) {
            return Error::StreamTruncated;
        }
        const std::uint16_t value = ReadU16(block.data() + at);
        at += 2;
        if (runs && value == kArtTransparent) {
            if (at >= block.size()) {
                return Error::StreamTruncated;
            }
            const std::size_t count = std::min<std::size_t>(block[at++] + 1u, total - out.size());
            out.insert(out.end(), count, kArtTransparent);
        } else {
            out.push_back(value);
        }
    }
    pixels = std::move(out);
    return Error::None;
}

Error EncodeRunArt(std::span<const std::uint16_t> pixels, int width, int entry, std::vector<std::uint8_t>& out) {
    out.resize(pixels.size() * 2 + 3);
    const std::optional<std::size_t> length = EncodeRunArtInto(pixels, width, entry, out);
    out.resize(length.value_or(0));
    return length.has_value() ? Error::None : Error::ConversionFailed;
}

std::optional<std::size_t> EncodeRunArtInto(std::span<const std::uint16_t> pixels, int width, int entry,
                                            std::span<std::uint8_t> out) {
    // A coding longer than the picture's slot is refused, so it never needs
    // more room than that (plus one run head, the step that overshoots).
    const std::size_t limit = pixels.size() * 2;
    if (out.size() < limit + 3) {
        return std::nullopt;
    }
    std::uint8_t* next = out.data();
    const std::uint8_t* const end = out.data() + limit;
    auto store = [&next](const std::uint16_t* from, const std::uint16_t* to) {
        // One copy where memory holds the values in the stored order already.
        if constexpr (std::endian::native == std::endian::little) {
            const auto bytes = static_cast<std::size_t>(to - from) * 2;
            std::memcpy(next, from, bytes);
            next += bytes;
        } else {
            for (; from != to; ++from) {
                *next++ = static_cast<std::uint8_t>(*from);
                *next++ = static_cast<std::uint8_t>(*from >> 8);
            }
        }
    };
    if (!HasTransparentRuns(entry)) {
        store(pixels.data(), pixels.data() + pixels.size());
        return limit;
    }
    // Row by row, since a run never crosses a row's end: plain stretches are
    // copied, transparent ones become runs of at most 65 pixels.
    const std::size_t rowLength = width > 0 ? static_cast<std::size_t>(width) : pixels.size();
    for (std::size_t start = 0; start < pixels.size(); start += rowLength) {
        const std::uint16_t* at = pixels.data() + start;
        const std::uint16_t* const rowEnd = pixels.data() + std::min(pixels.size(), start + rowLength);
        while (at != rowEnd) {
            const std::uint16_t* const transparent = std::find(at, rowEnd, kArtTransparent);
            if (next > end || static_cast<std::size_t>(end - next) < 2 * static_cast<std::size_t>(transparent - at)) {
                return std::nullopt;
            }
            store(at, transparent);
            at = transparent;
            while (at != rowEnd && *at == kArtTransparent) {
                const std::uint16_t* runEnd = at;
                while (runEnd != rowEnd && *runEnd == kArtTransparent && runEnd - at < kMaxRunPixels) {
                    ++runEnd;
                }
                if (next > end) {
                    return std::nullopt;
                }
                *next++ = 0x1F;
                *next++ = 0x7C;
                *next++ = static_cast<std::uint8_t>(runEnd - at - 1); // a run's count is its length less one
                at = runEnd;
            }
        }
    }
    const auto length = static_cast<std::size_t>(next - out.data());
    if (length > limit) {
        return std::nullopt;
    }
    return length;
}

Error ExpandArtArchive(std::span<const std::uint8_t> archive, std::vector<std::uint8_t>& expanded, bool& changed,
                       Progress* progress) {
    std::vector<ArtEntry> entries;
    if (Error error = ReadArtDirectory(archive, entries); !Ok(error)) {
        return error;
    }
    changed = false;
    for (int i = 0; i < kArtEntryCount; ++i) {
        const ArtEntry& e = entries[static_cast<std::size_t>(i)];
        if (!BlockFits(archive, e)) {
            return Error::PixelsOutsideFile;
        }
        changed |= e.packed() && TeamOfArtEntry(i) != 0;
    }
    if (!changed) {
        return Error::None;
    }
    if (progress != nullptr) {
        progress->begin(kArtEntryCount);
        progress->setHeading(std::string(Text(TextId::HeadingExpandingArt)));
        progress->setFile("GP3ART5.BIN");
    }
    // Blocks are laid out again in directory order; each offset is where its block now lies.
    std::vector<std::uint8_t> out(archive.begin(), archive.begin() + static_cast<std::ptrdiff_t>(kArtDataStart));
    std::vector<std::uint16_t> pixels;
    std::vector<std::uint8_t> coded;
    for (int i = 0; i < kArtEntryCount; ++i) {
        SetProgressCounter(progress, i + 1, kArtEntryCount);
        ArtEntry e = entries[static_cast<std::size_t>(i)];
        const std::span<const std::uint8_t> block = BlockOf(archive, e);
        const std::size_t position = out.size();
        if (e.packed() && TeamOfArtEntry(i) != 0) {
            if (Error error = DecodePackedArt(block, e.width, e.height, i, pixels); !Ok(error)) {
                return error;
            }
            if (!Ok(EncodeRunArt(pixels, e.width, i, coded))) {
                return Error::StreamOverrun;
            }
            e.size = e.width * e.height * 2;
            coded.resize(static_cast<std::size_t>(e.size), 0); // the rest of the slot is filler
            out.insert(out.end(), coded.begin(), coded.end());
        } else {
            out.insert(out.end(), block.begin(), block.end());
        }
        e.offset = static_cast<std::int32_t>(position);
        std::uint8_t* d = out.data() + kArtHeaderSize + kArtEntrySize * static_cast<std::size_t>(i);
        WriteU32(d + 16, static_cast<std::uint32_t>(e.size));
        WriteU32(d + 20, static_cast<std::uint32_t>(e.offset));
    }
    expanded = std::move(out);
    return Error::None;
}

Error CheckAndExpandArtArchive(const std::filesystem::path& path, Progress* progress) {
    std::vector<std::uint8_t> archive;
    if (Error error = ReadWholeFile(path, kMaxArchiveSize, archive); !Ok(error)) {
        return error;
    }
    std::vector<std::uint8_t> expanded;
    bool changed = false;
    const Error error = ExpandArtArchive(archive, expanded, changed, progress);
    if (progress != nullptr && changed) {
        progress->end();
    }
    if (!Ok(error) || !changed) {
        return error;
    }
    // The previous archive first: at every moment a whole archive has each name.
    std::filesystem::path backup = path;
    backup += ".old";
    if (Error saved = WriteFileAtomically(backup, archive); !Ok(saved)) {
        return saved;
    }
    return WriteFileAtomically(path, expanded);
}

PackedBitmap ArtSheetBackground() {
    PackedBitmap sheet(kArtSheetWidth, kArtSheetHeight, Depth::Bits24);
    for (int y = 570; y <= 647; ++y) {
        std::uint8_t* row = sheet.topRow(y);
        for (int x = 1; x <= 479; ++x) {
            row[3 * x] = 0xF8;
            row[3 * x + 2] = 0xF8;
        }
    }
    for (int x : {1, 80, 160, 238, 320, 402}) {
        sheet.topRow(569)[3 * x + 1] = 0xFF;
    }
    return sheet;
}

namespace {

bool Placeable(const ArtEntry& e, SheetPosition p) {
    return p.x >= 0 && p.x < kArtSheetWidth && p.y >= 0 && p.y < kArtSheetHeight && e.width > 0 && e.height > 0 &&
           p.x + e.width <= kArtSheetWidth && p.y + e.height <= kArtSheetHeight;
}

} // namespace

Error ImportTeamArt(std::span<const std::uint8_t> archive, int team, PackedBitmap& sheet) {
    std::vector<ArtEntry> entries;
    if (Error error = ReadArtDirectory(archive, entries); !Ok(error)) {
        return error;
    }
    if (team < 0 || team > 10) {
        return Error::InvalidName;
    }
    PackedBitmap result = ArtSheetBackground();
    const auto teamEntries = TeamArtEntries(team);
    std::vector<std::uint16_t> pixels;
    for (int k = 0; k < kArtPicturesPerTeam; ++k) {
        const int i = teamEntries[static_cast<std::size_t>(k)];
        const ArtEntry& e = entries[static_cast<std::size_t>(i)];
        const SheetPosition p = ArtSheetPosition(k);
        if (!BlockFits(archive, e) || !Placeable(e, p)) {
            return Error::RectangleOutsideSheet;
        }
        if (Error error = DecodeRunArt(BlockOf(archive, e), e.width, e.height, i, pixels); !Ok(error)) {
            return error;
        }
        for (int y = 0; y < e.height; ++y) {
            std::uint8_t* row = result.topRow(p.y + y) + 3 * p.x;
            for (int x = 0; x < e.width; ++x, row += 3) {
                const std::uint16_t v = pixels[static_cast<std::size_t>(y * e.width + x)];
                row[0] = static_cast<std::uint8_t>((v & 0x1F) << 3);
                row[1] = static_cast<std::uint8_t>(((v >> 5) & 0x1F) << 3);
                row[2] = static_cast<std::uint8_t>(((v >> 10) & 0x1F) << 3);
            }
        }
    }
    sheet = std::move(result);
    return Error::None;
}

Error ImportTeamArt(const std::filesystem::path& path, int team, PackedBitmap& sheet) {
    std::vector<std::uint8_t> archive;
    if (Error error = ReadWholeFile(path, kMaxArchiveSize, archive); !Ok(error)) {
        return error;
    }
    return ImportTeamArt(archive, team, sheet);
}

Error ExportTeamArt(std::vector<std::uint8_t>& archive, int team, const PackedBitmap& sheet, Progress* progress) {
    std::vector<ArtEntry> entries;
    if (Error error = ReadArtDirectory(archive, entries); !Ok(error)) {
        return error;
    }
    if (team < 0 || team > 10 || !sheet.is(kArtSheetWidth, kArtSheetHeight, Depth::Bits24)) {
        return Error::WrongBitmapSize;
    }
    const auto teamEntries = TeamArtEntries(team);
    // Every picture is coded before any is copied in, so a failure changes
    // nothing; all of them into one block, each at the start of room the size
    // of its slot (and three bytes more for the coder).
    std::size_t room = 0;
    for (int k = 0; k < kArtPicturesPerTeam; ++k) {
        const ArtEntry& e = entries[static_cast<std::size_t>(teamEntries[static_cast<std::size_t>(k)])];
        if (!BlockFits(archive, e) || !Placeable(e, ArtSheetPosition(k)) || e.packed()) {
            return Error::RectangleOutsideSheet; // into their own slots only: an archive not yet expanded is refused
        }
        room += static_cast<std::size_t>(e.size) + 3;
    }
    std::vector<std::uint8_t> coded(room);
    std::vector<std::uint16_t> pixels;
    std::size_t at = 0;
    for (int k = 0; k < kArtPicturesPerTeam; ++k) {
        SetProgressCounter(progress, k + 1, kArtPicturesPerTeam);
        const int i = teamEntries[static_cast<std::size_t>(k)];
        const ArtEntry& e = entries[static_cast<std::size_t>(i)];
        const SheetPosition p = ArtSheetPosition(k);
        pixels.resize(static_cast<std::size_t>(e.width) * static_cast<std::size_t>(e.height));
        std::uint16_t* pixel = pixels.data();
        for (int y = 0; y < e.height; ++y) {
            const std::uint8_t* row = sheet.topRow(p.y + y) + 3 * p.x;
            for (int x = 0; x < e.width; ++x, row += 3) {
                *pixel++ = static_cast<std::uint16_t>((row[0] >> 3) | ((row[1] >> 3) << 5) | ((row[2] >> 3) << 10));
            }
        }
        const auto slot = std::span(coded).subspan(at, static_cast<std::size_t>(e.size) + 3);
        const auto length = EncodeRunArtInto(pixels, e.width, i, slot);
        if (!length || *length > static_cast<std::size_t>(e.size)) {
            return Error::StreamOverrun;
        }
        std::fill(slot.begin() + static_cast<std::ptrdiff_t>(*length), slot.end(), 0); // the rest of the slot
        at += slot.size();
    }
    at = 0;
    for (int k = 0; k < kArtPicturesPerTeam; ++k) {
        const ArtEntry& e = entries[static_cast<std::size_t>(teamEntries[static_cast<std::size_t>(k)])];
        std::memcpy(archive.data() + e.offset, coded.data() + at, static_cast<std::size_t>(e.size));
        at += static_cast<std::size_t>(e.size) + 3;
    }
    return Error::None;
}

Error ExportTeamArts(const std::filesystem::path& path, std::span<const TeamArtSheet> sheets) {
    std::vector<std::uint8_t> archive;
    if (Error error = ReadWholeFile(path, kMaxArchiveSize, archive); !Ok(error)) {
        return error;
    }
    for (std::size_t i = 0; i < sheets.size(); ++i) {
        const Error error = sheets[i].sheet == nullptr ? Error::WrongBitmapSize
                                                       : ExportTeamArt(archive, sheets[i].team, *sheets[i].sheet);
        if (!Ok(error)) {
            // The teams before the failing one are written, as one by one they would have been.
            if (i > 0) {
                if (Error written = WriteFileAtomically(path, archive); !Ok(written)) {
                    return written;
                }
            }
            return error;
        }
    }
    return sheets.empty() ? Error::None : WriteFileAtomically(path, archive);
}

} // namespace tavolex
