#include "formats/BitmapRunLength.h"

#include <cstring>

namespace tavolex {

namespace {
constexpr std::uint8_t kEndOfRow = 0;
constexpr std::uint8_t kEndOfPicture = 1;
constexpr std::uint8_t kSkip = 2;

// Where the next pixel goes.
class Cursor {
public:
    Cursor(PackedBitmap& image, bool topDown) : image_(image), topDown_(topDown) {}

    bool inside() const { return y_ < image_.height(); }
    // Every row is there: past the last, or the last one filled.
    bool finished() const {
        return y_ >= image_.height() || (y_ == image_.height() - 1 && x_ == image_.width());
    }
    // True when `count` more pixels fit in the current row.
    bool fits(int count) const { return inside() && count <= image_.width() - x_; }
    std::uint8_t* at() {
        const int r = topDown_ ? image_.height() - 1 - y_ : y_;
        return image_.row(r) + x_;
    }
    void advance(int count) { x_ += count; }
    // A row may end once past the last one (the usual end-of-row before
    // end-of-picture), never twice.
    bool endRow() {
        if (!inside()) {
            return false;
        }
        ++y_;
        x_ = 0;
        return true;
    }
    // A skip lands inside the picture, or just past the end of a row.
    bool skip(int right, int up) {
        if (!inside() || right > image_.width() - x_ || up >= image_.height() - y_) {
            return false;
        }
        x_ += right;
        y_ += up;
        return true;
    }

private:
    PackedBitmap& image_;
    bool topDown_;
    int x_ = 0;
    int y_ = 0;
};

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

} // namespace

std::size_t MaxRunLengthBytes(int width, int height) {
    const std::size_t honest = (2 * static_cast<std::size_t>(width) + 2) * static_cast<std::size_t>(height) + 2;
    return 2 * honest;
}

Error DecodeBitmapRunLength(Bytes stream, int bitsPerIndex, bool topDown, PackedBitmap& indices) {
    const bool nibbles = bitsPerIndex == 4;
    Cursor cursor(indices, topDown);
    std::size_t at = 0;
    while (FitsIn(stream.size(), at, 2)) {
        const int count = stream[at];
        const std::uint8_t code = stream[at + 1];
        at += 2;
        if (count != 0) {
            if (!cursor.fits(count)) {
                return Error::RunOutsidePicture;
            }
            WriteRun(cursor.at(), count, code, nibbles);
            cursor.advance(count);
        } else if (code == kEndOfPicture) {
            return Error::None;
        } else if (code == kEndOfRow) {
            if (!cursor.endRow()) {
                return Error::RunOutsidePicture;
            }
        } else if (code == kSkip) {
            if (!FitsIn(stream.size(), at, 2)) {
                break;
            }
            if (!cursor.skip(stream[at], stream[at + 1])) {
                return Error::RunOutsidePicture;
            }
            at += 2;
        } else {
            const std::size_t bytes = nibbles ? (code + 1u) / 2u : code;
            if (!cursor.fits(code)) {
                return Error::RunOutsidePicture;
            }
            if (!FitsIn(stream.size(), at, bytes)) {
                break;
            }
            CopyStored(cursor.at(), stream.data() + at, code, nibbles);
            cursor.advance(code);
            // Stored pixels are padded to an even number of bytes.
            at += bytes + (bytes & 1u);
        }
    }
    // A stream without the end-of-picture code is whole when its rows are.
    return cursor.finished() ? Error::None : Error::CompressedPixelsEndEarly;
}

} // namespace tavolex
