#pragma once

#include <QDialog>

class QLabel;
class QPlainTextEdit;

namespace tavolex::editor {

class EditorState;
class UiServices;

// "Car Set Information Editor": the car set's free text, at most 20,000
// characters, loaded from and saved to text files.
class InformationEditor : public QDialog {
    Q_OBJECT

  public:
    InformationEditor(EditorState& state, UiServices& ui, QWidget* parent = nullptr);
    QPlainTextEdit* text() const { return text_; }
    QLabel* counter() const { return counter_; }

  public slots:
    void load();
    void saveAs();
    void accept() override;

  private:
    void limitAndCount();

    EditorState& state_;
    UiServices& ui_;
    QPlainTextEdit* text_;
    QLabel* counter_;
};

} // namespace tavolex::editor
