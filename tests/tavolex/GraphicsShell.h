#pragma once

#include <QApplication>
#include <QTabBar>

#include "ShellFixture.h"
#include "editing/PitCrewUpgrade.h"
#include "formats/JamNames.h"
#include "game/GameFolder.h"
#include "sample/SampleGame.h"

// Pit crew masks of nothing but zeros in `dataFolder`: an upgrade with them
// stamps the game's files and changes none of their pixels.
inline void WriteBlankPitCrewMasks(const std::filesystem::path& dataFolder) {
    for (int i = 0; i < tavolex::kPitCrewUpgradeFiles; ++i) {
        // The crew sheets are the JAM name table's indices 100-110.
        const auto size = tavolex::ExpectedJamSize(100 + i, tavolex::Variant::Software);
        if (!size)
            std::abort();
        const std::filesystem::path mask = tavolex::PitCrewMaskPath(dataFolder, i);
        std::filesystem::create_directories(mask.parent_path());
        tavolex::test::WriteBytes(mask, std::vector<std::uint8_t>(256u * static_cast<std::size_t>(size->height), 0));
    }
}

// An editor configured with a sample game (made once per test program, its
// pit crew files upgraded as a configured editor leaves them) and showing the
// tab `tab`.
struct GraphicsShell : Shell {
    explicit GraphicsShell(int tab) {
        static const tavolex::test::ScratchFolder* game = [] {
            auto* folder = new tavolex::test::ScratchFolder;
            if (!tavolex::Ok(tavolex::MakeSampleGame(folder->path())))
                std::abort();
            const tavolex::test::ScratchFolder masks;
            WriteBlankPitCrewMasks(masks.path());
            if (!tavolex::Ok(tavolex::UpgradePitCrewFiles(folder->path(), masks.path(), nullptr)))
                std::abort();
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
