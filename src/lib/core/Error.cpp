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
    case Error::UnsupportedBitDepth: return "the bitmap is neither 8-bit nor 24-bit";
    case Error::CompressedBitmap: return "the bitmap is compressed";
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
    case Error::UnsupportedExecutable: return "GP3.EXE is missing or not the supported version";
    }
    return "unknown error";
}

} // namespace tavolex
