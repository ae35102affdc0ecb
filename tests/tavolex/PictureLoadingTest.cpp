// A refused picture says why, in the words of the page's own wants (the
// loading and drops of every page are in EveryGraphicsPage).
#include <QPushButton>
#include <QtTest/QTest>

#include <functional>

#include <gtest/gtest.h>

#include "GraphicsShell.h"
#include "UserInput.h"
#include "formats/BitmapFile.h"
#include "pages/GraphicsPage.h"

namespace {
namespace fs = std::filesystem;

// The size wanted is the page's picture's; a damaged PNG and a BMP of a
// kind that is not read say so.
TEST(PictureLoading, ARefusedPictureNamesTheSizeWantedOrTheFault) {
    GraphicsShell shell(5); // the cockpits: their variants differ in size
    QWidget* page = shell.window->page();
    static_cast<GraphicsPage*>(page)->chooseVariant(tavolex::Variant::Software);
    const struct {
        const char* name;
        std::function<void(const fs::path&)> write;
        const char* reason;
    } files[] = {
        {"small.bmp",
         [](const fs::path& file) {
             ASSERT_TRUE(tavolex::Ok(tavolex::SaveBitmapFile(file, tavolex::test::Banded8(100, 50))));
         },
         "the bitmap does not have the required width and height (256 x 64 wanted)"},
        {"torn.png",
         [](const fs::path& file) {
             tavolex::test::WriteBytes(file, {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n', 0, 0, 0, 13, 'I', 'H'});
         },
         "the PNG file is damaged or cannot be read"},
    };
    for (const auto& file : files) {
        SCOPED_TRACE(file.name);
        file.write(shell.folder / file.name);
        shell.ui->paths.push_back(shell.path(file.name));
        ClickButton(page, "load");
        ASSERT_EQ(shell.ui->errors.size(), 1);
        EXPECT_EQ(shell.ui->errors[0].toStdString(),
                  std::string("Couldn't load bitmap file!\n\n") + file.name + ": " + file.reason);
        shell.ui->errors.clear();
    }
    // The hardware cockpit wants its own size.
    static_cast<GraphicsPage*>(page)->chooseVariant(tavolex::Variant::Hardware);
    shell.ui->paths.push_back(shell.path("small.bmp"));
    ClickButton(page, "load");
    ASSERT_EQ(shell.ui->errors.size(), 1);
    EXPECT_TRUE(shell.ui->errors[0].endsWith("(256 x 256 wanted)")) << shell.ui->errors[0].toStdString();
}

} // namespace
