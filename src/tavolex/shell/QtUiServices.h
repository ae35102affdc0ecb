#pragma once

#include "shell/UiServices.h"

namespace tavolex::editor {

// The platform's message boxes and file dialogs.
class QtUiServices final : public UiServices {
  public:
    using UiServices::UiServices;

    void error(QWidget* parent, const QString& text) override;
    void information(QWidget* parent, const QString& text) override;
    void explain(QWidget* parent, const QString& caption, const QString& text) override;
    bool openDocument(const QString& path) override;
    bool question(QWidget* parent, const QString& text) override;
    Answer unsavedChanges(QWidget* parent, const QString& text) override;
    QString chooseFolder(QWidget* parent, const QString& title, const QString& start) override;
    void beep() override;

  protected:
    QString askOpenPath(QWidget* parent, const QString& title, const QString& folder, const QString& filter) override;
    QString askSavePath(QWidget* parent, const QString& title, const QString& folder, const QString& filter) override;
};

} // namespace tavolex::editor
