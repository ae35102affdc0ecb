#pragma once

#include <QDialog>

class EditorState;
class QLineEdit;
class UiServices;

// "Tavolex Configuration": where the game is. OK identifies its executable,
// keeps the folder (with a warning when the build is not the supported one)
// or, when GP3.EXE is missing, says so and stays open.
class ConfigurationDialog : public QDialog {
    Q_OBJECT

public:
    ConfigurationDialog(EditorState& state, UiServices& ui, QWidget* parent = nullptr);
    QLineEdit* folderEdit() const { return folder_; }

public slots:
    void browse();
    void accept() override;

private:
    EditorState& state_;
    UiServices& ui_;
    QLineEdit* folder_;
};
