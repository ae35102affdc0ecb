#pragma once

#include <QDialog>

#include "core/Progress.h"

class QLabel;
class QProgressBar;

namespace tavolex::editor {

// "Please wait...": the heading, "FILE :", "ITEM :" and a bar, shown while a
// long operation of the library runs.
class ProgressWindow : public QDialog, public Progress {
    Q_OBJECT

  public:
    explicit ProgressWindow(QWidget* parent);

    void begin(int itemCount) override;
    void setHeading(const std::string& heading) override;
    void setFile(const std::string& fileName) override;
    void setCounter(int current, int total) override;
    void step(int amount) override;
    void end() override;

    QString heading() const;
    QString file() const;
    QString counter() const;
    int value() const;

  protected:
    void keyPressEvent(QKeyEvent* event) override; // Enter and Escape do nothing

  private:
    void refresh();

    QLabel* heading_;
    QLabel* file_;
    QLabel* counter_;
    QProgressBar* bar_;
};

} // namespace tavolex::editor
