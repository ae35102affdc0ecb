#pragma once

#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <deque>
#include <functional>
#include <memory>
#include <ostream>

#include "TestSupport.h"
#include "app/EditorState.h"
#include "game/GameIdentity.h"
#include "shell/MainWindow.h"
#include "shell/UiServices.h"

using namespace tavolex::editor;

// Readable QStrings in test failures.
inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }

// Answers the editor's message boxes and file dialogs from queues and keeps
// what they would have shown.
class FakeUi final : public UiServices {
  public:
    using UiServices::UiServices;

    std::deque<QString> paths;  // answers of open and save dialogs ("" cancels)
    std::deque<Answer> answers; // answers of questions
    QStringList errors;
    QStringList informations;
    QStringList captions; // of explanations, whose texts go to informations
    QStringList questions;
    QStringList dialogFolders; // where each dialog started
    int beeps = 0;

    void error(QWidget*, const QString& text) override { errors << text; }
    void information(QWidget*, const QString& text) override { informations << text; }
    void explain(QWidget*, const QString& caption, const QString& text) override {
        captions << caption;
        informations << text;
    }
    bool question(QWidget*, const QString& text) override {
        questions << text;
        return next() == Answer::Yes;
    }
    Answer unsavedChanges(QWidget*, const QString& text) override {
        questions << text;
        return next();
    }
    QString chooseFolder(QWidget*, const QString&, const QString&) override { return nextPath(); }
    void beep() override { ++beeps; }
    QStringList opened; // documents opened
    bool canOpenDocuments = true;
    bool openDocument(const QString& path) override {
        opened << path;
        return canOpenDocuments;
    }

  protected:
    QString askOpenPath(QWidget*, const QString&, const QString& folder, const QString&) override {
        dialogFolders << folder;
        return nextPath();
    }
    QString askSavePath(QWidget*, const QString&, const QString& folder, const QString&) override {
        dialogFolders << folder;
        return nextPath();
    }

  private:
    Answer next() {
        if (answers.empty())
            return Answer::Cancel;
        const Answer answer = answers.front();
        answers.pop_front();
        return answer;
    }
    QString nextPath() {
        if (paths.empty())
            return {};
        const QString path = paths.front();
        paths.pop_front();
        return path;
    }
};

// Runs `act` on the next modal window once it is up (a dialog's exec() blocks the test).
inline void WhenModal(std::function<void(QWidget*)> act) {
    auto* timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, act] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            timer->stop();
            timer->deleteLater();
            act(modal);
        }
    });
    timer->start();
}

// A fresh editor: its own settings file and temporary folder.
struct Shell {
    tavolex::test::ScratchFolder folder;
    tavolex::AppPaths paths;
    std::unique_ptr<EditorState> state;
    std::unique_ptr<FakeUi> ui;
    std::unique_ptr<MainWindow> window;

    Shell() {
        paths.settingsFile = folder / "Tavolex.ini";
        paths.programFolder = folder.path();
        paths.dataFolder = folder.path();
        paths.temporaryParent = folder.path();
        std::filesystem::create_directories(folder / "tmp");
        state = std::make_unique<EditorState>(paths, folder / "tmp");
        state->loadSettings();
        ui = std::make_unique<FakeUi>(paths.settingsFile);
        window = std::make_unique<MainWindow>(*state, *ui);
    }
    QString path(const std::string& name) const { return QString::fromStdString((folder / name).string()); }
    // Makes `game` the editor's with the status the configuration dialog would have given it.
    void useGameAt(const std::filesystem::path& game, tavolex::ExeStatus status) {
        tavolex::ExeIdentity identity;
        identity.status = status;
        state->setGame(game.string(), identity);
        state->notifyExeStatusChanged();
    }
};

// The process's HOME and XDG_DATA_HOME pointed at a test's folders while alive.
class ScopedHome {
  public:
    explicit ScopedHome(const std::filesystem::path& folder)
        : home_(qgetenv("HOME")), data_(qgetenv("XDG_DATA_HOME")), prefix_(qgetenv("WINEPREFIX")) {
        qputenv("HOME", QByteArray::fromStdString((folder / "home").string()));
        qputenv("XDG_DATA_HOME", QByteArray::fromStdString((folder / "data").string()));
        qunsetenv("WINEPREFIX");
    }
    ~ScopedHome() {
        Restore("HOME", home_);
        Restore("XDG_DATA_HOME", data_);
        Restore("WINEPREFIX", prefix_);
    }

  private:
    static void Restore(const char* name, const QByteArray& value) {
        if (value.isEmpty()) {
            qunsetenv(name);
        } else {
            qputenv(name, value);
        }
    }
    QByteArray home_, data_, prefix_;
};
