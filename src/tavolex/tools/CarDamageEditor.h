#pragma once

#include <QDialog>

#include <array>
#include <vector>

#include "gamesettings/CarDamage.h"
#include "gamesettings/DamagePicture.h"

class QLabel;
class QPushButton;
class QRadioButton;

namespace tavolex::editor {

class EditorState;
class NumberBox;
class UiServices;

// "Car Damage Editor": the game's damage coefficients, edited straight in
// GP3.EXE. The values live only while the window is open, starting from the
// game's defaults; the car picture shows which parts a value concerns.
class CarDamageEditor : public QDialog {
    Q_OBJECT

  public:
    CarDamageEditor(EditorState& state, UiServices& ui, QWidget* parent = nullptr);

    const DamageRecord& record() const { return record_; }
    // Parts 0-21, then walls damage and bounce, cars damage and bounce.
    NumberBox* box(int index) const { return boxes_[static_cast<std::size_t>(index)]; }
    QRadioButton* areaButton(DamageArea area) const { return areas_[static_cast<std::size_t>(area)]; }
    QPushButton* button(const QString& name) const;
    DamageArea area() const { return area_; }
    // The untouched picture and the picture as shown: palette indices, rows top down.
    const std::vector<std::uint8_t>& picture() const { return picture_; }
    const std::vector<std::uint8_t>& shownPicture() const { return shown_; }

  public slots:
    void chooseArea(DamageArea area);
    void importFromGame();
    void exportToGame();
    void loadDefaults();

  private:
    QWidget* makeDamageGroup();
    QWidget* makeCollisionGroup(const QString& title, int damage, int bounce);
    void showRecord();
    void takeBoxes();
    void showSelection(DamageSelection selection);
    void placePartRows();

    EditorState& state_;
    UiServices& ui_;
    DamageRecord record_;
    DamageArea area_ = DamageArea::Chassis;
    std::vector<std::uint8_t> picture_; // the untouched picture
    std::vector<std::uint8_t> shown_;
    QLabel* pictureFrame_ = nullptr;
    QWidget* partsCanvas_ = nullptr;
    std::array<NumberBox*, kDamageValueCount> boxes_{};
    std::array<QWidget*, kDamagePartCount> partRows_{};
    std::array<QRadioButton*, 3> areas_{};
};

} // namespace tavolex::editor
