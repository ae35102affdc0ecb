#pragma once

#include <QDialog>

#include <array>

#include "gamesettings/OnboardCameras.h"

class QButtonGroup;
class QLineEdit;
class QPushButton;
class QScrollBar;

namespace tavolex::editor {

class EditorState;
class UiServices;

// "Onboard Camera Editor": the game's nine onboard cameras, edited straight
// in GP3.EXE. The shown camera's boxes are checked before another camera is
// shown or the cameras are exported; a box that is not a number in its range
// keeps the camera.
class OnboardCameraEditor : public QDialog {
    Q_OBJECT

  public:
    OnboardCameraEditor(EditorState& state, UiServices& ui, QWidget* parent = nullptr);

    const CameraRecord& record() const { return record_; }
    int shownCamera() const { return shown_; }
    QPushButton* cameraButton(int camera) const;
    // By the value's place in the record: 0 X, 1 Z, 2 Y, 3 direction, ...
    QLineEdit* box(int value) const { return boxes_[static_cast<std::size_t>(value)]; }
    QScrollBar* stepper(int value) const { return steppers_[static_cast<std::size_t>(value)]; }
    QPushButton* button(const QString& name) const;

  public slots:
    void chooseCamera(int camera);
    void importFromGame();
    void exportToGame();
    void loadDefaults();

  private:
    QWidget* makeValueGroup(const QString& title, std::initializer_list<std::pair<int, QString>> values);
    void showCamera();
    // Checks every box of the shown camera; on the first bad one its range text, false.
    bool validateShownCamera();
    void storeShownCamera();
    void step(int value, int action);

    EditorState& state_;
    UiServices& ui_;
    CameraRecord record_;
    int shown_ = 0;
    bool busy_ = true; // while setting up or showing a message, events are ignored
    QButtonGroup* cameras_ = nullptr;
    std::array<QLineEdit*, kCameraValueCount> boxes_{};
    std::array<QScrollBar*, kCameraValueCount> steppers_{};
};

} // namespace tavolex::editor
