#include "formats/RunLength16.h"

#include <algorithm>
#include <bit>
#include <cstring>

#include "core/ByteOrder.h"
#include "formats/Rgb565.h"
#include "formats/Swar.h"

namespace tavolex {
namespace {

constexpr std::size_t kMaxPacket = 127;

// The stream stores values little-endian; on such hosts that is a plain copy.
void CopyValuesOut(const std::uint16_t* values, std::size_t count, std::uint8_t* out) {
    if constexpr (std::endian::native == std::endian::little) {
        std::memcpy(out, values, 2 * count);
    } else {
        for (std::size_t i = 0; i < count; ++i) {
            WriteU16(out + 2 * i, values[i]);
        }
    }
}

void CopyValuesIn(const std::uint8_t* in, std::size_t count, std::uint16_t* values) {
    if constexpr (std::endian::native == std::endian::little) {
        std::memcpy(values, in, 2 * count);
    } else {
        for (std::size_t i = 0; i < count; ++i) {
            values[i] = ReadU16(in + 2 * i);
        }
    }
}

template <bool Write> std::size_t Encode(const std::uint16_t* v, std::size_t count, std::uint8_t* out) {
    std::size_t p = 0;
    std::size_t size = 0;
    while (p < count) {
        const std::uint16_t value = v[p];
        const std::size_t limit = std::min(kMaxPacket, count - p);
        std::size_t run = 1;
        while (run < limit && v[p + run] == value) {
            ++run;
        }
        if (run >= 2 || p + run == count) {
            if constexpr (Write) {
                out[size] = static_cast<std::uint8_t>(run);
                WriteU16(out + size + 1, value);
            }
            size += 3;
            p += run;
            continue;
        }
        // A literal: as many values as keep differing from their predecessor,
        // leaving out a value that begins a repeat and the very last value.
        const std::size_t last = count - 1;
        std::size_t k = 1;
        // Four neighbour pairs at a time while none of them is equal.
        while (k + 4 <= kMaxPacket && p + k + 4 <= last &&
               !swar::HasZeroLane16(swar::Load64(v + p + k) ^ swar::Load64(v + p + k + 1))) {
            k += 4;
        }
        while (k < kMaxPacket && p + k + 1 <= last && v[p + k + 1] != v[p + k]) {
            ++k;
        }
        if constexpr (Write) {
            out[size] = static_cast<std::uint8_t>(128 + k);
            CopyValuesOut(v + p, k, out + size + 1);
        }
        size += 1 + 2 * k;
        p += k;
    }
    return size;
}

} // namespace

std::size_t EncodeRun16(std::span<const std::uint16_t> values, std::vector<std::uint8_t>* out) {
    if (out == nullptr) {
        return Encode<false>(values.data(), values.size(), nullptr);
    }
    const std::size_t start = out->size();
    // The worst case is a run packet of 3 bytes for every value.
    out->resize(start + 3 * values.size());
    const std::size_t size = Encode<true>(values.data(), values.size(), out->data() + start);
    out->resize(start + size);
    return size;
}

namespace {

// The packet walk both decoders share; `Sink` writes runs and literals.
template <typename Sink>
Error Decode(std::span<const std::uint8_t> in, std::size_t pixelCount, int implicitCode, Sink& sink,
             std::size_t* consumed) {
    std::size_t at = 0;
    std::size_t produced = 0;
    bool first = true;
    while (produced < pixelCount) {
        unsigned code;
        if (first && implicitCode > kNoImplicitCode) {
            code = static_cast<unsigned>(implicitCode);
        } else {
            if (at >= in.size()) {
                return Error::StreamTruncated;
            }
            code = in[at++];
        }
        first = false;
        if (code <= 128) {
            if (!FitsIn(in.size(), at, 2)) {
                return Error::StreamTruncated;
            }
            if (code > pixelCount - produced) {
                return Error::StreamOverrun;
            }
            sink.run(produced, code, ReadU16(in.data() + at));
            at += 2;
            produced += code;
        } else {
            const std::size_t count = code - 128;
            if (count > pixelCount - produced) {
                return Error::StreamOverrun;
            }
            if (!FitsIn(in.size(), at, 2 * count)) {
                return Error::StreamTruncated;
            }
            sink.literal(produced, in.data() + at, count);
            at += 2 * count;
            produced += count;
        }
    }
    if (consumed != nullptr) {
        *consumed = at;
    }
    return Error::None;
}

struct WordSink {
    std::uint16_t* out;
    void run(std::size_t at, std::size_t count, std::uint16_t value) { std::fill_n(out + at, count, value); }
    void literal(std::size_t at, const std::uint8_t* values, std::size_t count) {
        CopyValuesIn(values, count, out + at);
    }
};

struct BgrSink {
    std::uint8_t* out;
    void run(std::size_t at, std::size_t count, std::uint16_t value) {
        std::uint8_t* p = out + 3 * at;
        const std::uint8_t b = Blue565(value), g = Green565(value), r = Red565(value);
        for (std::size_t i = 0; i < count; ++i, p += 3) {
            p[0] = b;
            p[1] = g;
            p[2] = r;
        }
    }
    void literal(std::size_t at, const std::uint8_t* values, std::size_t count) {
        ExpandStream565ToBgr(values, count, out + 3 * at);
    }
};

} // namespace

Error DecodeRun16(std::span<const std::uint8_t> in, std::size_t pixelCount, int implicitCode, std::uint16_t* out,
                  std::size_t* consumed) {
    WordSink sink{out};
    return Decode(in, pixelCount, implicitCode, sink, consumed);
}

Error DecodeRun16ToBgr(std::span<const std::uint8_t> in, std::size_t pixelCount, int implicitCode, std::uint8_t* bgr,
                       std::size_t* consumed) {
    BgrSink sink{bgr};
    return Decode(in, pixelCount, implicitCode, sink, consumed);
}

} // namespace tavolex
