#pragma once

#include <QDialog>

class QTextEdit;

namespace tavolex::editor {

// "About Car Set...": the car set's information, near-white on dark red. In
// the automatic mode (after opening a car set) any click closes it.
class InformationDisplay : public QDialog {
    Q_OBJECT

  public:
    InformationDisplay(const QString& text, bool automatic, QWidget* parent = nullptr);
    QTextEdit* text() const { return text_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

  private:
    QTextEdit* text_;
    bool automatic_;
};

} // namespace tavolex::editor
