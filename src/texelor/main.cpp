// Texelor: a viewer for the 16-bit JAM textures of Grand Prix 3.

#include <QApplication>
#include <QTimer>

#include <string>
#include <vector>

#include "BatchMode.h"
#include "QtTexelorUi.h"
#include "TexelorDialog.h"
#include "TexelorIcon.h"

using namespace Qt::StringLiterals;

using namespace texelor;

int main(int argc, char** argv) {
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    // Batch work needs no display, so it runs before Qt is started.
    if (IsBatchRequest(arguments)) {
        return RunBatch(arguments);
    }
    if (arguments.size() > 1) {
        std::fputs(TexelorUsage(), stderr);
        return 2;
    }
    QApplication application(argc, argv);
    QApplication::setApplicationName(u"Texelor"_s);
    QApplication::setWindowIcon(TexelorIcon());
    QtTexelorUi ui;
    TexelorDialog dialog(ui);
    if (!arguments.empty()) {
        const QString path = QString::fromLocal8Bit(arguments.front().c_str());
        // Once the window shows, so that a failure's message box has its owner on screen.
        QTimer::singleShot(0, &dialog, [&dialog, path] { dialog.loadJam(path); });
    }
    dialog.show();
    return application.exec();
}
