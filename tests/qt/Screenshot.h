#pragma once

#include <QApplication>
#include <QDir>
#include <QString>
#include <QWidget>

// Saves what a window looks like into the build folder's screenshots/, so a
// person can look at it after the tests ran.
inline QString SaveScreenshot(QWidget& widget, const QString& name) {
    QApplication::processEvents(); // pending layout changes first
    QDir().mkpath(TAVOLEX_SCREENSHOT_DIR);
    const QString path = QString(TAVOLEX_SCREENSHOT_DIR) + "/" + name + ".png";
    widget.grab().save(path);
    return path;
}
