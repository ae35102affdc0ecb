#include "pages/CockpitsPage.h"

#include "pages/PictureView.h"

using tavolex::TextId;

namespace {

constexpr int kSheetSide = 256;

const GraphicsPageDeclaration kCockpits = {
    tavolex::GraphicKind::Cockpit,
    "Team Dependant Cockpit Graphics",
    QSize(kSheetSide, kSheetSide),
    {TextId::NoSoftwareCockpitImage, TextId::NoHardwareCockpitImage},
    {TextId::OpenSoftwareCockpitGraphics, TextId::OpenHardwareCockpitGraphics},
    {TextId::SaveSoftwareCockpitBitmap, TextId::SaveHardwareCockpitBitmap},
};

} // namespace

CockpitsPage::CockpitsPage(EditorState& state, UiServices& ui, QWidget* parent)
    : GraphicsPage(state, ui, kCockpits, parent) {
    start();
}

GraphicsPage::Zoom CockpitsPage::zoomAt(const QPoint& position) const {
    const QRect area = picture()->area();
    if (!area.contains(position)) {
        return {};
    }
    const int rows = tavolex::SheetHeight(tavolex::GraphicKind::Cockpit, shownVariant());
    // Below the software cockpit's quarter there is nothing to enlarge.
    if (position.y() >= area.top() + area.height() * rows / kSheetSide) {
        return {Zoom::Action::Beep, {}, {}};
    }
    return {Zoom::Action::Show, QRect(0, 0, kSheetSide, rows),
            QSize(2 * area.width(), 2 * area.width() * rows / kSheetSide)};
}
