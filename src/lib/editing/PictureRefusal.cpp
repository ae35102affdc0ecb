#include "editing/PictureRefusal.h"

#include "document/GraphicDeclarations.h"
#include "files/FileHelpers.h"
#include "formats/ArtSheetBitmap.h"
#include "formats/PictureFile.h"

namespace tavolex {

std::string PictureProblem(Error error, int width, int height) {
    std::string text = ErrorText(error);
    if (error == Error::WrongBitmapSize) {
        text +=
            " (" + FormatText(TextId::PictureSizeWanted, std::to_string(width) + " x " + std::to_string(height)) + ")";
    }
    return text;
}

std::string PictureProblem(Error error, GraphicKind kind, Variant variant) {
    // The art sheet's file is wider than the sheet.
    const bool art = kind == GraphicKind::MenuArtwork;
    return PictureProblem(error, art ? kArtSheetFileWidth : SheetWidth(kind, variant), SheetHeight(kind, variant));
}

std::string PictureRefusal(const WantedPicture& wanted, const std::filesystem::path& path) {
    if (FileKindOf(path) == FileKind::Jam) {
        return {};
    }
    PackedBitmap picture;
    if (wanted.width == 0) {
        const Error error = LoadGraphicFile(wanted.kind, wanted.variant, path, picture);
        return Ok(error) ? std::string() : PictureProblem(error, wanted.kind, wanted.variant);
    }
    const Error error =
        LoadPictureFile(path, picture, wanted.width, wanted.height, SheetDepth(wanted.kind, wanted.variant));
    return Ok(error) ? std::string() : PictureProblem(error, wanted.width, wanted.height);
}

} // namespace tavolex
