#pragma once

#include <QGroupBox>

#include <array>
#include <vector>

#include "core/Texts.h"
#include "document/GraphicKind.h"
#include "editing/CommandMessages.h"
#include "editing/GraphicControls.h"
#include "formats/PackedBitmap.h"
#include "formats/TyreBitmaps.h"
#include "pages/PictureFileCommands.h"

class QPushButton;
class QRadioButton;
class QStackedLayout;
class QScrollArea;

namespace tavolex::editor {

class EditorState;
class PictureView;
class UiServices;

// One side of the Wheels page: the sheets of a tyre type that share a
// picture place (the software wheels, or the hardware wheels and the treads),
// the choice of both halves or either half, whose chosen half blinks in a
// dotted outline, and Import, Export, Load, Save as... and Remove for the
// chosen halves.
class TyreSheetPanel : public QGroupBox, public PictureFileCommands {
    Q_OBJECT

  public:
    // One sheet the panel can show, and the three choices (both, top, bottom) that show it.
    struct Sheet {
        GraphicKind kind;
        Variant variant;
        const char* groupTitle;
        QSize visibleSize; // shown at once, one screen pixel per texture pixel; the rest scrolls
        std::array<const char*, 3> choices;
        TextId openTitle;
        TextId saveTitle;
        TextId filter;
        QRect outline; // the top half's outline in the sheet; the bottom one lies a half lower
        bool outlineWhileBlinkSet;
        QSize zoomRegion; // of the half under the pointer
        QSizeF zoomScale; // times the area's width
    };

    TyreSheetPanel(EditorState& state, UiServices& ui, std::vector<Sheet> sheets, int& choice,
                   QWidget* parent = nullptr);

    // Shows tyre type `tyreType`: fetches the shown sheet again.
    void showTyreType(int tyreType);
    void applyControlRules();

    int choice() const { return choice_; }
    const Sheet& shownSheet() const;
    PictureView* picture() const;
    QPushButton* button(const QString& name) const;
    QRadioButton* choiceButton(int choice) const { return choices_[static_cast<std::size_t>(choice)]; }
    const PackedBitmap& image() const { return image_; }

  public slots:
    void choose(int choice);
    void importFromGame() override;
    void exportToGame() override;
    void loadFile() override;
    void saveFileAs() override;
    void removePicture() override;
    // Load of a file dropped on the picture or chosen in the dialog.
    void loadPath(const QString& path);

  private:
    // Tells the status bar what a command did to the shown picture (and which file).
    void tellDone(TextId report, const QString& path);
    // The chosen half in sight when the sheet is taller than its place.
    void scrollToChosenHalf();
    void reload();
    void show(PackedBitmap image);
    SheetHalves halves() const;
    GraphicSource source() const;
    std::vector<QRect> outlines(std::size_t sheet, bool blink) const;
    void rightClicked(const QPoint& position);
    // True when the command succeeded; a failure is told in a message box.
    bool report(GraphicCommand command, Error error);

    EditorState& state_;
    UiServices& ui_;
    std::vector<Sheet> sheets_;
    int& choice_;
    int tyreType_ = 0;
    PackedBitmap image_;
    std::vector<PictureView*> views_;
    std::vector<QScrollArea*> scrollers_; // one per sheet, holding its view
    std::vector<QRadioButton*> choices_;
    QStackedLayout* stack_ = nullptr;
};

} // namespace tavolex::editor
