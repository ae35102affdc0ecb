#pragma once

#include <QString>

class QWidget;

// The file dialogs and message boxes the viewer shows, behind an interface so
// that tests can answer them.
class TexelorUi {
public:
    virtual ~TexelorUi() = default;

    // The chosen path, or empty when cancelled. `folder` is where to start (may be empty).
    virtual QString openFile(QWidget* parent, const QString& folder, const QString& filter) = 0;
    // Save dialogs confirm overwriting and add `defaultSuffix` to a name typed without one.
    virtual QString saveFile(QWidget* parent, const QString& folder, const QString& defaultName,
                             const QString& filter, const QString& defaultSuffix) = 0;
    // An exclamation box with the viewer's title.
    virtual void warn(QWidget* parent, const QString& text) = 0;
};
