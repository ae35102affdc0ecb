#include "document/PitCrewSheet.h"

#include "document/GraphicKind.h"

#include <span>

#include "formats/BitmapOps.h"
#include "formats/GameJam.h"
#include "formats/TextureGeneration.h"

namespace tavolex {
namespace {

constexpr int kFirstPitCrewJam = 13;
constexpr int kTallSlot = 7;

std::span<const PitCrewHalf> HalvesOf(PitCrewHalf half) {
    static constexpr PitCrewHalf kBoth[] = {PitCrewHalf::Top, PitCrewHalf::Bottom};
    const std::span<const PitCrewHalf> both(kBoth);
    switch (half) {
    case PitCrewHalf::Top: return both.first(1);
    case PitCrewHalf::Bottom: return both.last(1);
    case PitCrewHalf::Both: break;
    }
    return both;
}

int SheetTop(PitCrewHalf half) { return half == PitCrewHalf::Bottom ? kPitCrewHalfRows : 0; }

} // namespace

int PitCrewFileRows(int slot) { return slot == kTallSlot ? kPitCrewHalfRows + 1 : kPitCrewHalfRows; }

int PitCrewJamIndex(int slot, PitCrewHalf half) {
    return kFirstPitCrewJam + 2 * slot + (half == PitCrewHalf::Bottom ? 1 : 0);
}

PackedBitmap PitCrewFill(int width, int height, Variant variant) {
    PackedBitmap fill;
    FillBitmap(fill, width, height, MakeColour(kKeyRed, kKeyGreen, kKeyBlue), 0,
               SheetDepth(GraphicKind::PitCrew, variant));
    return fill;
}

Error PutPitCrewHalf(const PackedBitmap& file, PitCrewHalf half, PackedBitmap& sheet) {
    if (half == PitCrewHalf::Both || file.width() != kPitCrewFileWidth || file.height() < kPitCrewHalfRows ||
        file.height() > kPitCrewHalfRows + 1 || file.depth() != sheet.depth() ||
        !sheet.is(kPitCrewSheetWidth, kPitCrewSheetHeight, sheet.depth())) {
        return Error::WrongBitmapSize;
    }
    const int from = half == PitCrewHalf::Top ? file.height() - kPitCrewHalfRows : 0;
    return CopyPixels(file, 0, from, sheet, 0, SheetTop(half), kPitCrewSheetWidth, kPitCrewHalfRows);
}

PackedBitmap PitCrewHalfFile(const PackedBitmap& sheet, PitCrewHalf half, int rows, Variant variant) {
    PackedBitmap file = PitCrewFill(kPitCrewFileWidth, rows, variant);
    if (half == PitCrewHalf::Both || rows < kPitCrewHalfRows) {
        return file;
    }
    const int to = half == PitCrewHalf::Top ? rows - kPitCrewHalfRows : 0;
    // The file was made above with room for the half (rows >= kPitCrewHalfRows); a sheet of the
    // wrong size leaves the file in its fill colour.
    (void)CopyPixels(sheet, 0, SheetTop(half), file, 0, to, kPitCrewSheetWidth, kPitCrewHalfRows);
    if (half == PitCrewHalf::Bottom && rows > kPitCrewHalfRows) {
        (void)CopyPixels(sheet, 0, kPitCrewSheetHeight - 1, file, 0, kPitCrewHalfRows, kPitCrewSheetWidth, 1);
    }
    return file;
}

Error ImportPitCrewHalves(const std::filesystem::path& gameFolder, int slot, Variant variant, PitCrewHalf half,
                          PackedBitmap& sheet) {
    if (!sheet.is(kPitCrewSheetWidth, kPitCrewSheetHeight, SheetDepth(GraphicKind::PitCrew, variant))) {
        return Error::WrongBitmapSize;
    }
    PackedBitmap result = sheet;
    for (PitCrewHalf part : HalvesOf(half)) {
        PackedBitmap file;
        if (Error error = ReadGameJam(gameFolder, PitCrewJamIndex(slot, part), variant, PitCrewFileRows(slot), 1, file);
            !Ok(error)) {
            return error;
        }
        if (!Ok(PutPitCrewHalf(file, part, result))) {
            return Error::WrongBitmapSize;
        }
    }
    sheet = std::move(result);
    return Error::None;
}

Error ExportPitCrewHalves(const std::filesystem::path& gameFolder, int slot, Variant variant, PitCrewHalf half,
                          const PackedBitmap& sheet, Progress* progress) {
    if (!sheet.is(kPitCrewSheetWidth, kPitCrewSheetHeight, SheetDepth(GraphicKind::PitCrew, variant))) {
        return Error::WrongBitmapSize;
    }
    const int rows = PitCrewFileRows(slot);
    for (PitCrewHalf part : HalvesOf(half)) {
        const PackedBitmap file = PitCrewHalfFile(sheet, part, rows, variant);
        if (Error error = PatchGameJam(gameFolder, file, PitCrewJamIndex(slot, part), variant, rows, 1, progress);
            !Ok(error)) {
            return error;
        }
    }
    return Error::None;
}

} // namespace tavolex
