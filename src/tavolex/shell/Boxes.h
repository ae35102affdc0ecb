#pragma once

#include <QDialog>
#include <QWidget>

namespace tavolex::editor {

// "About Tavolex...", "Disclaimer" and the start banner.
class AboutBox : public QDialog {
    Q_OBJECT

  public:
    explicit AboutBox(QWidget* parent = nullptr);
};

class DisclaimerBox : public QDialog {
    Q_OBJECT

  public:
    explicit DisclaimerBox(QWidget* parent = nullptr);
};

// Dark red with the program's name, over the page area (team list and page,
// not the tabs) for the first seconds.
class StartBanner : public QWidget {
    Q_OBJECT

  public:
    explicit StartBanner(QWidget* pageArea = nullptr);

  signals:
    void closed();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
};

} // namespace tavolex::editor
