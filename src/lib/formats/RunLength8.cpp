#include "formats/RunLength8.h"

#include <cstring>

namespace tavolex {
namespace {

constexpr std::size_t kMaxRun = 63;
constexpr std::uint8_t kRunBase = 192;

template <bool Write>
std::size_t Encode(const std::uint8_t* b, std::size_t count, std::uint8_t* out) {
    std::size_t p = 0;
    std::size_t size = 0;
    while (p < count) {
        const std::uint8_t value = b[p];
        const std::size_t limit = std::min(kMaxRun, count - p);
        std::size_t run = 1;
        while (run < limit && b[p + run] == value) {
            ++run;
        }
        if (run > 1 || value > kRunBase) {
            if constexpr (Write) {
                out[size] = static_cast<std::uint8_t>(kRunBase + run);
                out[size + 1] = value;
            }
            size += 2;
        } else {
            if constexpr (Write) {
                out[size] = value;
            }
            size += 1;
        }
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

Error DecodeRun8(std::span<const std::uint8_t> in, std::uint8_t* out, std::size_t capacity,
                 std::size_t* produced) {
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
