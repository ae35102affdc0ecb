#pragma once

#include "document/PitCrewSheet.h"
#include "editing/PitCrewColours.h"
#include "pages/GraphicsPage.h"

class QComboBox;
class QLabel;

namespace tavolex::editor {

class PaletteGrid;

// The Pit Crews tab: the current team's crew sheet (172 x 508, made of two
// game files, whose file commands act on both halves or one), "<<< Copy" of
// the crew template in the team's colours, and the team's crew colours: a
// painted preview, the list of paintable areas and the palette grid.
class PitCrewPage : public GraphicsPage {
    Q_OBJECT

  public:
    PitCrewPage(EditorState& state, UiServices& ui, QWidget* parent = nullptr);

    PictureView* preview() const { return preview_; }
    PaletteGrid* paletteGrid() const { return palette_; }
    QComboBox* areaList() const { return areas_; }
    // Why the colours cannot be painted now (the masks are missing); hidden otherwise.
    QLabel* masksNote() const { return masksNote_; }
    // The colour number (3-15) the palette and the preview's clicks edit.
    int currentArea() const;

  public slots:
    void copyTemplate();
    void importColours();
    void exportColours();
    void chooseArea(int colourNumber);

  protected:
    Error runImport(PackedBitmap& image) override;
    Error runExport() override;
    Error runLoad(const std::filesystem::path& path, PackedBitmap& image) override;
    WantedPicture wantedPicture() const override;
    Error runSaveAs(const std::filesystem::path& path) override;
    void refreshOwnControls() override;
    void addOwnState(GraphicPageState& page) const override;
    void applyOwnRules(const GraphicControlRules& rules) override;
    PictureZoom zoomAt(const QPoint& position) const override;

  private:
    QWidget* makeColourGroup();
    PitCrewHalf half() const { return static_cast<PitCrewHalf>(part()); }
    PitCrewColourSet& colours();
    void loadTemplate();
    void paintPreview();
    void previewClicked(const QPoint& position, Qt::MouseButton button, bool twice);
    void paletteClicked(const QPoint& position);
    void setColour(int colour);
    // Painting the crew's colours needs the game's files upgraded: without the
    // masks the game's own colours would be painted over and the preview scrambled.
    void checkPaintable();

    PackedBitmap unpainted_;
    PictureView* preview_ = nullptr;
    PaletteGrid* palette_ = nullptr;
    QComboBox* areas_ = nullptr;
    QPushButton* importColours_ = nullptr;
    QPushButton* exportColours_ = nullptr;
    QPushButton* copy_ = nullptr;
    QLabel* masksNote_ = nullptr;
    bool paintable_ = true;
};

} // namespace tavolex::editor
