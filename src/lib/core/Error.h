#pragma once

// Error codes of the library. Every operation that can fail returns one; the
// caller decides which of the system's messages to show and may add the
// detail text for logs and the command line.

namespace tavolex {

enum class [[nodiscard]] Error{
    None = 0,
    OpenFailed,
    ReadFailed,
    WriteFailed,
    AccessDenied,
    FileTooLarge,
    NotABitmap,
    WrongBitmapSize,
    UnsupportedBitDepth,
    CompressedBitmap,
    WrongHeight,
    WrongImageCount,
    NoImages,
    DirectoryOutsideFile,
    RectangleOutsideSheet,
    ColourTableOutsideFile,
    ColourCountTooLarge,
    PixelsOutsideFile,
    BadMagic,
    RecordNotFound,
    StreamTruncated,
    StreamOverrun,
    StreamTrailingData,
    WrongBitmapDepth,
    NotAJam,
    InvalidName,
    OutOfMemory,
    NothingToGenerateFrom,
    SourceUnreadable,
    ConversionFailed,
    // Team data files.
    NotAGp2CarSet,
    ChecksumMismatch,
    UnknownGp2Layout,
    NotAPerformanceFile,
    TeamDataIncomplete,
    // Language files.
    LevelNameMissing,
    UnsupportedBitmapHeader,
    UnsupportedColourMasks,
    PixelOffsetInsideHeader,
    NotAPicture,
    BadPng,
    UnsupportedExecutable,
    // Bitmap files of other writers.
    JpegInsideBitmap,
    PngInsideBitmap,
    CompressionDoesNotFitDepth,
    ColourTableTooLong,
    BitmapTooLarge,
    RunOutsidePicture,
    CompressedPixelsEndEarly,
    ControlCharacter,
    // Pit crew mask pictures.
    UnexpectedMaskColour,
    // Car set files.
    NotACarSet,
    CarSetCorrupt,
    NewerCarSetVersion,
    // Commands on the car set's pictures and the game's tables.
    NoPicture,
    NoSuchTeam,
    TableOutsideFile,
    JamNotLoaded,
    // Steps of the transfer to the game.
    NothingToExport,
    TextureNotPatched,
    ArtArchiveNotPatched,
};

// A short lower-case description of the fault, for logs and command-line output.
const char* ErrorText(Error error);

[[nodiscard]] inline bool Ok(Error error) { return error == Error::None; }

} // namespace tavolex
