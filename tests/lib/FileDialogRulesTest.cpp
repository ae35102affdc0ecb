#include <gtest/gtest.h>

#include "TestSupport.h"
#include "settings/FileDialogRules.h"

namespace tavolex {
namespace {
using test::ScratchFolder;
namespace fs = std::filesystem;

// The car set's folder, else the game's, else home; a dialog's own folder
// first while it still exists. Never a relative place such as the working
// directory, nor a folder that is gone.
TEST(FileDialogRules, ADialogStartsWhereTheUsersFilesAre) {
    ScratchFolder folder;
    const fs::path settings = folder / "Tavolex.ini";
    for (const char* name : {"sets", "game", "home", "pictures"}) {
        fs::create_directories(folder / name);
    }
    DialogPlaces places{folder / "sets" / "season.GP3", folder / "game", folder / "home"};
    EXPECT_EQ(DialogStartFolder(settings, "Open Car Set", places), folder / "sets");
    places.carSetFile.clear(); // untitled
    EXPECT_EQ(DialogStartFolder(settings, "Open Car Set", places), folder / "game");
    places.gameFolder = folder / "removed";
    EXPECT_EQ(DialogStartFolder(settings, "Open Car Set", places), folder / "home");
    places.gameFolder = "relative/game";
    places.carSetFile = "season.GP3";
    EXPECT_EQ(DialogStartFolder(settings, "Open Car Set", places), folder / "home");

    RememberDialogFolder(settings, "Load Bitmap", folder / "pictures" / "car.bmp");
    places.carSetFile = folder / "sets" / "season.GP3";
    EXPECT_EQ(DialogStartFolder(settings, "Load Bitmap", places).lexically_normal(),
              (folder / "pictures" / "").lexically_normal());
    EXPECT_EQ(DialogStartFolder(settings, "Open Car Set", places), folder / "sets") << "each title its own";
    fs::remove(folder / "pictures");
    EXPECT_EQ(DialogStartFolder(settings, "Load Bitmap", places), folder / "sets") << "a folder that is gone";
}

} // namespace
} // namespace tavolex
