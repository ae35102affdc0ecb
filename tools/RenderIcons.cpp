// Writes the programs' icons as PNG files for installation: the editor's and
// the viewer's, at the sizes desktops look for. Runs on the offscreen platform.

#include <QApplication>
#include <QDir>
#include <QIcon>
#include <QPainter>
#include <QPixmap>

#include <cstdio>

#include "TexelorIcon.h"
#include "shell/Icons.h"

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: render-icons DIR\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    // The editor's mark is drawn at each size so large icons stay sharp.
    auto mark = [](int size) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        tavolex::editor::icons::PaintMark(painter, QRectF(0, 0, size, size), QColor(0xB0, 0x10, 0x10));
        return pixmap;
    };
    const QIcon texelor = ::texelor::TexelorIcon();
    for (const char* name : {"tavolex", "texelor"}) {
        for (int size : {16, 24, 32, 48, 64, 128, 256}) {
            const QString dir = QString("%1/%2x%2/apps").arg(folder).arg(size);
            QDir().mkpath(dir);
            const QPixmap pixmap = QString(name) == "tavolex" ? mark(size) : texelor.pixmap(size, size);
            if (!pixmap.save(dir + "/" + name + ".png")) {
                std::fprintf(stderr, "render-icons: cannot write %s\n", qPrintable(dir));
                return 1;
            }
        }
    }
    return 0;
}
