#include "BmpBuilder.h"

#include <algorithm>
#include <cstring>

#include "core/ByteOrder.h"

namespace tavolex::test {

BmpHeaders MakeHeaders(std::uint32_t infoSize, int width, int height, int bits, bool topDown) {
    BmpHeaders headers;
    headers.infoSize = infoSize;
    headers.width = width;
    headers.height = height;
    headers.bits = bits;
    headers.topDown = topDown;
    return headers;
}

std::vector<std::uint8_t> BuildBmp(const BmpHeaders& headers, const std::vector<std::uint8_t>& pixelData) {
    const bool os2 = headers.infoSize == 12;
    const std::size_t trailingMasks = headers.infoSize == 40 ? headers.masks.size() * 4 : 0;
    const std::size_t tableOffset = 14 + headers.infoSize + trailingMasks;
    const std::size_t pixelOffset = tableOffset + headers.colourTable.size() + headers.gap;
    std::vector<std::uint8_t> file(pixelOffset, 0);
    file.insert(file.end(), pixelData.begin(), pixelData.end());
    file[0] = 'B';
    file[1] = 'M';
    WriteU32(&file[2], static_cast<std::uint32_t>(file.size()));
    WriteU32(&file[10], static_cast<std::uint32_t>(pixelOffset));
    std::uint8_t* info = &file[14];
    WriteU32(info, headers.infoSize);
    if (os2) {
        WriteU16(info + 4, static_cast<std::uint16_t>(headers.width));
        WriteU16(info + 6, static_cast<std::uint16_t>(headers.height));
        WriteU16(info + 8, 1);
        WriteU16(info + 10, static_cast<std::uint16_t>(headers.bits));
    } else {
        WriteU32(info + 4, static_cast<std::uint32_t>(headers.width));
        WriteU32(info + 8, static_cast<std::uint32_t>(headers.topDown ? -headers.height : headers.height));
        WriteU16(info + 12, 1);
        WriteU16(info + 14, static_cast<std::uint16_t>(headers.bits));
        WriteU32(info + 16, headers.compression);
        WriteU32(info + 20, headers.sizeImage.value_or(static_cast<std::uint32_t>(pixelData.size())));
        WriteU32(info + 32, headers.coloursUsed);
        std::uint8_t* masks = headers.infoSize == 40 ? &file[14 + 40] : info + 40;
        const std::size_t room = headers.infoSize == 40 ? headers.masks.size() : (headers.infoSize - 40) / 4;
        for (std::size_t i = 0; i < std::min(headers.masks.size(), room); ++i) {
            WriteU32(masks + 4 * i, headers.masks[i]);
        }
    }
    std::copy(headers.colourTable.begin(), headers.colourTable.end(),
              file.begin() + static_cast<std::ptrdiff_t>(tableOffset));
    return file;
}

std::vector<std::uint8_t> PackRows(const std::vector<std::uint32_t>& values, int width, int height, int bits,
                                   bool topDown) {
    const std::size_t stride = ((static_cast<std::size_t>(width) * static_cast<std::size_t>(bits) + 31) / 32) * 4;
    std::vector<std::uint8_t> rows(stride * static_cast<std::size_t>(height), 0);
    for (int y = 0; y < height; ++y) {
        const int stored = topDown ? y : height - 1 - y;
        std::uint8_t* out = &rows[stride * static_cast<std::size_t>(stored)];
        for (int x = 0; x < width; ++x) {
            const std::uint32_t v =
                values[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x)];
            if (bits <= 8) {
                const std::size_t bit = static_cast<std::size_t>(x) * static_cast<std::size_t>(bits);
                out[bit / 8] |= static_cast<std::uint8_t>(v << (8 - bits - bit % 8));
            } else if (bits == 16) {
                WriteU16(out + 2 * x, static_cast<std::uint16_t>(v));
            } else if (bits == 24) {
                out[3 * x + 0] = static_cast<std::uint8_t>(v);
                out[3 * x + 1] = static_cast<std::uint8_t>(v >> 8);
                out[3 * x + 2] = static_cast<std::uint8_t>(v >> 16);
            } else {
                WriteU32(out + 4 * x, v);
            }
        }
    }
    return rows;
}

std::vector<std::uint8_t> EncodeBmpRunLength(const std::vector<std::uint32_t>& indices, int width, int height,
                                             int bitsPerIndex, bool topDown) {
    std::vector<std::uint8_t> out;
    const bool nibbles = bitsPerIndex == 4;
    for (int stored = 0; stored < height; ++stored) {
        const int y = topDown ? stored : height - 1 - stored;
        const std::uint32_t* row = &indices[static_cast<std::size_t>(y) * static_cast<std::size_t>(width)];
        int x = 0;
        auto repeats = [&](int at) {
            int n = 1;
            while (at + n < width && n < 255 && row[at + n] == row[at]) {
                ++n;
            }
            return n;
        };
        while (x < width) {
            if (repeats(x) >= 3 || width - x < 3) {
                const int n = std::min(repeats(x), width - x);
                out.push_back(static_cast<std::uint8_t>(n));
                out.push_back(static_cast<std::uint8_t>(nibbles ? row[x] << 4 | row[x] : row[x]));
                x += n;
                continue;
            }
            // A stored stretch up to the next run of three.
            int n = 0;
            while (x + n < width && n < 255 && (n < 3 || repeats(x + n) < 3)) {
                ++n;
            }
            out.push_back(0);
            out.push_back(static_cast<std::uint8_t>(n));
            std::vector<std::uint8_t> stored;
            for (int i = 0; i < n; ++i) {
                if (!nibbles) {
                    stored.push_back(static_cast<std::uint8_t>(row[x + i]));
                } else if (i % 2 == 0) {
                    stored.push_back(static_cast<std::uint8_t>(row[x + i] << 4));
                } else {
                    stored.back() |= static_cast<std::uint8_t>(row[x + i]);
                }
            }
            if (stored.size() % 2 != 0) {
                stored.push_back(0);
            }
            out.insert(out.end(), stored.begin(), stored.end());
            x += n;
        }
        out.push_back(0);
        out.push_back(0);
    }
    out.push_back(0);
    out.push_back(1);
    return out;
}

std::vector<std::uint32_t> PixelValues(const PackedBitmap& image) {
    std::vector<std::uint32_t> values;
    values.reserve(static_cast<std::size_t>(image.width()) * static_cast<std::size_t>(image.height()));
    for (int y = 0; y < image.height(); ++y) {
        const std::uint8_t* row = image.topRow(y);
        for (int x = 0; x < image.width(); ++x) {
            values.push_back(image.depth() == Depth::Bits8
                                 ? row[x]
                                 : static_cast<std::uint32_t>(row[3 * x + 2]) << 16 |
                                       static_cast<std::uint32_t>(row[3 * x + 1]) << 8 | row[3 * x]);
        }
    }
    return values;
}

std::vector<std::uint8_t> ColourTableOf(const PackedBitmap& image, std::size_t count, std::size_t entrySize) {
    std::vector<std::uint8_t> table;
    for (std::size_t i = 0; i < count; ++i) {
        table.insert(table.end(), image.palette() + 4 * i, image.palette() + 4 * i + entrySize);
    }
    return table;
}

} // namespace tavolex::test
