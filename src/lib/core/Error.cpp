#include "core/Error.h"

namespace tavolex {

const char* ErrorText(Error error) {
    switch (error) {
    case Error::None: return "no error";
    case Error::OpenFailed: return "the file could not be opened";
    case Error::ReadFailed: return "the file could not be read completely";
    case Error::WriteFailed: return "the file could not be written";
    case Error::AccessDenied: return "permission to write there was denied";
    case Error::FileTooLarge: return "the file is larger than such a file can be";
    case Error::NotABitmap: return "the file is not a BMP file";
    case Error::WrongBitmapSize: return "the bitmap does not have the required width and height";
    case Error::UnsupportedBitDepth: return "the bitmap's bit depth is not one that is read here";
    case Error::CompressedBitmap: return "the bitmap uses a compression that is not read";
    case Error::WrongHeight: return "the sheet height does not match";
    case Error::WrongImageCount: return "the image count does not match";
    case Error::NoImages: return "the file holds no sub-images";
    case Error::DirectoryOutsideFile: return "the sub-image directory runs past the end of the file";
    case Error::RectangleOutsideSheet: return "a sub-image lies outside the sheet";
    case Error::ColourTableOutsideFile: return "a colour table lies outside the file";
    case Error::ColourCountTooLarge: return "a colour count is above 256";
    case Error::PixelsOutsideFile: return "the pixel block runs past the end of the file";
    case Error::BadMagic: return "the file does not start with the hardware texture mark";
    case Error::RecordNotFound: return "a sub-image record could not be found";
    case Error::StreamTruncated: return "the pixel stream ends early";
    case Error::StreamOverrun: return "the pixel stream produces more pixels than the sheet holds";
    case Error::StreamTrailingData: return "data follows the end of the pixel stream";
    case Error::WrongBitmapDepth: return "the image has the wrong colour depth";
    case Error::NotAJam: return "the file is neither a software nor a hardware texture";
    case Error::InvalidName: return "the name is not valid";
    case Error::OutOfMemory: return "there is not enough memory";
    case Error::NothingToGenerateFrom: return "the other variant holds no picture of its own to generate from";
    case Error::SourceUnreadable: return "the picture to generate from could not be read";
    case Error::ConversionFailed: return "the picture has the wrong size or depth for this conversion";
    case Error::NotAGp2CarSet: return "not a GP2 car set: the file has no car set mark of a known format";
    case Error::ChecksumMismatch: return "checksum mismatch: the file is damaged or was changed by hand";
    case Error::UnknownGp2Layout: return "unknown format: the team data block is not where the file's format puts it";
    case Error::NotAPerformanceFile: return "not a performance text file: section [File] has no version";
    case Error::TeamDataIncomplete: return "a team section lacks a key, or a value has too few comma-separated fields";
    case Error::LevelNameMissing: return "the language file holds fewer than 261 texts";
    case Error::UnsupportedBitmapHeader:
        return "the bitmap's header size is not one that is read (12, 40, 52, 56, 108 or 124 bytes)";
    case Error::UnsupportedColourMasks:
        return "the bitmap's colour masks are empty, not contiguous, overlapping or wider than its pixels";
    case Error::PixelOffsetInsideHeader: return "the bitmap's pixel offset points into its headers";
    case Error::NotAPicture: return "the file is neither a BMP nor a PNG file";
    case Error::BadPng: return "the PNG file is damaged or cannot be read";
    case Error::UnsupportedExecutable: return "GP3.EXE is missing or not the supported version";
    case Error::JpegInsideBitmap: return "the bitmap holds a JPEG picture, which is not read";
    case Error::PngInsideBitmap: return "the bitmap holds a PNG picture, which is not read";
    case Error::CompressionDoesNotFitDepth: return "the bitmap's compression does not fit its bit depth";
    case Error::ColourTableTooLong: return "the bitmap's colour table has more entries than its bit depth can use";
    case Error::BitmapTooLarge: return "the bitmap is larger than 16384 pixels on a side";
    case Error::RunOutsidePicture: return "a run or skip of the compressed bitmap leaves the picture";
    case Error::CompressedPixelsEndEarly: return "the compressed pixels end before the picture is complete";
    case Error::ControlCharacter: return "a name holds a control character, which the game's files cannot take";
    case Error::UnexpectedMaskColour: return "a pixel is neither the texture's own colour nor a marker colour";
    case Error::NotACarSet: return "not a car set file";
    case Error::CarSetCorrupt: return "the car set file's checksums or sections do not match its contents";
    case Error::NewerCarSetVersion: return "the car set file was written by a newer version";
    case Error::NoPicture: return "there is no picture of that size to take from or write";
    case Error::NoSuchTeam: return "there is no such team";
    case Error::TableOutsideFile: return "a table lies outside the file";
    case Error::JamNotLoaded: return "the JAM file does not fit the picture";
    case Error::NothingToExport: return "nothing is selected to export";
    case Error::TextureNotPatched: return "a texture file of the game could not be patched";
    case Error::ArtArchiveNotPatched: return "the menu art archive could not be patched";
    }
    return "unknown error";
}

} // namespace tavolex
