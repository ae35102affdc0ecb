#pragma once

#include <QString>

#include <filesystem>
#include <functional>

#include "core/Texts.h"
#include "editing/CommandMessages.h"
#include "editing/PictureRefusal.h"
#include "settings/FileDialogRules.h"

class QWidget;

namespace tavolex::editor {

// The editor's message boxes and file dialogs. The rules (remembered folders
// per dialog title, forced extensions, when a replace question is needed)
// live here; the platform's boxes and dialogs behind the few virtual
// functions, which tests replace with answers of their own.
class UiServices {
  public:
    enum class Answer { Yes, No, Cancel };

    explicit UiServices(std::filesystem::path settingsFile);
    virtual ~UiServices() = default;

    // A beep and an exclamation box.
    virtual void error(QWidget* parent, const QString& text) = 0;
    virtual void information(QWidget* parent, const QString& text) = 0;
    // An information box with a caption of its own instead of the program's name.
    virtual void explain(QWidget* parent, const QString& caption, const QString& text) = 0;
    virtual bool question(QWidget* parent, const QString& text) = 0;
    // Yes, No and Cancel.
    virtual Answer unsavedChanges(QWidget* parent, const QString& text) = 0;
    // The platform's folder picker; empty when cancelled.
    virtual QString chooseFolder(QWidget* parent, const QString& title, const QString& start) = 0;
    virtual void beep() = 0;
    // Opens a document (the manual) in the program the desktop has for it; false when none could.
    virtual bool openDocument(const QString& path) = 0;

    // The outcome of loading the picture file `path` as the `wanted` picture:
    // true on success; else the command's message, and under it (when the
    // file was at fault) the file's name and why, as the command line says it.
    [[nodiscard]] bool loaded(QWidget* parent, Error outcome, const QString& path, const WantedPicture& wanted);

    // "Replace Existing File?" when the file exists; Yes without asking otherwise.
    bool replace(QWidget* parent, const QString& path);
    // Where the dialogs start when they have no folder of their own yet (the
    // main window gives the car set's and the game's); the home folder until set.
    void setDialogPlaces(std::function<DialogPlaces()> places) { places_ = std::move(places); }
    // The folder the dialog titled `title` starts in.
    QString startFolder(const QString& title) const;
    // Open and save dialogs that start where the same dialog was last used.
    QString openFile(QWidget* parent, const QString& title, const QString& filter);
    QString saveFile(QWidget* parent, const QString& title, const QString& filter, const QString& extension);

  protected:
    virtual QString askOpenPath(QWidget* parent, const QString& title, const QString& folder,
                                const QString& filter) = 0;
    virtual QString askSavePath(QWidget* parent, const QString& title, const QString& folder,
                                const QString& filter) = 0;

  private:
    std::filesystem::path settingsFile_;
    std::function<DialogPlaces()> places_;
};

} // namespace tavolex::editor
