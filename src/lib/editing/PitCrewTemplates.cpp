#include "editing/PitCrewTemplates.h"

#include "document/PitCrewSheet.h"
#include "formats/BitmapFile.h"
#include "formats/BitmapOps.h"
#include "formats/GameJam.h"
#include "game/GraphicEnvironment.h"

namespace tavolex {
namespace {

constexpr int kExtrasJam = 46; // main\Pc-extr1
constexpr int kExtrasRows = 189;
constexpr int kExtrasImages = 3;
constexpr int kJackBottomJam = 48; // main\Pc-jack2
constexpr int kJackTopJam = 49;    // main\Pc-jack3
constexpr int kColourWidth = 200;

int WidthOf(PitCrewTemplate which) { return which == PitCrewTemplate::Jack ? kPitCrewSheetWidth : kColourWidth; }
int HeightOf(PitCrewTemplate which) { return which == PitCrewTemplate::Jack ? kPitCrewSheetHeight : kExtrasRows; }

} // namespace

std::filesystem::path PitCrewTemplatePath(const std::filesystem::path& dataFolder, PitCrewTemplate which) {
    return dataFolder / (which == PitCrewTemplate::Jack ? "PITJACK.DAT" : "PITCOLOR.DAT");
}

Error BuildPitCrewTemplate(const std::filesystem::path& gameFolder, PitCrewTemplate which, PackedBitmap& image) {
    PackedBitmap result(WidthOf(which), HeightOf(which), Depth::Bits8);
    if (which == PitCrewTemplate::Colour) {
        PackedBitmap extras;
        if (Error error = ReadGameJam(gameFolder, kExtrasJam, Variant::Software, kExtrasRows, kExtrasImages, extras);
            !Ok(error)) {
            return error;
        }
        if (!Ok(CopyPixels(extras, 0, 0, result, 0, 0, kColourWidth, kExtrasRows))) {
            return Error::WrongBitmapSize;
        }
    } else {
        for (const auto& [jam, top] : {std::pair{kJackTopJam, 0}, std::pair{kJackBottomJam, kPitCrewHalfRows}}) {
            PackedBitmap half;
            if (Error error = ReadGameJam(gameFolder, jam, Variant::Software, kPitCrewHalfRows, 1, half); !Ok(error)) {
                return error;
            }
            if (!Ok(CopyPixels(half, 0, 0, result, 0, top, kPitCrewSheetWidth, kPitCrewHalfRows))) {
                return Error::WrongBitmapSize;
            }
        }
    }
    image = std::move(result);
    return Error::None;
}

Error LoadPitCrewTemplate(const GraphicEnvironment& environment, PitCrewTemplate which, PackedBitmap& image) {
    const auto path = PitCrewTemplatePath(environment.dataFolder, which);
    if (Ok(LoadBitmapFile(path, image, WidthOf(which), HeightOf(which), Depth::Bits8))) {
        return Error::None;
    }
    PackedBitmap built;
    if (Error error = BuildPitCrewTemplate(environment.gameFolder, which, built); !Ok(error)) {
        return error;
    }
    // On a fresh installation the data folder does not exist yet.
    std::error_code ignored;
    std::filesystem::create_directories(environment.dataFolder, ignored);
    if (Error error = SaveBitmapFile(path, built); !Ok(error)) {
        return error;
    }
    image = std::move(built);
    return Error::None;
}

void DeletePitCrewTemplates(const std::filesystem::path& dataFolder) {
    for (PitCrewTemplate which : {PitCrewTemplate::Jack, PitCrewTemplate::Colour}) {
        std::error_code ignored;
        std::filesystem::remove(PitCrewTemplatePath(dataFolder, which), ignored);
    }
}

} // namespace tavolex
