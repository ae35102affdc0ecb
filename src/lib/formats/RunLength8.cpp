#include "formats/RunLength8.h"

#include <algorithm>
#include <bit>
#include <cstring>

#include "formats/Swar.h"

namespace tavolex {
namespace {

constexpr std::size_t kMaxRun = 63;
constexpr std::uint8_t kRunBase = 192;
constexpr std::uint64_t kEveryByte = 0x0101010101010101ull;

// The number of bytes equal to b[p] from p on, at most `limit`. Eight bytes
// are compared at once; photographic pictures have mostly short runs, so the
// answer usually comes from the first word without a loop.
std::size_t RunLength(const std::uint8_t* b, std::size_t p, std::size_t limit) {
    std::size_t run = 0;
    if constexpr (std::endian::native == std::endian::little) {
        const std::uint64_t pattern = b[p] * kEveryByte;
        while (run + 8 <= limit) {
            const std::uint64_t differ = swar::Load64(b + p + run) ^ pattern;
            if (differ != 0) {
                return run + static_cast<std::size_t>(std::countr_zero(differ) >> 3);
            }
            run += 8;
        }
    }
    while (run < limit && b[p + run] == b[p]) {
        ++run;
    }
    return run;
}

template <bool Write> std::size_t Encode(const std::uint8_t* b, std::size_t count, std::uint8_t* out) {
    std::size_t p = 0;
    std::size_t size = 0;
    while (p < count) {
        const std::uint8_t value = b[p];
        const std::size_t run = RunLength(b, p, std::min(kMaxRun, count - p));
        // A pair for a run or a value that would read as a code, else the byte itself.
        const bool pair = run > 1 || value > kRunBase;
        if constexpr (Write) {
            // `out` has room for two bytes per input byte, so the second write is always safe.
            out[size] = pair ? static_cast<std::uint8_t>(kRunBase + run) : value;
            out[size + 1] = value;
        }
        size += 1 + static_cast<std::size_t>(pair);
        p += run;
    }
    return size;
}

} // namespace

std::size_t EncodeRun8(std::span<const std::uint8_t> bytes, std::vector<std::uint8_t>* out) {
    if (out == nullptr) {
        return Encode<false>(bytes.data(), bytes.size(), nullptr);
    }
    const std::size_t start = out->size();
    out->resize(start + 2 * bytes.size());
    const std::size_t size = Encode<true>(bytes.data(), bytes.size(), out->data() + start);
    out->resize(start + size);
    return size;
}

Error DecodeRun8(std::span<const std::uint8_t> in, std::uint8_t* out, std::size_t capacity, std::size_t* produced) {
    std::size_t at = 0;
    std::size_t made = 0;
    while (at < in.size()) {
        const std::uint8_t code = in[at];
        if (code > kRunBase) {
            if (at + 1 >= in.size()) {
                return Error::StreamTruncated;
            }
            const std::size_t count = code - kRunBase;
            if (count > capacity - made) {
                return Error::StreamOverrun;
            }
            std::memset(out + made, in[at + 1], count);
            made += count;
            at += 2;
        } else {
            if (made == capacity) {
                return Error::StreamOverrun;
            }
            out[made++] = code;
            at += 1;
        }
    }
    if (produced != nullptr) {
        *produced = made;
    }
    return Error::None;
}

} // namespace tavolex
