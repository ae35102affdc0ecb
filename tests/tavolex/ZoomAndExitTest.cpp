#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

#include <QtTest/QTest>

#include <algorithm>
#include <chrono>
#include <thread>

#include <gtest/gtest.h>

#include "Screenshot.h"
#include "ShellFixture.h"
#include "formats/IniFile.h"
#include "widgets/ZoomWindow.h"

namespace {
namespace fs = std::filesystem;

TEST(ZoomWindow, StaysOnTheScreenAndClosesOnClickOrKeys) {
    const QRect screen(0, 0, 1024, 768);
    EXPECT_EQ(ZoomWindow::Placement({500, 400}, {200, 100}, screen), QRect(400, 350, 200, 100));
    EXPECT_EQ(ZoomWindow::Placement({1000, 400}, {200, 100}, screen).right(), 1023) << "shifted left";
    EXPECT_EQ(ZoomWindow::Placement({10, 5}, {200, 100}, screen).topLeft(), QPoint(0, 0));

    QPixmap picture(64, 64);
    picture.fill(Qt::red);
    ZoomWindow zoom(picture, QRect(0, 0, 16, 16), {300, 300}, {128, 128});
    zoom.show();
    SaveScreenshot(zoom, "tavolex-zoom");
    QTest::keyClick(&zoom, Qt::Key_Escape);
    EXPECT_EQ(zoom.result(), QDialog::Accepted);
    ZoomWindow second(picture, QRect(0, 0, 16, 16), {300, 300}, {128, 128});
    second.show();
    QTest::mouseRelease(&second, Qt::RightButton);
    EXPECT_FALSE(second.isVisible());
}

// A desktop log-out ends the editor with a signal: it still writes its
// settings and removes its temporary folder.
TEST(EditorProcess, CleansUpWhenEndedBySignals) {
    for (int signal : {SIGTERM, SIGHUP}) {
        tavolex::test::ScratchFolder folder;
        fs::create_directories(folder / "config");
        fs::create_directories(folder / "tmp");
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            setenv("XDG_CONFIG_HOME", (folder / "config").c_str(), 1);
            setenv("TMPDIR", (folder / "tmp").c_str(), 1);
            setenv("QT_QPA_PLATFORM", "offscreen", 1);
            execl(TAVOLEX_PATH, "tavolex", static_cast<char*>(nullptr));
            _exit(127);
        }
        // The editor's own folders in TMPDIR (Qt may keep a runtime folder there too).
        auto editorFolders = [&] {
            return std::count_if(fs::directory_iterator(folder / "tmp"), {}, [](const fs::directory_entry& e) {
                return e.path().filename().string().rfind("tavolex-", 0) == 0;
            });
        };
        // Wait until the editor has made its temporary folder, then end it.
        for (int i = 0; i < 200 && editorFolders() == 0; ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(25));
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        kill(child, signal);
        int status = 0;
        waitpid(child, &status, 0);
        EXPECT_TRUE(WIFEXITED(status)) << "ended by its own hand, not killed";
        EXPECT_EQ(editorFolders(), 0) << "temporary folder removed";
        EXPECT_EQ(tavolex::ReadProfileInt(folder / "config/Tavolex/Tavolex.ini", "Setup", "Disclaimer", 0), 110);
    }
}

} // namespace
