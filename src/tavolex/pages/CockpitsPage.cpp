#include "pages/CockpitsPage.h"

namespace tavolex::editor {

using namespace Qt::StringLiterals;

namespace {

constexpr int kSheetSide = 256;

const GraphicsPageDeclaration kCockpits = {
    GraphicKind::Cockpit,
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

PictureZoom CockpitsPage::zoomAt(const QPoint& position) const {
    return CockpitZoom(pictureArea(), shownVariant(), position.x(), position.y());
}

} // namespace tavolex::editor
