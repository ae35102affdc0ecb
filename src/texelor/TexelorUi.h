#pragma once

#include <QString>

class QWidget;

namespace texelor {

// The file dialogs and message boxes the viewer shows, behind an interface so
// that tests can answer them.
class TexelorUi {
  public:
    virtual ~TexelorUi() = default;

    // The chosen path, or empty when cancelled. `folder` is where to start (may be empty).
    virtual QString openFile(QWidget* parent, const QString& folder, const QString& filter) = 0;
    // The path as the user typed it: the caller adds a missing extension and
    // asks before replacing a file, as the name may change on the way.
    virtual QString saveFile(QWidget* parent, const QString& folder, const QString& defaultName,
                             const QString& filter) = 0;
    // "NAME already exists. Do you want to replace it?"; true for Yes.
    virtual bool confirmReplace(QWidget* parent, const QString& path) = 0;
    // An exclamation box with the viewer's title.
    virtual void warn(QWidget* parent, const QString& text) = 0;
};

} // namespace texelor
