#pragma once

#include <QDialog>

#include <string>

class QLabel;
class QLineEdit;
class QTimer;
class QListWidget;
class QVBoxLayout;

namespace tavolex::editor {

class EditorState;
class UiServices;

// "Tavolex Configuration": where the game is. OK identifies its executable,
// keeps the folder (with a warning when the build is not the supported one)
// or, when GP3.EXE is missing, says so and stays open. It tells how the
// executable of the folder typed is recognised. On the first run (no game
// folder set) it lists the installations found on this computer, each with
// what identification says of it; a click takes one.
class ConfigurationDialog : public QDialog {
    Q_OBJECT

  public:
    // How long the folder box waits after the last key before it identifies GP3.EXE.
    static constexpr int kIdentifyPauseMs = 400;

    ConfigurationDialog(EditorState& state, UiServices& ui, QWidget* parent = nullptr);
    QLineEdit* folderEdit() const { return folder_; }
    QLabel* recognitionLabel() const { return recognition_; }
    // Null unless the dialog opened on the first run.
    QListWidget* foundGamesList() const { return foundGames_; }

  public slots:
    void browse();
    void accept() override;

  private:
    std::string folder() const;
    void showRecognition();
    void listFoundGames(QVBoxLayout* layout);

    EditorState& state_;
    UiServices& ui_;
    QLineEdit* folder_;
    QLabel* recognition_;
    QTimer* identifyTimer_;
    QListWidget* foundGames_ = nullptr;
};

} // namespace tavolex::editor
