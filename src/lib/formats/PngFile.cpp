#include "formats/PngFile.h"

#include <png.h>

#include <array>
#include <cstring>

#include "files/AtomicWrite.h"
#include "formats/BitmapFile.h"

// libpng reports errors by longjmp. Each function that calls into libpng
// after a setjmp keeps only trivially destructible locals, so that a jump
// never skips a destructor; the C++ objects live in their callers.

namespace tavolex {

namespace {
constexpr std::size_t kSignatureSize = 8;

[[noreturn]] void OnError(png_structp png, png_const_charp) { png_longjmp(png, 1); }
void OnWarning(png_structp, png_const_charp) {}

struct MemoryInput {
    const std::uint8_t* data;
    std::size_t size;
    std::size_t at;
};

void ReadFromMemory(png_structp png, png_bytep out, png_size_t length) {
    auto* input = static_cast<MemoryInput*>(png_get_io_ptr(png));
    if (length > input->size - input->at) {
        png_error(png, "the file ends early");
    }
    std::memcpy(out, input->data + input->at, length);
    input->at += length;
}

struct Header {
    png_uint_32 width = 0;
    png_uint_32 height = 0;
    int bitDepth = 0;
    int colourType = 0;
    int paletteSize = 0;
    std::array<png_color, 256> palette{};
};

// libpng allocates a chunk's stated length before it reads the chunk, so a
// hostile length would cost up to 2 GB; every chunk must end inside the file.
bool ChunksLieInside(Bytes file) {
    std::size_t at = kSignatureSize;
    while (file.size() - at >= 12) {
        const std::size_t length = (std::size_t{file[at]} << 24) | (std::size_t{file[at + 1]} << 16) |
                                   (std::size_t{file[at + 2]} << 8) | std::size_t{file[at + 3]};
        if (length > file.size() - at - 12) {
            return false;
        }
        if (std::memcmp(file.data() + at + 4, "IEND", 4) == 0) {
            return true;
        }
        at += 12 + length;
    }
    return true;
}

bool ReadHeader(png_structp png, png_infop info, Header* header) {
    if (setjmp(png_jmpbuf(png))) {
        return false;
    }
    png_read_info(png, info);
    int interlace = 0;
    png_get_IHDR(png, info, &header->width, &header->height, &header->bitDepth, &header->colourType, &interlace,
                 nullptr, nullptr);
    png_colorp palette = nullptr;
    int count = 0;
    if (header->colourType == PNG_COLOR_TYPE_PALETTE && png_get_PLTE(png, info, &palette, &count) != 0 && count > 0 &&
        count <= 256) {
        header->paletteSize = count;
        std::memcpy(header->palette.data(), palette, sizeof(png_color) * static_cast<std::size_t>(count));
    }
    return true;
}

// Sets the conversions to one byte per index or blue, green, red per pixel
// and reads every row; false on any fault of the file.
bool ReadRows(png_structp png, png_infop info, const Header* header, png_bytepp rows, png_size_t rowBytes) {
    if (setjmp(png_jmpbuf(png))) {
        return false;
    }
    if (header->colourType == PNG_COLOR_TYPE_PALETTE) {
        png_set_packing(png);
    } else {
        png_set_scale_16(png);
        png_set_strip_alpha(png);
        if ((header->colourType & PNG_COLOR_MASK_COLOR) == 0) {
            png_set_expand_gray_1_2_4_to_8(png);
            png_set_gray_to_rgb(png);
        }
        png_set_bgr(png);
    }
    png_set_interlace_handling(png);
    png_read_update_info(png, info);
    if (png_get_rowbytes(png, info) != rowBytes) {
        png_error(png, "unexpected row size");
    }
    png_read_image(png, rows);
    png_read_end(png, nullptr);
    return true;
}

// The read state of libpng, released on every path.
struct ReadState {
    png_structp png = nullptr;
    png_infop info = nullptr;
    ~ReadState() { png_destroy_read_struct(&png, info != nullptr ? &info : nullptr, nullptr); }
};

struct MemoryOutput {
    std::vector<std::uint8_t>* bytes;
};

void WriteToMemory(png_structp png, png_bytep data, png_size_t length) {
    auto* output = static_cast<MemoryOutput*>(png_get_io_ptr(png));
    bool stored = true;
    try {
        output->bytes->insert(output->bytes->end(), data, data + length);
    } catch (...) {
        stored = false;
    }
    if (!stored) {
        png_error(png, "out of memory");
    }
}

void FlushNothing(png_structp) {}

bool WriteRows(png_structp png, png_infop info, int width, int height, bool indexed, const png_color* palette,
               png_bytepp rows, png_textp texts, int textCount, bool fast) {
    if (setjmp(png_jmpbuf(png))) {
        return false;
    }
    if (fast) {
        png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_NONE);
        png_set_compression_level(png, 1);
    }
    png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8,
                 indexed ? PNG_COLOR_TYPE_PALETTE : PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    if (indexed) {
        png_set_PLTE(png, info, palette, 256);
    }
    if (textCount > 0) {
        png_set_text(png, info, texts, textCount);
    }
    png_write_info(png, info);
    if (!indexed) {
        png_set_bgr(png);
    }
    png_write_image(png, rows);
    png_write_end(png, info);
    return true;
}

struct WriteState {
    png_structp png = nullptr;
    png_infop info = nullptr;
    ~WriteState() { png_destroy_write_struct(&png, info != nullptr ? &info : nullptr); }
};

} // namespace

bool IsPngData(Bytes file) { return file.size() >= kSignatureSize && png_sig_cmp(file.data(), 0, kSignatureSize) == 0; }

Error ReadPngPicture(Bytes file, PackedBitmap& image, int maxWidth, int maxHeight) {
    if (!IsPngData(file)) {
        return Error::NotAPicture;
    }
    if (!ChunksLieInside(file)) {
        return Error::BadPng;
    }
    ReadState state;
    state.png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, OnError, OnWarning);
    if (state.png == nullptr || (state.info = png_create_info_struct(state.png)) == nullptr) {
        return Error::OutOfMemory;
    }
    MemoryInput input{file.data(), file.size(), 0};
    png_set_read_fn(state.png, &input, ReadFromMemory);
    // The sizes are judged here, with a clear error, not by libpng's own limits.
    png_set_user_limits(state.png, 0x7FFFFFFF, 0x7FFFFFFF);
    Header header;
    if (!ReadHeader(state.png, state.info, &header)) {
        return Error::BadPng;
    }
    if (header.width == 0 || header.height == 0 || header.width > static_cast<png_uint_32>(maxWidth) ||
        header.height > static_cast<png_uint_32>(maxHeight) ||
        header.width > static_cast<png_uint_32>(PackedBitmap::kMaxSide) ||
        header.height > static_cast<png_uint_32>(PackedBitmap::kMaxSide)) {
        return Error::WrongBitmapSize;
    }
    const bool indexed = header.colourType == PNG_COLOR_TYPE_PALETTE;
    const int width = static_cast<int>(header.width);
    const int height = static_cast<int>(header.height);
    PackedBitmap result(width, height, indexed ? Depth::Bits8 : Depth::Bits24);
    if (indexed) {
        std::uint8_t* entry = result.palette();
        std::memset(entry, 0, PackedBitmap::kPaletteSize);
        for (int i = 0; i < header.paletteSize; ++i, entry += 4) {
            entry[0] = header.palette[static_cast<std::size_t>(i)].blue;
            entry[1] = header.palette[static_cast<std::size_t>(i)].green;
            entry[2] = header.palette[static_cast<std::size_t>(i)].red;
        }
    }
    std::vector<png_bytep> rows(static_cast<std::size_t>(height));
    for (int y = 0; y < height; ++y) {
        rows[static_cast<std::size_t>(y)] = result.topRow(y);
    }
    const png_size_t rowBytes = static_cast<png_size_t>(width) * (indexed ? 1 : 3);
    if (!ReadRows(state.png, state.info, &header, rows.data(), rowBytes)) {
        return Error::BadPng;
    }
    image = std::move(result);
    return Error::None;
}

Error ParsePngFile(Bytes file, PackedBitmap& destination, int width, int height, Depth target) {
    if (width <= 0 || height <= 0) {
        return Error::WrongBitmapSize;
    }
    PackedBitmap image;
    if (Error error = ReadPngPicture(file, image, width, height); !Ok(error)) {
        return error;
    }
    if (image.width() != width || image.height() != height) {
        return Error::WrongBitmapSize;
    }
    return ConvertLoadedPicture(std::move(image), destination, target);
}

Error EncodePngFile(const PackedBitmap& bitmap, std::vector<std::uint8_t>& file, std::span<const PngText> texts,
                    PngEffort effort) {
    if (bitmap.empty()) {
        return Error::WrongBitmapDepth;
    }
    // libpng takes the chunks as C structures pointing into the caller's strings.
    std::vector<png_text> chunks;
    for (const PngText& text : texts) {
        if (text.key.empty() || text.key.size() > 79) {
            return Error::InvalidName;
        }
        png_text chunk{};
        chunk.compression = PNG_TEXT_COMPRESSION_NONE;
        chunk.key = const_cast<png_charp>(text.key.c_str());
        chunk.text = const_cast<png_charp>(text.text.c_str());
        chunk.text_length = text.text.size();
        chunks.push_back(chunk);
    }
    const bool indexed = bitmap.depth() == Depth::Bits8;
    std::array<png_color, 256> palette{};
    if (indexed) {
        for (std::size_t i = 0; i < palette.size(); ++i) {
            palette[i] = {bitmap.palette()[4 * i + 2], bitmap.palette()[4 * i + 1], bitmap.palette()[4 * i]};
        }
    }
    // libpng copies each row before it converts it, so the rows stay as they are.
    std::vector<png_bytep> rows(static_cast<std::size_t>(bitmap.height()));
    for (int y = 0; y < bitmap.height(); ++y) {
        rows[static_cast<std::size_t>(y)] = const_cast<png_bytep>(bitmap.topRow(y));
    }
    WriteState state;
    state.png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, OnError, OnWarning);
    if (state.png == nullptr || (state.info = png_create_info_struct(state.png)) == nullptr) {
        return Error::OutOfMemory;
    }
    std::vector<std::uint8_t> bytes;
    MemoryOutput output{&bytes};
    png_set_write_fn(state.png, &output, WriteToMemory, FlushNothing);
    if (!WriteRows(state.png, state.info, bitmap.width(), bitmap.height(), indexed, palette.data(), rows.data(),
                   chunks.data(), static_cast<int>(chunks.size()), effort == PngEffort::Fast)) {
        return Error::OutOfMemory;
    }
    file = std::move(bytes);
    return Error::None;
}

Error SavePngFile(const std::filesystem::path& path, const PackedBitmap& bitmap, std::span<const PngText> texts,
                  PngEffort effort) {
    std::vector<std::uint8_t> file;
    if (Error error = EncodePngFile(bitmap, file, texts, effort); !Ok(error)) {
        return error;
    }
    return WriteFileAtomically(path, file);
}

} // namespace tavolex
