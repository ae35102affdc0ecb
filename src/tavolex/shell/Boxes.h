#pragma once

#include <QDialog>
#include <QWidget>

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

// Dark red with the program's name, over the page area for the first seconds.
class StartBanner : public QWidget {
    Q_OBJECT

public:
    explicit StartBanner(QWidget* parent = nullptr);

signals:
    void closed();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
};
