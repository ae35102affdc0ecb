#pragma once

#include <QCheckBox>
#include <QImage>
#include <QTimer>
#include <QWidget>

#include <array>

#include "core/Texts.h"
#include "document/GraphicSource.h"
#include "editing/ArtworkDisplay.h"
#include "pages/PictureFileCommands.h"
#include "widgets/Eliding.h"

class QLabel;
class QPushButton;

namespace tavolex::editor {

// The Artwork page's pictures: the logo and the drivers above, the badge and
// the four screens below, left to right.
enum class ArtworkView {
    Logo,
    FirstDriver,
    SecondDriver,
    Badge,
    AdvancedCarSetupScreen,
    CarSetupScreen,
    GridScreen,
    StartGridFormationScreen,
};
inline constexpr int kArtworkViews = 8;

class EditorState;
class PictureView;
class UiServices;

// The Artwork tab: the current team's menu art sheet shown as the game's
// menus show it: the logo animation, both drivers' pictures that switch on
// and off with their check boxes, the badge and the cars of four screens.
class ArtworkPage : public QWidget, public PictureFileCommands {
    Q_OBJECT

  public:
    ArtworkPage(EditorState& state, UiServices& ui, QWidget* parent = nullptr);

    PictureView* picture(ArtworkView view) const { return pictures_[static_cast<std::size_t>(view)]; }
    QCheckBox* driverBox(int driver) const { return drivers_[static_cast<std::size_t>(driver)]; }
    QPushButton* button(const QString& name) const;
    const PackedBitmap& sheet() const { return data_; }
    const PackedBitmap& displaySheet() const { return display_; }
    int logoFrame() const { return logoFrame_; }
    const DriverToggle& toggle(int driver) const { return toggles_[static_cast<std::size_t>(driver)]; }

  public slots:
    void toggleDriver(int driver);
    void importFromGame() override;
    void exportToGame() override;
    void loadFile() override;
    void saveFileAs() override;
    void removePicture() override;
    // Load of a sheet bitmap dropped on a picture or chosen in the dialog.
    void loadPath(const QString& path);

  protected:
    void changeEvent(QEvent* event) override;

  private:
    // Tells the status bar what a command did to the shown picture (and which file).
    void tellDone(TextId report, const QString& path);
    void reload();
    void showSheet(PackedBitmap sheet);
    void prepareDisplay();
    void refreshControls();
    void paintPictures();
    void paintDriver(int driver);
    void stepLogo();
    void stepDriver(int driver);
    void zoom(ArtworkView view, const QPoint& position);
    void driverClicked(int driver);
    GraphicSource source() const;
    Rgb buttonFace() const;
    int team() const;

    EditorState& state_;
    UiServices& ui_;
    PackedBitmap data_;
    PackedBitmap display_;
    QImage displayImage_;
    std::array<PictureView*, kArtworkViews> pictures_{};
    std::array<Eliding<QCheckBox>*, 2> drivers_{};
    std::array<QLabel*, 4> screenLabels_{};
    std::array<DriverToggle, 2> toggles_{};
    std::array<QTimer, 2> driverTimers_;
    QTimer logoTimer_;
    int logoFrame_ = 0;
};

} // namespace tavolex::editor
