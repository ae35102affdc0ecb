// Tavolex: the car set editor for Grand Prix 3.

#include <QApplication>
#include <QScreen>
#include <QSocketNotifier>
#include <QTimer>

#include <csignal>
#include <cstdio>
#include <functional>

#ifndef _WIN32
#include <sys/socket.h>
#include <unistd.h>
#endif

#include "app/EditorState.h"
#include "app/RecoveryKeeper.h"
#include "app/Startup.h"
#include "document/CarSetFile.h"
#include "shell/Icons.h"
#include "shell/MainWindow.h"
#include "shell/PathText.h"
#include "shell/QtUiServices.h"
#include "shell/Texts.h"

namespace tavolex::editor {

using namespace Qt::StringLiterals;

namespace {

#ifndef _WIN32
int g_signalPipe[2] = {-1, -1};

// Only wakes the event loop: the work happens there, not in the handler.
void OnTerminate(int) {
    const char byte = 1;
    [[maybe_unused]] const auto written = ::write(g_signalPipe[1], &byte, 1);
}

// `ended` runs in the event loop before the editor quits.
void WatchTerminationSignals(QApplication& application, std::function<void()> ended) {
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, g_signalPipe) != 0) {
        return;
    }
    auto* notifier = new QSocketNotifier(g_signalPipe[0], QSocketNotifier::Read, &application);
    QObject::connect(notifier, &QSocketNotifier::activated, &application, [ended] {
        ended();
        QApplication::quit();
    });
    struct sigaction action {};
    action.sa_handler = OnTerminate;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int signal : {SIGTERM, SIGINT, SIGHUP}) {
        sigaction(signal, &action, nullptr);
    }
}
#endif

} // namespace

} // namespace tavolex::editor

using namespace tavolex::editor;

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(u"Tavolex"_s);
    QApplication::setWindowIcon(icons::Program(false));
    const tavolex::AppPaths paths =
        tavolex::ResolveAppPaths(tavolex::CurrentExecutablePath(argv[0]), tavolex::Environment::FromProcess());
    const auto temporary = tavolex::MakeTemporaryFolder(paths);
    QtUiServices ui(paths.settingsFile);
    if (!temporary) {
        ui.error(nullptr, T(tavolex::TextId::InsufficientMemory));
        return 1;
    }
    EditorState state(paths, *temporary);
    state.loadSettings();
    // Unsaved changes survive a crash or a log-out in the recovery file.
    RecoveryKeeper recovery(state);
    bool endedBySignal = false;
#ifndef _WIN32
    WatchTerminationSignals(application, [&] {
        endedBySignal = true;
        recovery.saveIfModified();
    });
#endif

    // The whole command line is the path of a car set to open.
    QString pending;
    if (argc > 1) {
        QStringList words;
        for (int i = 1; i < argc; ++i) words << QString::fromLocal8Bit(argv[i]);
        const auto error = tavolex::LoadCarSet(state.carSet(), ToPath(words.join(u' ')));
        if (!tavolex::Ok(error)) {
            pending = T(tavolex::LoadErrorText(error));
        }
        state.startHistory();
    }
    MainWindow window(state, ui);
    // Every page whole at 1:1, unless the screen is smaller than that.
    const QSize available = window.screen()->availableGeometry().size();
    window.resize(window.defaultSize().boundedTo(available));
    window.show();
    window.showBanner();
    QTimer::singleShot(0, &window, [&] { RunStartupSteps(state, ui, window, pending); });
    QObject::connect(&application, &QApplication::lastWindowClosed, &application, &QApplication::quit);
    const int code = application.exec();
    if (!endedBySignal) {
        recovery.discard();
    }
    FinishRun(state, ui);
    return code;
}
