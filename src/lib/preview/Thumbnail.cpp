#include "preview/Thumbnail.h"

#include <sys/stat.h>

#include <algorithm>

#include "document/CarSetFile.h"
#include "document/HelmetPicture.h"
#include "formats/BitmapFile.h"
#include "formats/GameJam.h"
#include "formats/PngFile.h"
#include "game/GraphicEnvironment.h"
#include "preview/BitmapFont.h"
#include "preview/CarSetPreview.h"
#include "preview/PreviewStyle.h"
#include "preview/ShownPicture.h"

namespace tavolex {
namespace {

// The car set's thumbnail is laid out on 128 x 128 units.
constexpr int kUnits = 128;
constexpr PreviewBox kLiveryBox = {2, 2, 60, 90};
constexpr int kHelmetLeft = 66;
constexpr int kHelmetWidth = 60;

Error CarSetThumbnail(const std::filesystem::path& path, int size, const GraphicEnvironment& environment,
                      PackedBitmap& thumbnail) {
    CarSet carSet;
    switch (LoadCarSet(carSet, path)) {
    case Error::None: break;
    case Error::NotACarSet: return Error::BadMagic;
    case Error::CarSetCorrupt:
    case Error::NewerCarSetVersion: return Error::ReadFailed;
    default: return Error::OpenFailed;
    }
    PackedBitmap livery;
    PackedBitmap helmets;
    if (Error error = FetchShownPicture(carSet, environment, GraphicKind::CarLivery, 0, livery); !Ok(error)) {
        return error;
    }
    if (Error error = FetchShownPicture(carSet, environment, GraphicKind::Helmets, 0, helmets); !Ok(error)) {
        return error;
    }
    PreviewCanvas canvas;
    if (!canvas.reset(kUnits, kUnits, size, kPreviewBackground)) {
        return Error::WrongBitmapSize;
    }
    DrawPictureOrPlaceholder(canvas, livery, kLiveryBox, SheetWidth(GraphicKind::CarLivery, Variant::Hardware),
                             SheetHeight(GraphicKind::CarLivery, Variant::Hardware));
    const int helmetHeight = kSingleHelmetRows * kHelmetWidth / kSingleHelmetWidth;
    for (int d = 0; d < kDriversPerTeam; ++d) {
        PackedBitmap helmet;
        if (helmets.empty() || !Ok(TakeHelmet(helmets, d, helmet))) {
            helmet.clear();
        }
        const PreviewBox box{kHelmetLeft, 24 + d * (helmetHeight + 8), kHelmetWidth, helmetHeight};
        DrawPictureOrPlaceholder(canvas, helmet, box, kSingleHelmetWidth, kSingleHelmetRows);
    }
    const int textTop = kLiveryBox.y + kLiveryBox.height + 6;
    canvas.text(2, textTop, CarSetTitle(carSet), kPreviewText, kUnits - 2);
    canvas.text(2, textTop + kLineHeight, carSet.teams[0].teamName.view(), kPreviewDimText, kUnits - 2);
    thumbnail = canvas.take();
    return Error::None;
}

Error JamThumbnail(const std::filesystem::path& path, int size, PackedBitmap& thumbnail) {
    JamKind kind = JamKind::None;
    int count = 0;
    int height = 0;
    if (Error error = IdentifyJamFile(path, kind, count, height); !Ok(error)) {
        return error;
    }
    PackedBitmap sheet;
    if (Error error = ReadJamFile(path, height, sheet, kind); !Ok(error)) {
        return error;
    }
    // The longer side becomes N pixels.
    const int width = sheet.height() > sheet.width() ? std::max(1, size * sheet.width() / sheet.height()) : size;
    PreviewCanvas canvas;
    if (!canvas.reset(sheet.width(), sheet.height(), width, kPreviewBackground)) {
        return Error::WrongBitmapSize;
    }
    canvas.picture(sheet, {0, 0, sheet.width(), sheet.height()});
    thumbnail = canvas.take();
    return Error::None;
}

bool IsCarSetFile(const std::filesystem::path& path) {
    std::vector<std::uint8_t> head;
    if (!Ok(ReadFilePrefix(path, kCarSetMagic.size(), head)) || head.size() < kCarSetMagic.size()) {
        return false;
    }
    return std::equal(kCarSetMagic.begin(), kCarSetMagic.end(), head.begin());
}

} // namespace

Error DrawThumbnail(const std::filesystem::path& path, int size, const GraphicEnvironment& environment,
                    PackedBitmap& thumbnail) {
    if (size < 1 || size > kMaxThumbnailSize) {
        return Error::WrongBitmapSize;
    }
    return IsCarSetFile(path) ? CarSetThumbnail(path, size, environment, thumbnail)
                              : JamThumbnail(path, size, thumbnail);
}

Error SaveThumbnail(const std::filesystem::path& path, int size, const GraphicEnvironment& environment,
                    const std::filesystem::path& target) {
    // The modification time as the file manager compares it: whole seconds since 1970.
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0) {
        return Error::OpenFailed;
    }
    PackedBitmap thumbnail;
    if (Error error = DrawThumbnail(path, size, environment, thumbnail); !Ok(error)) {
        return error;
    }
    const PngText keys[] = {{"Thumb::MTime", std::to_string(static_cast<long long>(status.st_mtime))},
                            {"Software", "Tavolex"}};
    return SavePngFile(target, thumbnail, keys, PngEffort::Fast);
}

} // namespace tavolex
