#pragma once

#include "document/PitCrewSheet.h"
#include "editing/PitCrewColours.h"
#include "pages/GraphicsPage.h"

class QComboBox;
class QLabel;

namespace tavolex::editor {

class CrewPreview;
class PaletteGrid;

// The Pit Crews tab: the current team's crew sheet (172 x 508, made of two
// game files, whose file commands act on both halves or one), "<<< Copy" of
// the crew template in the team's colours, and the team's crew colours: a
// painted preview, the list of paintable areas and the palette grid.
class PitCrewPage : public GraphicsPage {
    Q_OBJECT

  public:
    PitCrewPage(EditorState& state, UiServices& ui, QWidget* parent = nullptr);

    CrewPreview* preview() const { return preview_; }
    PaletteGrid* paletteGrid() const { return palette_; }
    QComboBox* areaList() const { return areas_; }
    // Why the colours cannot be painted now (the masks are missing); hidden otherwise.
    QLabel* masksNote() const { return masksNote_; }
    // The colour number (3-15) the palette and the preview's clicks edit.
    static int currentArea() { return area_; }

  public slots:
    void copyTemplate();
    void importColours();
    void exportColours();
    void chooseArea(int colourNumber);

  protected:
    tavolex::Failure runImport(tavolex::PackedBitmap& image) override;
    tavolex::Failure runExport() override;
    tavolex::Failure runLoad(const std::filesystem::path& path, tavolex::PackedBitmap& image) override;
    tavolex::WantedPicture wantedPicture() const override;
    tavolex::Failure runSaveAs(const std::filesystem::path& path) override;
    void refreshOwnControls() override;
    void applyOwnRules(const tavolex::GraphicControlRules& rules) override;
    tavolex::PictureZoom zoomAt(const QPoint& position) const override;

  private:
    QWidget* makeColourGroup();
    tavolex::PitCrewHalf half() const { return static_cast<tavolex::PitCrewHalf>(part()); }
    tavolex::PitCrewColourSet& colours();
    void loadTemplate();
    void paintPreview();
    void previewClicked(const QPoint& position, Qt::MouseButton button, bool twice);
    void paletteClicked(const QPoint& position);
    void setColour(int colour);
    // Painting the crew's colours needs the game's files upgraded: without the
    // masks the game's own colours would be painted over and the preview scrambled.
    void checkPaintable();

    static int area_;
    tavolex::PackedBitmap unpainted_;
    CrewPreview* preview_ = nullptr;
    PaletteGrid* palette_ = nullptr;
    QComboBox* areas_ = nullptr;
    QPushButton* importColours_ = nullptr;
    QPushButton* exportColours_ = nullptr;
    QPushButton* copy_ = nullptr;
    QLabel* masksNote_ = nullptr;
    bool paintable_ = true;
};

} // namespace tavolex::editor
