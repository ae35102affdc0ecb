#include "document/HelmetPicture.h"

#include "document/GraphicKind.h"

#include <span>

#include "formats/BitmapOps.h"
#include "formats/GameJam.h"

namespace tavolex {
namespace {

constexpr int kPartDRows = 180;
constexpr int kPartERows = 150;
constexpr int kHelmetsDJam = 11;
constexpr int kHelmetsEJam = 12;

std::span<const HelmetPart> PartsOf(HelmetPart part) {
    static constexpr HelmetPart kBoth[] = {HelmetPart::D, HelmetPart::E};
    const std::span<const HelmetPart> both(kBoth);
    switch (part) {
    case HelmetPart::D: return both.first(1);
    case HelmetPart::E: return both.last(1);
    case HelmetPart::Both: break;
    }
    return both;
}

int JamOf(HelmetPart part) { return part == HelmetPart::D ? kHelmetsDJam : kHelmetsEJam; }
int ImagesOf(HelmetPart part) { return HelmetPartRows(part) / kSingleHelmetRows * 2; }

} // namespace

int HelmetPartTop(HelmetPart part) { return part == HelmetPart::E ? kPartDRows : 0; }

int HelmetPartRows(HelmetPart part) {
    switch (part) {
    case HelmetPart::D: return kPartDRows;
    case HelmetPart::E: return kPartERows;
    case HelmetPart::Both: break;
    }
    return kHelmetHeight;
}

HelmetPart HelmetPartOf(int helmet) { return helmet < 12 ? HelmetPart::D : HelmetPart::E; }

std::optional<int> HelmetAt(int x, int y, int width, int height) {
    if (x < 0 || y < 0 || x >= width || y >= height) {
        return std::nullopt;
    }
    const int row = y * 11 / height;
    const int column = 2 * x > width ? 1 : 0;
    return 2 * row + column;
}

PackedBitmap BlankHelmets(Variant variant, int rows) {
    PackedBitmap blank;
    FillBitmap(blank, kHelmetWidth, rows, MakeColour(0x3F, 0x67, 0x67), 0, SheetDepth(GraphicKind::Helmets, variant));
    return blank;
}

Error TakeHelmet(const PackedBitmap& picture, int helmet, PackedBitmap& out) {
    if (helmet < 0 || helmet >= kHelmetCount || !picture.is(kHelmetWidth, kHelmetHeight, picture.depth())) {
        return Error::WrongBitmapSize;
    }
    PackedBitmap result(kSingleHelmetWidth, kSingleHelmetRows, picture.depth());
    if (!Ok(CopyPixels(picture, kSingleHelmetWidth * (helmet % 2), kSingleHelmetRows * (helmet / 2), result, 0, 0,
                       kSingleHelmetWidth, kSingleHelmetRows))) {
        return Error::WrongBitmapSize;
    }
    out = std::move(result);
    return Error::None;
}

Error PutHelmet(const PackedBitmap& helmet, int index, PackedBitmap& picture) {
    if (index < 0 || index >= kHelmetCount || !helmet.is(kSingleHelmetWidth, kSingleHelmetRows, picture.depth())) {
        return Error::WrongBitmapSize;
    }
    return CopyPixels(helmet, 0, 0, picture, kSingleHelmetWidth * (index % 2), kSingleHelmetRows * (index / 2),
                      kSingleHelmetWidth, kSingleHelmetRows);
}

PackedBitmap HelmetPartPicture(const PackedBitmap& picture, HelmetPart part) {
    PackedBitmap rows(kHelmetWidth, HelmetPartRows(part), picture.depth());
    // A picture of another size leaves the rows blank; the page checks sizes before it shows a part.
    (void)CopyPixels(picture, 0, HelmetPartTop(part), rows, 0, 0, kHelmetWidth, HelmetPartRows(part));
    return rows;
}

Error PutHelmetPart(const PackedBitmap& rows, HelmetPart part, PackedBitmap& picture) {
    if (!rows.is(kHelmetWidth, HelmetPartRows(part), picture.depth())) {
        return Error::WrongBitmapSize;
    }
    return CopyPixels(rows, 0, 0, picture, 0, HelmetPartTop(part), kHelmetWidth, HelmetPartRows(part));
}

Error ImportHelmetParts(const std::filesystem::path& gameFolder, Variant variant, HelmetPart part,
                        PackedBitmap& picture) {
    if (!picture.is(kHelmetWidth, kHelmetHeight, SheetDepth(GraphicKind::Helmets, variant))) {
        return Error::WrongBitmapSize;
    }
    PackedBitmap result = picture;
    for (HelmetPart each : PartsOf(part)) {
        PackedBitmap rows;
        if (Error error = ReadGameJam(gameFolder, JamOf(each), variant, HelmetPartRows(each), ImagesOf(each), rows);
            !Ok(error)) {
            return error;
        }
        if (!Ok(PutHelmetPart(rows, each, result))) {
            return Error::WrongBitmapSize;
        }
    }
    picture = std::move(result);
    return Error::None;
}

Error ExportHelmetParts(const std::filesystem::path& gameFolder, Variant variant, HelmetPart part,
                        const PackedBitmap& picture, Progress* progress) {
    if (!picture.is(kHelmetWidth, kHelmetHeight, SheetDepth(GraphicKind::Helmets, variant))) {
        return Error::WrongBitmapSize;
    }
    for (HelmetPart each : PartsOf(part)) {
        const PackedBitmap rows = HelmetPartPicture(picture, each);
        if (Error error =
                PatchGameJam(gameFolder, rows, JamOf(each), variant, HelmetPartRows(each), ImagesOf(each), progress);
            !Ok(error)) {
            return error;
        }
    }
    return Error::None;
}

} // namespace tavolex
