#include "formats/BitmapRunLength.h"

#include <algorithm>
#include <cstring>

namespace tavolex {

namespace {
constexpr std::uint8_t kEndOfRow = 0;
constexpr std::uint8_t kEndOfPicture = 1;
constexpr std::uint8_t kSkip = 2;

void WriteRun(std::uint8_t* out, int count, std::uint8_t value, bool nibbles) {
    if (!nibbles) {
        std::memset(out, value, static_cast<std::size_t>(count));
        return;
    }
    const std::uint8_t pair[2] = {static_cast<std::uint8_t>(value >> 4), static_cast<std::uint8_t>(value & 0x0F)};
    for (int i = 0; i < count; ++i) {
        out[i] = pair[i & 1];
    }
}

void CopyStored(std::uint8_t* out, const std::uint8_t* in, int count, bool nibbles) {
    if (!nibbles) {
        std::memcpy(out, in, static_cast<std::size_t>(count));
        return;
    }
    for (int i = 0; i < count; ++i) {
        out[i] = (i & 1) != 0 ? in[i / 2] & 0x0F : in[i / 2] >> 4;
    }
}

// One decoder for both codings, made twice so that the per-run test of the
// coding disappears: a painted picture is tens of thousands of short runs.
template <bool kNibbles> Error Decode(Bytes stream, bool topDown, PackedBitmap& indices) {
    const int width = indices.width();
    const int height = indices.height();
    // Where the next pixel goes: column x of stored row y (the stream's order).
    int x = 0;
    int y = 0;
    auto rowStart = [&] { return indices.row(topDown ? height - 1 - y : y); };
    std::uint8_t* row = rowStart();
    const std::uint8_t* in = stream.data();
    const std::uint8_t* const end = in + stream.size();
    while (end - in >= 2) {
        const int count = in[0];
        const std::uint8_t code = in[1];
        in += 2;
        if (count != 0) {
            // A run ends inside the row it starts in.
            if (y >= height || count > width - x) {
                return Error::RunOutsidePicture;
            }
            WriteRun(row + x, count, code, kNibbles);
            x += count;
        } else if (code == kEndOfPicture) {
            return Error::None;
        } else if (code == kEndOfRow) {
            // A row may end once past the last one (the usual end-of-row
            // before end-of-picture), never twice.
            if (y >= height) {
                return Error::RunOutsidePicture;
            }
            ++y;
            x = 0;
            if (y < height) {
                row = rowStart();
            }
        } else if (code == kSkip) {
            if (end - in < 2) {
                break;
            }
            // A skip lands inside the picture, or just past the end of a row.
            const int right = in[0];
            const int up = in[1];
            in += 2;
            if (y >= height || right > width - x || up >= height - y) {
                return Error::RunOutsidePicture;
            }
            x += right;
            y += up;
            row = rowStart();
        } else {
            const std::size_t bytes = kNibbles ? (code + 1u) / 2u : code;
            if (y >= height || code > width - x) {
                return Error::RunOutsidePicture;
            }
            if (static_cast<std::size_t>(end - in) < bytes) {
                break;
            }
            CopyStored(row + x, in, code, kNibbles);
            x += code;
            // Stored pixels are padded to an even number of bytes.
            const std::size_t padded = bytes + (bytes & 1u);
            in += std::min(padded, static_cast<std::size_t>(end - in));
        }
    }
    // A stream without the end-of-picture code is whole when its rows are:
    // past the last, or the last one filled.
    const bool whole = y >= height || (y == height - 1 && x == width);
    return whole ? Error::None : Error::CompressedPixelsEndEarly;
}

} // namespace

std::size_t MaxRunLengthBytes(int width, int height) {
    const std::size_t honest = (2 * static_cast<std::size_t>(width) + 2) * static_cast<std::size_t>(height) + 2;
    return 2 * honest;
}

Error DecodeBitmapRunLength(Bytes stream, int bitsPerIndex, bool topDown, PackedBitmap& indices) {
    return bitsPerIndex == 4 ? Decode<true>(stream, topDown, indices) : Decode<false>(stream, topDown, indices);
}

} // namespace tavolex
