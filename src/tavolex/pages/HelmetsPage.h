#pragma once

#include <QRadioButton>

#include <array>

#include "document/HelmetPicture.h"
#include "pages/GraphicsPage.h"
#include "widgets/Eliding.h"

namespace tavolex::editor {

// The Helmets tab: the one picture of all 22 helmets held in the car set,
// with its own helmet selection (the radio buttons beside the picture, or a
// click on it), the commands on the selected helmet, and the file commands
// on the whole picture or one of its two game files.
class HelmetsPage : public GraphicsPage {
    Q_OBJECT

  public:
    HelmetsPage(EditorState& state, UiServices& ui, QWidget* parent = nullptr);

    Eliding<QRadioButton>* helmetButton(int helmet) const { return helmetButtons_[static_cast<std::size_t>(helmet)]; }
    // The selected helmet lasts the run.
    int selectedHelmet() const;

  public slots:
    void selectHelmet(int helmet);
    void importHelmet();
    void exportHelmet();
    void loadHelmet();
    void saveHelmetAs();

  protected:
    int slot() const override { return 0; }
    Error runImport(PackedBitmap& image) override;
    Error runExport() override;
    Error runLoad(const std::filesystem::path& path, PackedBitmap& image) override;
    Error runSaveAs(const std::filesystem::path& path) override;
    void refreshOwnControls() override;
    void applyOwnRules(const GraphicControlRules& rules) override;
    PictureZoom zoomAt(const QPoint& position) const override;

  private:
    QWidget* makeHelmetGroup();
    void makeHelmetButtons();
    void labelHelmetButtons();
    void pictureClicked(const QPoint& position);
    std::optional<int> helmetAt(const QPoint& position) const;
    HelmetPart helmetPart() const { return static_cast<HelmetPart>(part()); }
    // True when the command succeeded; a failure is told in a message box.
    bool report(GraphicCommand command, Error error);
    // "Loaded helmet of Damon Hill from hill.bmp": the commands act on the selected helmet only.
    std::string helmetReport(TextId report, const std::filesystem::path& file = {}) const;

    std::array<Eliding<QRadioButton>*, kHelmetCount> helmetButtons_{};
    std::array<QWidget*, 2> columns_{};
};

} // namespace tavolex::editor
