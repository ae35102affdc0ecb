#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

// The one table of the texts the programs show to users: messages, progress
// headings and kind names. Everything a message box, a status line or the
// command line shows comes from here, so a text is changed in one place.

namespace tavolex {

enum class TextId {
    ProgramName,
    InsufficientMemory,
    CouldntLoadBitmap,
    CouldntSaveBitmap,
    FailedToImportJam,
    FailedToPatchJam,
    FilePatchedSuccessfully,
    FailedToGenerateBitmap,
    FailedToReadCarSet,
    FailedToPatchGame,
    FailedToReadGame,
    FailedToPatchArt,
    FailedToImportArt,
    CouldntLoadFile,
    CouldntSaveFile,
    CouldntSaveCarSet,
    CouldntOpenCarSet,
    NotATavolexCarSet,
    NeedsNewerVersion,
    FileIsCorrupt,
    NothingToExport,
    FailedToLaunchGame,
    LaunchCommandFailed,
    ReplaceExistingFile,
    SaveChangesToCarSet,
    SaveChangesToNamed, // "%s": the car set file's display name
    PleaseWait,
    HeadingCompressing, // "%s": a kind name
    HeadingImporting,
    HeadingExporting,
    HeadingPatching,
    HeadingWriting,
    HeadingExpandingArt,
    HeadingUpgradingPitCrew,
    KindSoftwareCars,
    KindHardwareCars,
    KindSoftwareHelmets,
    KindHardwareHelmets,
    KindSoftwareCockpits,
    KindHardwareCockpits,
    KindSoftwarePitCrew,
    KindHardwarePitCrew,
    KindMenuArt,
    KindTyres,
    KindHardwareTyres,
    KindSoftwarePitBoxes,
    KindHardwarePitBoxes,
    KindHardwareTreads,
    ProgressFileLabel,
    ProgressItemLabel,
    ProgressCounter, // "%.3d/%.3d"

    // The editor's shell.
    ExeMissingOrCorrupt,
    ExeUnsupported,
    ExeUnreadableWarning,
    ConfigurationTitle,
    LocateGameFolder,
    LocateGameInstruction,
    BrowseForGameTitle,
    InformationEditorTitle,
    InformationDisplayTitle,
    InformationCounter, // "[%.5d/%.5d chars]"
    LoadTextTitle,
    SaveTextTitle,
    TextFilter,
    OpenCarSetTitle,
    SaveCarSetTitle,
    CarSetFilter,
    AboutTitle,
    AboutDescription,
    DisclaimerTitle,
    DisclaimerText,
    FeatureNotYetAvailable,
    CouldntOpenHelp,
    ManualIsAt,
    ManualBelongsAt,
    ControlCharactersRefused,

    // The graphics pages.
    UnableToDisplayImage,
    RemoveBitmapQuestion,
    GraphicsFilter,
    BitmapFilter,
    NoSoftwareCarImage,
    NoHardwareCarImage,
    OpenSoftwareCarGraphics,
    OpenHardwareCarGraphics,
    SaveSoftwareCarBitmap,
    SaveHardwareCarBitmap,
    NoSoftwareCockpitImage,
    NoHardwareCockpitImage,
    OpenSoftwareCockpitGraphics,
    OpenHardwareCockpitGraphics,
    SaveSoftwareCockpitBitmap,
    SaveHardwareCockpitBitmap,
    NoSoftwarePitCrewBitmap,
    NoHardwarePitCrewBitmap,
    OpenSoftwarePitCrewGraphics,
    OpenHardwarePitCrewGraphics,
    SaveSoftwarePitCrewBitmap,
    SaveHardwarePitCrewBitmap,
    NoSoftwareHelmetsImage,
    NoHardwareHelmetsImage,
    LoadSoftwareHelmetsGraphics,
    LoadHardwareHelmetsGraphics,
    SaveSoftwareHelmetsBitmap,
    SaveHardwareHelmetsBitmap,
    LoadSoftwareHelmetBitmap,
    LoadHardwareHelmetBitmap,
    SaveSoftwareHelmetBitmap,
    SaveHardwareHelmetBitmap,
    PitCrewMasksMissing,
    PitCrewMasksWhere,

    // The JAM viewer.
    TexelorTitle,
    TexelorAboutTitle,
    TexelorAboutText,
    TexelorAboutMenuItem,
    TexelorLoadJam,
    TexelorSaveJam,
    TexelorExportBitmap,
    TexelorImportBitmap,
    TexelorJamFilter,
    TexelorCannotOpenJam,
    TexelorNotA16BitJam,
    TexelorCannotInterpretHeader,
    TexelorCannotInterpretImage,
    TexelorLoadAborted,
    TexelorBitmapSaveError,
    TexelorJamNotLoaded,
    TexelorBitmapNot24Bit,
    TexelorBitmapWrongSize,
    TexelorImportAborted,
    TexelorJamSaveError,
    TexelorJamReadOnly,
    TexelorSaveAborted,

    // Added later; kept at the end so that merges stay simple.
    SettingsNotWritten,     // "%s": the settings file
    TexelorReplaceQuestion, // "%s": the file's name
    PictureOpenFilter,
    PictureSaveFilter,
    ExeIdentifiedByText,
    ExeIdentifiedByContents,
    ExeNotIdentified,
    // The onboard camera editor's range texts.
    CameraCoordinateRange,
    CameraAngleRange,
    CameraValueRange,
    RecoverQuestion, // "%s": when the recovery file was written

    // The Pit boxes, Wheels and Artwork pages.
    NoSoftwareGraphic,
    NoHardwareGraphic,
    OpenSoftwarePitBoxes,
    OpenHardwarePitBoxes,
    SaveSoftwarePitBoxes,
    SaveHardwarePitBoxes,
    OpenSoftwarePitBox,
    OpenHardwarePitBox,
    SaveSoftwarePitBox,
    SaveHardwarePitBox,
    PitBoxOrderCaption,
    PitBoxOrderExplanation,
    NoBitmap,
    OpenSoftwareTyre,
    SaveSoftwareTyre,
    OpenHardwareTyre,
    OpenHardwareTread,
    SaveHardwareTyre,
    SaveHardwareTread,
    NoMenuArtwork,
    OpenMenuArt,
    SaveMenuArt,

    // The import and export selection.
    ImportSelectionTitle,
    ExportSelectionTitle,
    ImportButton,
    ExportButton,

    // The configuration dialog's first run.
    FoundGamesHeading,
    NoGamesFound,
    GameSearchCutShort,
    // The car set preview and the file managers' thumbnails.
    ExportPreviewTitle,
    PreviewFilter,
    CouldntSavePreview,
    CouldntMakeThumbnail,
    PreviewEmpty,
    PreviewTeamColumn,
    PreviewCarColumn,
    PreviewCockpitColumn,
    PreviewHelmetsColumn,
    PreviewPitCrewColumn,
    PreviewLogoColumn,
    PreviewBadgeColumn,
    PreviewPitBoxColumn,
    PreviewTyres, // "%s": the tyre type, 1 or 2
    PreviewTread, // "%s": the tyre type, 1 or 2
    PreviewPitLane,
    PreviewUntitled,

    // What the status bar says once a command has succeeded.
    ReportLoaded,    // "%s" what, "%s" the file's name
    ReportSavedAs,   // "%s" what, "%s" the file's name
    ReportSaved,     // "%s" the file's name
    ReportOpened,    // "%s" the file's name
    ReportImported,  // "%s" what
    ReportExported,  // "%s" what
    ReportRemoved,   // "%s" what
    ReportGenerated, // "%s" the variant, "%s" what
    ReportNewCarSet,
    ReportOwnedBy,      // "%s" what, "%s" whose: "livery for Jordan"
    ReportHelmetOf,     // "%s" the driver
    ReportPitBoxSignOf, // "%s" the team
    ReportPictures,     // "%s" the count
    ReportOnePicture,
    ReportTeamData,
    ReportListLast, // "%s" the list so far, "%s" its last item: "a and b"
    ReportListNext, // "%s" the list so far, "%s" its next item: "a, b"
    ReportSoftware,
    ReportHardware,
    ReportPitLaneOrder,
    ReportTeamsFile,
    ReportPerformance,
    ReportCarNumbers,
    ReportSettings,
    ReportCrewColours,
    ReportPaintedTemplate, // "%s" what
    // Why a picture file was refused, under the message.
    PictureSizeWanted, // "%s" the sizes wanted
};

std::string_view Text(TextId id);

// Fills the one "%s" of a text. Texts carry no other conversions.
std::string FormatText(TextId id, std::string_view argument);
// Fills the text's "%s" in order with `arguments`.
std::string FormatText(TextId id, std::initializer_list<std::string_view> arguments);

} // namespace tavolex
