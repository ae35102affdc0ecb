#pragma once

#include <QWidget>

#include <QRect>

#include <array>
#include <filesystem>
#include <vector>

#include "core/Texts.h"
#include "document/GraphicKind.h"
#include "editing/CommandMessages.h"
#include "editing/GraphicCommands.h"
#include "editing/GraphicControls.h"
#include "editing/PictureRefusal.h"
#include "editing/PictureZoom.h"
#include "pages/PictureFileCommands.h"

class QBoxLayout;
class QGroupBox;
class QPushButton;
class QRadioButton;

namespace tavolex::editor {

class EditorState;
class PictureView;
class UiServices;

// What a graphics page is: its kind of graphic, the sheet its picture area
// stands for, and its own texts.
struct GraphicsPageDeclaration {
    GraphicKind kind;
    const char* groupTitle;
    QSize displaySheet;
    std::array<TextId, 2> noImageNote; // software, hardware
    std::array<TextId, 2> openTitle;
    std::array<TextId, 2> saveTitle;
    // The Generate buttons' texts (software, hardware); their arrows differ between pages.
    std::array<const char*, 2> generateTexts = {"<<<< Generate Software", "Generate Hardware >>>>"};
};

// The pattern every graphics page shares: the picture with its notes and zoom,
// the "Graphic Type" choice with the two Generate buttons, and "Bitmap
// Options" (Import, Export, Load, Save as..., Remove) with their enable rules,
// dialogs and messages; the page follows the three notifications. A page
// declares itself and adds what is its own through the hooks.
class GraphicsPage : public QWidget, public PictureFileCommands {
    Q_OBJECT

  public:
    GraphicsPage(EditorState& state, UiServices& ui, const GraphicsPageDeclaration& declaration,
                 QWidget* parent = nullptr);

    Variant shownVariant() const { return variant_; }
    PictureView* picture() const { return view_; }
    QPushButton* button(const QString& name) const;
    QRadioButton* variantButton(Variant variant) const;
    // The part choice's radio buttons (none on a page without one).
    QRadioButton* partButton(int part) const;
    const PackedBitmap& image() const { return image_; }
    // The picture's area as the library's rules take it.
    PixelRect pictureArea() const;

  public slots:
    void chooseVariant(Variant variant);
    void importFromGame() override;
    void exportToGame() override;
    void loadFile() override;
    void saveFileAs() override;
    void removePicture() override;
    // What "Load" does once a file is chosen (or dropped onto the picture).
    void loadPath(const QString& path);
    void generate(Variant target);
    void applyControlRules();

  protected:
    // A choice of the part of the picture the file commands act on: the first
    // part is the whole picture; while another is chosen its rectangle of the
    // sheet blinks in a dotted outline over the picture.
    struct PicturePart {
        const char* label;
        QRect sheetRect;
    };
    void addPartChoice(const std::vector<PicturePart>& parts);
    int part() const { return part_; }
    void choosePart(int part);

    // The file commands, for a page whose commands act on a part of the
    // picture; the defaults act on the whole slot.
    virtual Error runImport(PackedBitmap& image);
    virtual Error runExport();
    virtual Error runLoad(const std::filesystem::path& path, PackedBitmap& image);
    // What Load asks the file to be, as a refusal states it: the whole picture unless the page loads a part.
    virtual WantedPicture wantedPicture() const;
    virtual Error runSaveAs(const std::filesystem::path& path);

    // What the status bar says a command did to the page's picture.
    std::string pictureReport(TextId report, const std::filesystem::path& file = {}) const;
    void tellDone(const std::string& what);
    // Shows `image` as the slot's picture (empty: none), then the page's own controls and the rules.
    void showChanged(PackedBitmap image);

    // Called once the subclass is built: chooses the variant and shows the picture.
    void start();
    // Adds a group below the common ones on the right.
    void addSideWidget(QWidget* widget);
    // Adds a button of the page's own to "Bitmap Options".
    QPushButton* addOptionButton(const QString& name, const QString& text);
    // Puts widgets left and right of the picture, their tops level with its top.
    void setPictureNeighbours(QWidget* left, QWidget* right);
    // The slot the page edits: the current team by default.
    virtual int slot() const;
    // Before the team changes; the page may store what it shows of the old one.
    virtual void leavingTeam() {}
    // The page's own controls show the car set again.
    virtual void refreshOwnControls() {}
    // What the page's own controls add to the state the rules are decided on.
    virtual void addOwnState(GraphicPageState&) const {}
    virtual void applyOwnRules(const GraphicControlRules&) {}
    // Where a right click at `position` (in the picture's pixels) leads.
    virtual PictureZoom zoomAt(const QPoint& position) const = 0;

    EditorState& state_;
    UiServices& ui_;
    const GraphicsPageDeclaration& declaration_;

  private:
    void showImage();
    void teamChanged();
    void dataChanged();
    void rightClicked(const QPoint& position);
    std::vector<QRect> partOutline(bool blink) const;
    void updateBlinking();
    // True when the command succeeded; a failure is told in a message box.
    bool report(GraphicCommand command, Error error);
    GraphicSource sourceOf(Variant variant) const;
    QWidget* makeVariantGroup();
    QWidget* makeOptionsGroup();

    Variant variant_ = Variant::Hardware;
    PackedBitmap image_;
    PictureView* view_ = nullptr;
    QBoxLayout* side_ = nullptr;
    QBoxLayout* pictureLayout_ = nullptr;
    QBoxLayout* options_ = nullptr;
    std::vector<PicturePart> parts_;
    std::vector<QRadioButton*> partButtons_;
    int part_ = 0;
    std::array<QRadioButton*, 2> variantButtons_{};
};

} // namespace tavolex::editor
