#pragma once

#include "pages/GraphicsPage.h"

class QLabel;

namespace tavolex::editor {

class PitLaneList;

// The Pit Boxes tab: the picture of all eleven pit box signs in both
// variants, the current team's strip of it, and the pit lane order, whose
// changes carry every team's sign along.
class PitBoxesPage : public GraphicsPage {
    Q_OBJECT

  public:
    PitBoxesPage(EditorState& state, UiServices& ui, QWidget* parent = nullptr);

    PitLaneList* pitLane() const { return list_; }
    PictureView* stripPicture() const { return strip_; }
    // The strip of the current team.
    int currentStrip() const;

  public slots:
    void importOrder();
    void exportOrder();
    void loadStrip();
    void saveStripAs();
    void explainOrder();

  protected:
    int slot() const override { return 0; }
    void refreshOwnControls() override;
    void applyOwnRules(const GraphicControlRules& rules) override;
    PictureZoom zoomAt(const QPoint& position) const override;

  private:
    // "Loaded pit box sign for Jordan from sign.bmp": the strip commands act on the team's sign.
    std::string signReport(TextId report, const std::filesystem::path& file = {}) const;
    QWidget* makeStripGroup();
    QWidget* makeLaneGroup();
    void fillList();
    void selectTeam(int team);
    void moveItem(int from, int target);
    void swapStrip(const QPoint& position);
    void zoomStrip(const QPoint& position);
    std::vector<QRect> outlines(bool blink) const;

    PictureView* strip_ = nullptr;
    QLabel* teamName_ = nullptr;
    PitLaneList* list_ = nullptr;
};

} // namespace tavolex::editor
