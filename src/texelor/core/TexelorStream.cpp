#include "TexelorStream.h"

#include "core/ByteOrder.h"
#include "formats/Rgb565.h"

namespace texelor {
namespace {

constexpr std::size_t kHeaderSize = 8;
constexpr std::uint8_t kRecordEnd = 0x20;
constexpr std::size_t kMaxPacket = 127;

// Where the search for a record's closing byte starts, after its marker.
std::size_t CloseSearchOffset(int kind) {
    switch (kind) {
    case 2: return 15;
    case 3: return 13;
    case 4: return 11;
    case 0: return 9;
    default: return 0;
    }
}

std::uint32_t ToRgb(std::uint16_t v) {
    return static_cast<std::uint32_t>(tavolex::Red565(v)) << 16 |
           static_cast<std::uint32_t>(tavolex::Green565(v)) << 8 | tavolex::Blue565(v);
}

} // namespace

bool LocateStream(std::span<const std::uint8_t> file, int imageCount, StreamLayout& layout) {
    if (imageCount <= 0) {
        return false;
    }
    std::size_t search = kHeaderSize;
    for (int i = 0; i < imageCount; ++i) {
        std::size_t m = search;
        while (m + 1 < file.size() && !(file[m] == 0xFF && file[m + 1] == 0xFF)) {
            ++m;
        }
        if (m + 9 >= file.size()) {
            return false;
        }
        const int kind = file[m + 6];
        std::size_t at = m + CloseSearchOffset(kind);
        while (at < file.size() && file[at] != kRecordEnd) {
            ++at;
        }
        // A record that ends at or beyond the end of the file leaves no stream.
        if (at + 1 >= file.size()) {
            return false;
        }
        search = at + 1;
        layout = StreamLayout{search, m + 9, kind};
    }
    return true;
}

bool DecodeStream(std::span<const std::uint8_t> file, const StreamLayout& layout, std::size_t pixelCount,
                  std::vector<std::uint32_t>& pixels) {
    std::vector<std::uint32_t> out;
    out.reserve(pixelCount);
    const int implicit = layout.lastKind + file[layout.implicitByte] - 133;
    std::size_t at = layout.start;
    bool first = true;
    while (out.size() < pixelCount) {
        int code;
        if (first && implicit != 0) {
            code = implicit + 128;
        } else {
            if (at >= file.size()) {
                return false;
            }
            code = file[at++];
        }
        first = false;
        if (code < 0) {
            return false; // no writer makes such an implicit code
        }
        if (code < 128) {
            if (static_cast<std::size_t>(code) > pixelCount - out.size() || !tavolex::FitsIn(file.size(), at, 2)) {
                return false;
            }
            out.insert(out.end(), static_cast<std::size_t>(code), ToRgb(tavolex::ReadU16(file.data() + at)));
            at += 2;
        } else {
            const auto count = static_cast<std::size_t>(code - 128);
            if (count > pixelCount - out.size() || !tavolex::FitsIn(file.size(), at, 2 * count)) {
                return false;
            }
            for (std::size_t i = 0; i < count; ++i, at += 2) {
                out.push_back(ToRgb(tavolex::ReadU16(file.data() + at)));
            }
        }
    }
    if (at != file.size()) {
        return false;
    }
    pixels = std::move(out);
    return true;
}

std::vector<std::uint8_t> EncodeStream(std::span<const std::uint16_t> words) {
    std::vector<std::uint8_t> stream;
    stream.reserve(150000);
    const std::size_t count = words.size();
    std::size_t a = 0;
    auto put = [&](std::uint16_t word) {
        stream.push_back(static_cast<std::uint8_t>(word));
        stream.push_back(static_cast<std::uint8_t>(word >> 8));
    };
    while (a < count) {
        if (a + 1 < count && words[a] == words[a + 1]) {
            std::size_t run = 2;
            while (run < kMaxPacket && a + run < count && words[a + run] == words[a]) {
                ++run;
            }
            stream.push_back(static_cast<std::uint8_t>(run));
            put(words[a]);
            a += run;
            continue;
        }
        std::size_t length = 1;
        while (length < kMaxPacket && a + length < count &&
               !(a + length + 1 < count && words[a + length] == words[a + length + 1])) {
            ++length;
        }
        stream.push_back(static_cast<std::uint8_t>(128 + length));
        for (std::size_t i = 0; i < length; ++i) {
            put(words[a + i]);
        }
        a += length;
    }
    return stream;
}

} // namespace texelor
