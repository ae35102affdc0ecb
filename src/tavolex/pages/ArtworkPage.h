#pragma once

#include <QCheckBox>
#include <QImage>
#include <QTimer>
#include <QWidget>

#include <array>

#include "core/Texts.h"
#include "document/GraphicSource.h"
#include "editing/ArtworkDisplay.h"
#include "editing/DisplayImage.h"
#include "shell/Eliding.h"

class QLabel;
class QPushButton;

namespace tavolex::editor {

class EditorState;
class PictureView;
class UiServices;

// The Artwork tab: the current team's menu art sheet shown as the game's
// menus show it: the logo animation, both drivers' pictures that switch on
// and off with their check boxes, the badge and the cars of four screens.
class ArtworkPage : public QWidget {
    Q_OBJECT

  public:
    ArtworkPage(EditorState& state, UiServices& ui, QWidget* parent = nullptr);

    // The picture controls 600-607 by index 0-7.
    PictureView* picture(int index) const { return pictures_[static_cast<std::size_t>(index)]; }
    QCheckBox* driverBox(int driver) const { return drivers_[static_cast<std::size_t>(driver)]; }
    QPushButton* button(const QString& name) const;
    const tavolex::PackedBitmap& sheet() const { return data_; }
    const tavolex::PackedBitmap& displaySheet() const { return display_; }
    int logoFrame() const { return logoFrame_; }
    const tavolex::DriverToggle& toggle(int driver) const { return toggles_[static_cast<std::size_t>(driver)]; }

  public slots:
    void importFromGame();
    void exportToGame();
    void loadFile();
    // Load of a sheet bitmap dropped on a picture or chosen in the dialog.
    void loadPath(const QString& path);
    void saveFileAs();
    void removePicture();
    void toggleDriver(int driver);

  protected:
    void changeEvent(QEvent* event) override;

  private:
    // Tells the status bar what a command did to the shown picture (and which file).
    void tellDone(tavolex::TextId report, const QString& path);
    void reload();
    void showSheet(tavolex::PackedBitmap sheet);
    void prepareDisplay();
    void refreshControls();
    void paintPictures();
    void paintDriver(int driver);
    void stepLogo();
    void stepDriver(int driver);
    void zoom(int index, const QPoint& position);
    void driverClicked(int driver);
    tavolex::GraphicSource source() const;
    tavolex::Rgb buttonFace() const;
    int team() const;

    EditorState& state_;
    UiServices& ui_;
    tavolex::PackedBitmap data_;
    tavolex::PackedBitmap display_;
    tavolex::DisplayImage displayPixels_;
    QImage displayImage_;
    std::array<PictureView*, 8> pictures_{};
    std::array<Eliding<QCheckBox>*, 2> drivers_{};
    std::array<QLabel*, 4> screenLabels_{};
    std::array<tavolex::DriverToggle, 2> toggles_{};
    std::array<QTimer, 2> driverTimers_;
    QTimer logoTimer_;
    int logoFrame_ = 0;
};

} // namespace tavolex::editor
