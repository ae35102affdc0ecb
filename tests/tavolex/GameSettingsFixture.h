#pragma once

#include <QFocusEvent>

#include <filesystem>
#include <string>
#include <vector>

#include "ShellFixture.h"
#include "TestSupport.h"
#include "game/GameConstants.h"
#include "game/GameFolder.h"
#include "game/LevelNames.h"
#include "game/TeamTables.h"

// An editor with a small game of its own: a supported GP3.EXE (zeros but for
// its identification), an intact save file and the five language files.
struct GameSettingsShell : Shell {
    std::filesystem::path gameFolder = folder / "game";

    GameSettingsShell() {
        namespace fs = std::filesystem;
        std::vector<std::uint8_t> exe(tavolex::kSupportedExeSize, 0);
        std::copy(tavolex::kExeIdentificationText.begin(), tavolex::kExeIdentificationText.end(),
                  exe.begin() + static_cast<std::ptrdiff_t>(tavolex::kExeIdentificationOffset));
        fs::create_directories(gameFolder / "LDATA");
        tavolex::test::WriteBytes(gameFolder / "GP3.EXE", exe);
        std::vector<std::uint8_t> save(0x16000, 0);
        EXPECT_TRUE(Ok(tavolex::StampSaveFileChecksums(save)));
        tavolex::test::WriteBytes(gameFolder / "F1GSTATE.SAV", save);
        const char* files[] = {"english.str",
                               "fran\xC3\xA7"
                               "ais.str",
                               "italiano.str", "deutsch.str",
                               "espa\xC3\xB1"
                               "ol.str"};
        for (const char* file : files) {
            std::vector<std::uint8_t> text = {'G', 'P', '3', 1};
            for (int i = 0; i < 262; ++i) {
                const std::string entry = i == tavolex::kLevelNameEntry ? "Game Levels" : "entry";
                text.insert(text.end(), entry.begin(), entry.end());
                text.push_back(0);
            }
            tavolex::test::WriteBytes(gameFolder / "LDATA" / file, text);
        }
    }
    // Makes the game the editor's, as the configuration dialog does.
    void useGame(tavolex::ExeStatus status = tavolex::ExeStatus::Supported) { useGameAt(gameFolder, status); }
    std::vector<std::uint8_t> exe() const { return tavolex::test::ReadBytes(gameFolder / "GP3.EXE"); }
    void setExe(const std::vector<std::uint8_t>& bytes) const {
        tavolex::test::WriteBytes(gameFolder / "GP3.EXE", bytes);
    }
};

// What a box does when it loses the focus, without a window system to move it.
inline void LoseFocus(QWidget* widget) {
    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(widget, &out);
}
inline void GainFocus(QWidget* widget) {
    QFocusEvent in(QEvent::FocusIn, Qt::TabFocusReason);
    QApplication::sendEvent(widget, &in);
}
