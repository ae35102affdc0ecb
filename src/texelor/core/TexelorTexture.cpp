#include "TexelorTexture.h"

#include "TexelorBitmap.h"
#include "core/ByteOrder.h"
#include "core/Texts.h"
#include "files/AtomicWrite.h"
#include "files/FileHelpers.h"
#include "formats/HardwareJam.h"
#include "formats/PictureFile.h"
#include "formats/Rgb565.h"

namespace texelor {
namespace {

using tavolex::Text;
using tavolex::TextId;

// Big enough for any sheet the 16-bit header can describe.
constexpr std::size_t kMaxJamSize = 256u * 1024u * 1024u;
constexpr int kImplicitBase = 133;

std::string Compose(TextId reason, TextId aborted) {
    return std::string(Text(reason)) + "\n\n" + std::string(Text(aborted));
}

} // namespace

LoadResult TexelorTexture::load(const std::filesystem::path& path) {
    loaded_ = false;
    std::vector<std::uint8_t> bytes;
    if (!tavolex::Ok(tavolex::ReadWholeFile(path, kMaxJamSize, bytes))) {
        return LoadResult::CannotOpen;
    }
    if (bytes.size() < 4 || tavolex::ReadU32(bytes.data()) != tavolex::kHardwareJamMagic) {
        return LoadResult::NotA16BitJam;
    }
    if (bytes.size() < tavolex::kHardwareJamHeaderSize) {
        return LoadResult::BadHeader;
    }
    const int count = static_cast<std::int16_t>(tavolex::ReadU16(bytes.data() + 4));
    const int height = static_cast<std::int16_t>(tavolex::ReadU16(bytes.data() + 6));
    StreamLayout layout;
    // The implicit-code byte must lie before the stream, or an import would overwrite it.
    if (height <= 0 || !LocateStream(bytes, count, layout) || layout.implicitByte >= layout.start) {
        return LoadResult::BadHeader;
    }
    std::vector<std::uint32_t> pixels;
    if (!DecodeStream(bytes, layout, static_cast<std::size_t>(kWidth) * height, pixels)) {
        return LoadResult::BadImageData;
    }
    fileBytes_ = std::move(bytes);
    layout_ = layout;
    height_ = height;
    pixels_ = std::move(pixels);
    loaded_ = true;
    return LoadResult::Ok;
}

bool TexelorTexture::exportBitmap(const std::filesystem::path& path) const {
    if (!loaded_) {
        return false;
    }
    tavolex::PackedBitmap image(kWidth, height_, tavolex::Depth::Bits24);
    for (int y = 0; y < height_; ++y) {
        std::uint8_t* row = image.topRow(y);
        const std::uint32_t* in = pixels_.data() + static_cast<std::size_t>(y) * kWidth;
        for (int x = 0; x < kWidth; ++x, row += 3) {
            row[0] = static_cast<std::uint8_t>(in[x]);
            row[1] = static_cast<std::uint8_t>(in[x] >> 8);
            row[2] = static_cast<std::uint8_t>(in[x] >> 16);
        }
    }
    return tavolex::Ok(tavolex::SavePictureFile(path, image));
}

ImportResult TexelorTexture::importBitmap(const std::filesystem::path& path) {
    if (!loaded_) {
        return ImportResult::NotLoaded;
    }
    Bitmap24 bitmap;
    if (ReadBitmap24File(path, bitmap) != BitmapReadResult::Ok) {
        return ImportResult::NotReadable24Bit;
    }
    if (bitmap.width != kWidth || bitmap.height != height_) {
        return ImportResult::WrongSize;
    }
    std::vector<std::uint16_t> words(bitmap.pixels.size());
    for (std::size_t i = 0; i < words.size(); ++i) {
        const std::uint32_t p = bitmap.pixels[i];
        words[i] = tavolex::ToRgb565(static_cast<std::uint8_t>(p >> 16), static_cast<std::uint8_t>(p >> 8),
                                     static_cast<std::uint8_t>(p));
    }
    const std::vector<std::uint8_t> stream = EncodeStream(words);
    fileBytes_.resize(layout_.start);
    fileBytes_.insert(fileBytes_.end(), stream.begin(), stream.end());
    // The first packet now carries its own code.
    fileBytes_[layout_.implicitByte] = static_cast<std::uint8_t>((kImplicitBase - layout_.lastKind) & 0xFF);
    pixels_ = std::move(bitmap.pixels);
    return ImportResult::Ok;
}

SaveResult TexelorTexture::save(const std::filesystem::path& path) const {
    if (!loaded_) {
        return SaveResult::NotLoaded;
    }
    const tavolex::Error error = tavolex::WriteFileAtomically(path, fileBytes_);
    if (error == tavolex::Error::AccessDenied) {
        return SaveResult::ReadOnly;
    }
    if (!tavolex::Ok(error)) {
        return SaveResult::WriteError;
    }
    // The file is written; the read-only mark only guards it against the game's own tools.
    (void)tavolex::SetReadOnly(path, true);
    return SaveResult::Ok;
}

std::string LoadMessage(LoadResult result) {
    switch (result) {
    case LoadResult::Ok: return {};
    case LoadResult::CannotOpen: return Compose(TextId::TexelorCannotOpenJam, TextId::TexelorLoadAborted);
    case LoadResult::NotA16BitJam: return Compose(TextId::TexelorNotA16BitJam, TextId::TexelorLoadAborted);
    case LoadResult::BadHeader: return Compose(TextId::TexelorCannotInterpretHeader, TextId::TexelorLoadAborted);
    case LoadResult::BadImageData: return Compose(TextId::TexelorCannotInterpretImage, TextId::TexelorLoadAborted);
    }
    return {};
}

std::string ImportMessage(ImportResult result) {
    switch (result) {
    case ImportResult::Ok: return {};
    case ImportResult::NotLoaded: return Compose(TextId::TexelorJamNotLoaded, TextId::TexelorImportAborted);
    case ImportResult::NotReadable24Bit: return Compose(TextId::TexelorBitmapNot24Bit, TextId::TexelorImportAborted);
    case ImportResult::WrongSize: return Compose(TextId::TexelorBitmapWrongSize, TextId::TexelorImportAborted);
    }
    return {};
}

std::string SaveMessage(SaveResult result) {
    switch (result) {
    case SaveResult::Ok: return {};
    case SaveResult::WriteError: return Compose(TextId::TexelorJamSaveError, TextId::TexelorSaveAborted);
    case SaveResult::ReadOnly: return Compose(TextId::TexelorJamReadOnly, TextId::TexelorSaveAborted);
    case SaveResult::NotLoaded: return Compose(TextId::TexelorJamNotLoaded, TextId::TexelorSaveAborted);
    }
    return {};
}

std::string ExportMessage() { return std::string(Text(TextId::TexelorBitmapSaveError)); }

} // namespace texelor
