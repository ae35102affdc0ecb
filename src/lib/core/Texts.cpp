#include "core/Texts.h"

#include <array>
#include <utility>

namespace tavolex {
namespace {

constexpr std::pair<TextId, std::string_view> kTexts[] = {
    {TextId::ProgramName, "Tavolex"},
    {TextId::InsufficientMemory, "Insufficient memory!"},
    {TextId::CouldntLoadBitmap, "Couldn't load bitmap file!"},
    {TextId::CouldntSaveBitmap, "Couldn't save bitmap file!"},
    {TextId::FailedToImportJam, "Failed to import JAM file!"},
    {TextId::FailedToPatchJam, "Failed to patch JAM file!"},
    {TextId::FilePatchedSuccessfully, "File Patched Successfully!"},
    {TextId::FailedToGenerateBitmap, "Failed to generate bitmap!"},
    {TextId::FailedToReadCarSet, "Failed to read data from Car Set!"},
    {TextId::FailedToPatchGame, "Failed to patch Grand Prix 3 files!"},
    {TextId::FailedToReadGame, "Failed to read data from Grand Prix 3 files!"},
    {TextId::FailedToPatchArt, "Failed to patch GP3ART5.BIN file!"},
    {TextId::FailedToImportArt, "Failed to import from GP3ART5.BIN file!"},
    {TextId::CouldntLoadFile, "Couldn't Load File!"},
    {TextId::CouldntSaveFile, "Couldn't Save File!"},
    {TextId::CouldntSaveCarSet, "Couldn't Save Car Set!"},
    {TextId::CouldntOpenCarSet, "Couldn't Open Car Set!"},
    {TextId::NotATavolexCarSet, "File is not a Tavolex Car Set!"},
    {TextId::NeedsNewerVersion,
     "This file requires the latest version of Tavolex. Please install a newer version to open it."},
    {TextId::FileIsCorrupt, "File is corrupt!"},
    {TextId::NothingToExport, "Nothing to export!"},
    {TextId::FailedToLaunchGame, "Failed to launch Grand Prix 3!"},
    {TextId::ReplaceExistingFile, "Replace Existing File?"},
    {TextId::SaveChangesToCarSet, "Save Changes to Car Set?"},
    {TextId::SaveChangesToNamed, "Save Changes to %s?"},
    {TextId::PleaseWait, "Please wait..."},
    {TextId::HeadingCompressing, "Compressing %s."},
    {TextId::HeadingImporting, "Importing %s."},
    {TextId::HeadingExporting, "Exporting %s."},
    {TextId::HeadingPatching, "Patching %s."},
    {TextId::HeadingWriting, "Writing %s."},
    {TextId::HeadingExpandingArt, "Expanding GP3 menu art file."},
    {TextId::HeadingUpgradingPitCrew, "Upgrading pit crew graphics files."},
    {TextId::KindSoftwareCars, "software car textures"},
    {TextId::KindHardwareCars, "hardware car textures"},
    {TextId::KindSoftwareHelmets, "software helmet textures"},
    {TextId::KindHardwareHelmets, "hardware helmet textures"},
    {TextId::KindSoftwareCockpits, "software cockpit graphics"},
    {TextId::KindHardwareCockpits, "hardware cockpit graphics"},
    {TextId::KindSoftwarePitCrew, "software pit crew images"},
    {TextId::KindHardwarePitCrew, "hardware pit crew images"},
    {TextId::KindMenuArt, "menu art images"},
    {TextId::KindTyres, "software/hardware tyre textures"},
    {TextId::KindHardwareTyres, "hardware tyre textures"},
    {TextId::KindSoftwarePitBoxes, "software pit box graphics"},
    {TextId::KindHardwarePitBoxes, "hardware pit box graphics"},
    {TextId::KindHardwareTreads, "hardware tyre tread textures"},
    {TextId::ProgressFileLabel, "FILE :"},
    {TextId::ProgressItemLabel, "ITEM :"},
    {TextId::ProgressCounter, "%.3d/%.3d"},
    {TextId::ExeMissingOrCorrupt,
     "GP3.EXE is missing or corrupt!\n\nLocate your main 'Grand Prix 3' folder on your hard drive."},
    {TextId::ExeUnsupported,
     "Unsupported GP3.EXE version detected!\n\nTavolex does not recognise or support your GP3 version."},
    {TextId::ExeUnreadableWarning,
     "GP3.EXE cannot be read!\n\nOptions that change GP3.EXE will be disabled, and performance data will "
     "not be updated."},
    {TextId::ConfigurationTitle, "Tavolex Configuration"},
    {TextId::LocateGameFolder, "&Locate 'Grand Prix 3' Folder"},
    {TextId::LocateGameInstruction,
     "Enter the full path of your main 'Grand Prix 3' folder, for example /home/you/games/GP3."},
    {TextId::BrowseForGameTitle, "Locate 'Grand Prix 3' directory..."},
    {TextId::InformationEditorTitle, "Car Set Information Editor"},
    {TextId::InformationDisplayTitle, "About Car Set..."},
    {TextId::InformationCounter, "[%.5d/%.5d chars]"},
    {TextId::LoadTextTitle, "Load Text"},
    {TextId::SaveTextTitle, "Save Text As..."},
    {TextId::TextFilter, "Text Files (*.TXT)"},
    {TextId::OpenCarSetTitle, "Open Car Set"},
    {TextId::SaveCarSetTitle, "Save Car Set As..."},
    {TextId::CarSetFilter, "Tavolex Car Sets (*.GP3)"},
    {TextId::AboutTitle, "About Tavolex..."},
    {TextId::AboutDescription, "Grand Prix 3(tm) Editor and Car Set Creator"},
    {TextId::DisclaimerTitle, "Disclaimer"},
    {TextId::DisclaimerText,
     "Tavolex v1.10\n\nThis program is provided as it is, without any warranty. You use it at your own "
     "risk: keep copies of your game files.\n\nTavolex is not connected with the makers or publishers of "
     "Grand Prix 3."},
    {TextId::FeatureNotYetAvailable, "This part of Tavolex is not available in this version."},
    {TextId::CouldntOpenHelp, "Couldn't open the help file!"},
    {TextId::UnableToDisplayImage, "UNABLE TO DISPLAY IMAGE"},
    {TextId::RemoveBitmapQuestion, "Are you sure you want to remove bitmap?"},
    {TextId::GraphicsFilter, "Graphics files (*.BMP,*.JAM)"},
    {TextId::BitmapFilter, "Bitmap files (*.BMP)"},
    {TextId::NoSoftwareCarImage, "NO SOFTWARE CAR IMAGE"},
    {TextId::NoHardwareCarImage, "NO HARDWARE CAR IMAGE"},
    {TextId::OpenSoftwareCarGraphics, "Open Software Car Graphics"},
    {TextId::OpenHardwareCarGraphics, "Open Hardware Car Graphics"},
    {TextId::SaveSoftwareCarBitmap, "Save Software Car Bitmap As..."},
    {TextId::SaveHardwareCarBitmap, "Save Hardware Car Bitmap As..."},
    {TextId::NoSoftwareCockpitImage, "NO SOFTWARE COCKPIT IMAGE"},
    {TextId::NoHardwareCockpitImage, "NO HARDWARE COCKPIT IMAGE"},
    {TextId::OpenSoftwareCockpitGraphics, "Open Software Cockpit Graphics"},
    {TextId::OpenHardwareCockpitGraphics, "Open Hardware Cockpit Graphics"},
    {TextId::SaveSoftwareCockpitBitmap, "Save Software Cockpit Bitmap As..."},
    {TextId::SaveHardwareCockpitBitmap, "Save Hardware Cockpit Bitmap As..."},
    {TextId::TexelorTitle, "Texelor"},
    {TextId::TexelorAboutTitle, "About Texelor"},
    {TextId::TexelorAboutText, "Texelor Version Beta 1.0"},
    {TextId::TexelorAboutMenuItem, "&About Texelor"},
    {TextId::TexelorLoadJam, "Load JAM"},
    {TextId::TexelorSaveJam, "Save JAM"},
    {TextId::TexelorExportBitmap, "Export Bitmap"},
    {TextId::TexelorImportBitmap, "Import Bitmap"},
    {TextId::TexelorJamFilter, "Jam Files (*.jam)"},
    {TextId::TexelorBitmapFilter, "Bitmap Files (*.bmp)"},
    {TextId::TexelorCannotOpenJam, "Cannot open JAM file."},
    {TextId::TexelorNotA16BitJam, "File is not a recognised 16 bit JAM file."},
    {TextId::TexelorCannotInterpretHeader, "Cannot interpret header."},
    {TextId::TexelorCannotInterpretImage, "Cannot interpret image data."},
    {TextId::TexelorLoadAborted, "Load aborted."},
    {TextId::TexelorBitmapSaveError, "An error occured saving the bitmap."},
    {TextId::TexelorJamNotLoaded, "JAM not loaded."},
    {TextId::TexelorBitmapNot24Bit, "Bitmap file cannot be loaded, or is not 24 bit."},
    {TextId::TexelorBitmapWrongSize, "Bitmap is the wrong size for this JAM"},
    {TextId::TexelorImportAborted, "Import aborted."},
    {TextId::TexelorJamSaveError, "An error occured saving the JAM file."},
    {TextId::TexelorJamReadOnly, "Cannot save - this file is read-only."},
    {TextId::TexelorSaveAborted, "Save aborted."},
    {TextId::SettingsNotWritten,
     "Couldn't save settings to %s! Check that its folder can be written: until then the settings of "
     "each run are lost and the Disclaimer shows at every start."},
    {TextId::TexelorReplaceQuestion, "%s already exists.\nDo you want to replace it?"},
    {TextId::NoSoftwareGraphic, "NO SOFTWARE GRAPHIC"},
    {TextId::NoHardwareGraphic, "NO HARDWARE GRAPHIC"},
    {TextId::OpenSoftwarePitBoxes, "Load Software Pit Boxes Graphics"},
    {TextId::OpenHardwarePitBoxes, "Load Hardware Pit Box Graphics"},
    {TextId::SaveSoftwarePitBoxes, "Save Software Pit Boxes Bitmap As..."},
    {TextId::SaveHardwarePitBoxes, "Save Hardware Pit Boxes Bitmap As..."},
    {TextId::OpenSoftwarePitBox, "Load Software Pit Box Bitmap"},
    {TextId::OpenHardwarePitBox, "Load Hardware Pit Box Bitmap"},
    {TextId::SaveSoftwarePitBox, "Save Software Pit Box Bitmap As..."},
    {TextId::SaveHardwarePitBox, "Save Hardware Pit Box Bitmap As..."},
    {TextId::PitBoxOrderCaption, "JAM file image order"},
    {TextId::PitBoxOrderExplanation,
     "The order of the images in PODGEN04.JAM depends on the order of the teams, their pit box positions "
     "and the default order of the JAM file. Choose a team's image by double-clicking it."},
    {TextId::NoBitmap, "NO BITMAP"},
    {TextId::OpenSoftwareTyre, "Open Software Tyre Graphics"},
    {TextId::SaveSoftwareTyre, "Save Software Tyre Bitmap As..."},
    {TextId::OpenHardwareTyre, "Open Hardware Tyre Bitmap"},
    {TextId::OpenHardwareTread, "Open Hardware Tyre Tread Bitmap"},
    {TextId::SaveHardwareTyre, "Save Hardware Tyre Bitmap As..."},
    {TextId::SaveHardwareTread, "Save Hardware Tyre Tread Bitmap As..."},
    {TextId::NoMenuArtwork, "NO MENU ARTWORK BITMAP"},
    {TextId::OpenMenuArt, "Open Menu Art Bitmap"},
    {TextId::SaveMenuArt, "Save Menu Art Bitmap As..."},
};

} // namespace

std::string_view Text(TextId id) {
    for (const auto& [key, text] : kTexts) {
        if (key == id) {
            return text;
        }
    }
    return {};
}

std::string FormatText(TextId id, std::string_view argument) {
    std::string text(Text(id));
    if (auto at = text.find("%s"); at != std::string::npos) {
        text.replace(at, 2, argument);
    }
    return text;
}

} // namespace tavolex
