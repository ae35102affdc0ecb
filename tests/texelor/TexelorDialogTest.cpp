// The viewer's window driven as a user would, with the file dialogs and
// message boxes answered by a test double.

#include <cerrno>
#include <deque>

#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QTimer>
#include <QtTest/QTest>

#include <gtest/gtest.h>

#include "AboutDialog.h"
#include "Screenshot.h"
#include "TestSupport.h"
#include "TexelorDialog.h"
#include "TexelorFixtures.h"
#include "TexelorUi.h"
#include "WriteFaultMatrix.h"
#include "formats/BitmapFile.h"
#include "formats/HardwareJam.h"

using namespace texelor;

namespace {
using tavolex::test::ReadBytes;
using tavolex::test::ScratchFolder;
using tavolex::test::WriteBytes;
namespace fs = std::filesystem;

struct DialogCall {
    QString kind; // "open" or "save"
    QString folder;
    QString defaultName;
    QString filter;
};

// Answers each file dialog with the next queued path ("" cancels) and keeps
// every message instead of showing it.
class FakeUi final : public TexelorUi {
  public:
    std::deque<QString> answers;
    std::vector<DialogCall> calls;
    QStringList messages;
    QStringList replaceQuestions; // the files asked about
    bool replaceAnswer = true;

    QString openFile(QWidget*, const QString& folder, const QString& filter) override {
        calls.push_back({"open", folder, {}, filter});
        return next();
    }
    QString saveFile(QWidget*, const QString& folder, const QString& defaultName, const QString& filter) override {
        calls.push_back({"save", folder, defaultName, filter});
        return next();
    }
    bool confirmReplace(QWidget*, const QString& path) override {
        replaceQuestions << path;
        return replaceAnswer;
    }
    void warn(QWidget*, const QString& text) override { messages << text; }

  private:
    QString next() {
        if (answers.empty()) {
            return {};
        }
        QString answer = answers.front();
        answers.pop_front();
        return answer;
    }
};

QString Q(const fs::path& path) { return QString::fromStdString(path.string()); }

class TexelorDialogTest : public ::testing::Test {
  protected:
    void click(QPushButton* button, QString answer = {}) {
        if (!answer.isNull()) {
            ui.answers.push_back(answer);
        }
        QTest::mouseClick(button, Qt::LeftButton);
    }

    ScratchFolder folder;
    FakeUi ui;
    TexelorDialog dialog{ui};
};

TEST_F(TexelorDialogTest, StartsWithOnlyLoadEnabled) {
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), "Texelor");
    EXPECT_EQ(dialog.loadButton()->text(), "Load JAM");
    EXPECT_EQ(dialog.saveButton()->text(), "Save JAM");
    EXPECT_EQ(dialog.exportButton()->text(), "Export Bitmap");
    EXPECT_EQ(dialog.importButton()->text(), "Import Bitmap");
    EXPECT_TRUE(dialog.loadButton()->isEnabled());
    EXPECT_FALSE(dialog.saveButton()->isEnabled());
    EXPECT_FALSE(dialog.exportButton()->isEnabled());
    EXPECT_FALSE(dialog.importButton()->isEnabled());
    const auto boxes = dialog.findChildren<QGroupBox*>();
    ASSERT_EQ(boxes.size(), 2);
    EXPECT_TRUE(boxes[0]->title().isEmpty());
    SaveScreenshot(dialog, "texelor-empty");
}

TEST_F(TexelorDialogTest, LoadShowsTheTextureAndEnablesTheRest) {
    WriteBytes(folder / "WILLIA98.JAM", texelor::test::MakeJam(384));
    dialog.show();
    click(dialog.loadButton(), Q(folder / "WILLIA98.JAM"));
    ASSERT_TRUE(ui.messages.isEmpty()) << ui.messages.join("|").toStdString();
    EXPECT_EQ(ui.calls.back().filter, "Jam Files (*.jam)");
    EXPECT_TRUE(ui.calls.back().folder.isEmpty()) << "no folder remembered at start";
    EXPECT_TRUE(dialog.saveButton()->isEnabled());
    EXPECT_TRUE(dialog.exportButton()->isEnabled());
    EXPECT_TRUE(dialog.importButton()->isEnabled());
    const QPixmap shown = dialog.picture()->pixmap();
    ASSERT_EQ(shown.size(), QSize(256, 384));
    const QImage image = shown.toImage();
    const auto expected = texelor::test::ExpectedPixels(384);
    EXPECT_EQ(image.pixel(0, 0) & 0xFFFFFF, expected[0]);
    EXPECT_EQ(image.pixel(200, 300) & 0xFFFFFF, expected[300 * 256 + 200]);
    SaveScreenshot(dialog, "texelor-loaded");

    // Cancelling a dialog changes nothing.
    click(dialog.loadButton(), "");
    EXPECT_TRUE(ui.messages.isEmpty());
    EXPECT_EQ(ui.calls.back().folder, Q(folder.path())) << "the JAM folder is remembered";
}

TEST_F(TexelorDialogTest, FailedLoadsSayWhyAndKeepTheButtonsEnabled) {
    auto jam = texelor::test::MakeJam(16);
    WriteBytes(folder / "good.jam", jam);
    jam.push_back(0);
    WriteBytes(folder / "appended.jam", jam);
    WriteBytes(folder / "text.jam", {'h', 'e', 'l', 'l', 'o'});
    dialog.show();

    click(dialog.loadButton(), Q(folder / "text.jam"));
    ASSERT_EQ(ui.messages.size(), 1);
    EXPECT_EQ(ui.messages[0], "File is not a recognised 16 bit JAM file.\n\nLoad aborted.");
    EXPECT_FALSE(dialog.saveButton()->isEnabled());

    click(dialog.loadButton(), Q(folder / "good.jam"));
    click(dialog.loadButton(), Q(folder / "appended.jam"));
    ASSERT_EQ(ui.messages.size(), 2);
    EXPECT_EQ(ui.messages[1], "Cannot interpret image data.\n\nLoad aborted.");
    EXPECT_TRUE(dialog.saveButton()->isEnabled());
    EXPECT_TRUE(dialog.exportButton()->isEnabled());
    EXPECT_TRUE(dialog.importButton()->isEnabled());

    // Nothing is loaded now: each action says so, and nothing is written.
    click(dialog.importButton(), Q(folder / "any.bmp"));
    EXPECT_EQ(ui.messages.back(), "JAM not loaded.\n\nImport aborted.");
    click(dialog.exportButton(), Q(folder / "out.bmp"));
    EXPECT_EQ(ui.messages.back(), "An error occured saving the bitmap.");
    click(dialog.saveButton(), Q(folder / "out.jam"));
    EXPECT_EQ(ui.messages.back(), "JAM not loaded.\n\nSave aborted.");
    EXPECT_FALSE(fs::exists(folder / "out.bmp"));
    EXPECT_FALSE(fs::exists(folder / "out.jam"));
}

TEST_F(TexelorDialogTest, RoundTripThroughExportImportAndSave) {
    fs::create_directories(folder / "jams");
    fs::create_directories(folder / "bitmaps");
    WriteBytes(folder / "jams/FERRAR98.JAM", texelor::test::MakeJam(384, 3, 2));
    dialog.show();
    click(dialog.loadButton(), Q(folder / "jams/FERRAR98.JAM"));

    click(dialog.exportButton(), Q(folder / "bitmaps/FERRAR98.bmp"));
    const DialogCall exportCall = ui.calls.back();
    EXPECT_EQ(exportCall.kind, "save");
    EXPECT_EQ(exportCall.defaultName, "FERRAR98.bmp");
    EXPECT_EQ(exportCall.filter, "Bitmap Files (*.bmp);;PNG Files (*.png)");
    EXPECT_TRUE(exportCall.folder.isEmpty()) << "the bitmap folder is separate from the JAM folder";

    click(dialog.importButton(), Q(folder / "bitmaps/FERRAR98.bmp"));
    EXPECT_EQ(ui.calls.back().folder, Q(folder / "bitmaps"));
    EXPECT_EQ(ui.calls.back().filter, "Pictures (*.bmp *.png);;Bitmap Files (*.bmp);;PNG Files (*.png)");

    click(dialog.saveButton(), Q(folder / "jams/NEW.JAM"));
    const DialogCall saveCall = ui.calls.back();
    EXPECT_EQ(saveCall.defaultName, "FERRAR98.JAM") << "the loaded file's own name";
    EXPECT_EQ(saveCall.folder, Q(folder / "jams"));
    ASSERT_TRUE(ui.messages.isEmpty()) << ui.messages.join("|").toStdString();

    tavolex::PackedBitmap read;
    ASSERT_TRUE(tavolex::Ok(tavolex::ReadHardwareJam(folder / "jams/NEW.JAM", 384, 3, read)));
    EXPECT_EQ(texelor::test::PixelsOf(read), texelor::test::ExpectedPixels(384, 2));
    EXPECT_EQ(fs::status(folder / "jams/NEW.JAM").permissions() & fs::perms::owner_write, fs::perms::none);

    // The next save offers the name it was last saved under.
    click(dialog.saveButton(), "");
    EXPECT_EQ(ui.calls.back().defaultName, "NEW.JAM");
}

TEST_F(TexelorDialogTest, SaveJamReplacesTheLoadedFileInsteadOfAddingOneBesideIt) {
    WriteBytes(folder / "WILLIA98.JAM", texelor::test::MakeJam(16, 1, 1));
    WriteBytes(folder / "other.jam", texelor::test::MakeJam(16, 1, 2));
    auto files = [&] {
        QStringList names;
        for (const auto& entry : fs::directory_iterator(folder.path())) names << Q(entry.path().filename());
        names.sort();
        return names;
    };
    dialog.show();
    click(dialog.loadButton(), Q(folder / "WILLIA98.JAM"));

    // The proposed name, accepted as it is: the same file, after asking.
    click(dialog.saveButton(), Q(folder / "WILLIA98.JAM"));
    EXPECT_EQ(ui.calls.back().defaultName, "WILLIA98.JAM");
    EXPECT_EQ(ui.replaceQuestions, QStringList{Q(folder / "WILLIA98.JAM")});
    EXPECT_EQ(files(), (QStringList{"WILLIA98.JAM", "other.jam"}));

    // A name typed without an extension takes the existing file's spelling.
    click(dialog.saveButton(), Q(folder / "willia98"));
    EXPECT_EQ(ui.replaceQuestions.size(), 2);
    EXPECT_EQ(ui.replaceQuestions.back(), Q(folder / "WILLIA98.JAM"));
    EXPECT_EQ(files(), (QStringList{"WILLIA98.JAM", "other.jam"})) << "no second file beside the first";

    // A new name gets the extension; one typed with any extension is kept.
    click(dialog.saveButton(), Q(folder / "fresh"));
    click(dialog.saveButton(), Q(folder / "copy.tex"));
    EXPECT_EQ(files(), (QStringList{"WILLIA98.JAM", "copy.tex", "fresh.jam", "other.jam"}));
    EXPECT_EQ(ui.replaceQuestions.size(), 2) << "new files need no question";

    // No to the question writes nothing.
    ui.replaceAnswer = false;
    const auto before = tavolex::test::ReadBytes(folder / "other.jam");
    click(dialog.saveButton(), Q(folder / "OTHER"));
    EXPECT_EQ(ui.replaceQuestions.back(), Q(folder / "other.jam"));
    EXPECT_EQ(tavolex::test::ReadBytes(folder / "other.jam"), before);
    EXPECT_TRUE(ui.messages.isEmpty()) << ui.messages.join("|").toStdString();
}

// A disk that fails at any step of a save or an export: the viewer's message,
// and the file that was there before is still there, whole.
TEST_F(TexelorDialogTest, FailedWritesSayWhyAndKeepTheOldFiles) {
    WriteBytes(folder / "FERRAR98.JAM", texelor::test::MakeJam(384, 3, 2));
    WriteBytes(folder / "old.bmp", {'o', 'l', 'd'});
    WriteBytes(folder / "old.jam", {'o', 'l', 'd'});
    dialog.show();
    click(dialog.loadButton(), Q(folder / "FERRAR98.JAM"));
    for (tavolex::WriteStep step : tavolex::kWriteSteps) {
        SCOPED_TRACE(tavolex::WriteStepName(step));
        {
            tavolex::test::ArmedWriteFault fault({step, 1, ENOSPC});
            click(dialog.exportButton(), Q(folder / "old.bmp"));
        }
        {
            tavolex::test::ArmedWriteFault fault({step, 1, EIO});
            click(dialog.saveButton(), Q(folder / "old.jam"));
        }
        EXPECT_EQ(ui.messages, (QStringList{"An error occured saving the bitmap.",
                                            "An error occured saving the JAM file.\n\nSave aborted."}));
        ui.messages.clear();
        EXPECT_EQ(ReadBytes(folder / "old.bmp"), (std::vector<std::uint8_t>{'o', 'l', 'd'}));
        EXPECT_EQ(ReadBytes(folder / "old.jam"), (std::vector<std::uint8_t>{'o', 'l', 'd'}));
        EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), {}), 3);
    }
}

TEST_F(TexelorDialogTest, RefusedBitmapsLeaveThePictureAlone) {
    WriteBytes(folder / "a.jam", texelor::test::MakeJam(16));
    ASSERT_TRUE(tavolex::Ok(tavolex::SaveBitmapFile(folder / "8bit.bmp", tavolex::test::Banded8(256, 16))));
    ASSERT_TRUE(tavolex::Ok(tavolex::SaveBitmapFile(folder / "255.bmp", tavolex::test::PhotoLike24(255, 16))));
    dialog.show();
    click(dialog.loadButton(), Q(folder / "a.jam"));
    const QImage before = dialog.picture()->pixmap().toImage();
    click(dialog.importButton(), Q(folder / "8bit.bmp"));
    EXPECT_EQ(ui.messages.back(), "Bitmap file cannot be loaded, or is not 24 bit.\n\nImport aborted.");
    click(dialog.importButton(), Q(folder / "255.bmp"));
    EXPECT_EQ(ui.messages.back(), "Bitmap is the wrong size for this JAM\n\nImport aborted.");
    EXPECT_EQ(dialog.picture()->pixmap().toImage(), before);
}

TEST_F(TexelorDialogTest, AboutBoxShowsTheVersion) {
    dialog.show();
    QAction* about = dialog.findChild<QAction*>("aboutAction");
    ASSERT_NE(about, nullptr);
    EXPECT_EQ(about->text(), "&About Texelor");
    QString title;
    QString text;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<AboutDialog*>(QApplication::activeModalWidget());
        if (box != nullptr) {
            title = box->windowTitle();
            text = box->findChild<QLabel*>("aboutText")->text();
            SaveScreenshot(*box, "texelor-about");
            box->reject();
        }
    });
    about->trigger();
    EXPECT_EQ(title, "About Texelor");
    EXPECT_EQ(text, "Texelor Version Beta 1.0");
}

} // namespace
