#include "preview/PreviewStyle.h"

#include "core/Texts.h"
#include "preview/BitmapFont.h"

namespace tavolex {

void DrawPictureOrPlaceholder(PreviewCanvas& canvas, const PackedBitmap& image, const PreviewBox& box, int sheetWidth,
                              int sheetHeight) {
    if (!image.empty()) {
        canvas.picture(image, FitInside(image.width(), image.height(), box));
        return;
    }
    const PreviewBox place = FitInside(sheetWidth, sheetHeight, box);
    canvas.fill(place, kPreviewPlaceholder);
    const std::string_view word = Text(TextId::PreviewEmpty);
    const int x = place.x + (place.width - TextWidth(word)) / 2;
    const int y = place.y + (place.height - kGlyphRows) / 2;
    canvas.text(std::max(x, place.x), y, word, kPreviewPlaceholderText, place.x + place.width);
}

} // namespace tavolex
