#pragma once

#include "pages/GraphicsPage.h"

namespace tavolex::editor {

// The Cockpits tab: the current team's cockpit, 256 x 64 in software (the top
// quarter of the hardware sheet) and 256 x 256 in hardware.
class CockpitsPage : public GraphicsPage {
    Q_OBJECT

  public:
    CockpitsPage(EditorState& state, UiServices& ui, QWidget* parent = nullptr);

  protected:
    PictureZoom zoomAt(const QPoint& position) const override;
};

} // namespace tavolex::editor
