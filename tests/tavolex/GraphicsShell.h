#pragma once

#include <QApplication>
#include <QTabBar>

#include "ShellFixture.h"
#include "game/GameFolder.h"
#include "game/SampleGame.h"

// An editor configured with a sample game (made once per test program) and
// showing the tab `tab`.
struct GraphicsShell : Shell {
    explicit GraphicsShell(int tab) {
        static const tavolex::test::ScratchFolder* game = [] {
            auto* folder = new tavolex::test::ScratchFolder;
            if (!tavolex::Ok(tavolex::MakeSampleGame(folder->path()))) std::abort();
            return folder;
        }();
        gameFolder = game->path();
        useGame(tavolex::ExeStatus::Supported);
        window->resize(1000, 700);
        window->show();
        QApplication::setActiveWindow(window.get());
        window->tabs()->setCurrentIndex(tab);
    }
    // The sample game with the status the configuration dialog would have given.
    void useGame(tavolex::ExeStatus status) { useGameAt(gameFolder, status); }
    std::filesystem::path gameFolder;
};
