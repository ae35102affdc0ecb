#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QToolButton>
#include <QtTest/QTest>
#include <set>

#include <gtest/gtest.h>

#include "GameSettingsFixture.h"
#include "Screenshot.h"
#include "core/ByteOrder.h"
#include "tools/CarDamageEditor.h"
#include "tools/DriverAidsEditor.h"
#include "tools/OnboardCameraEditor.h"
#include "widgets/AidIcons.h"
#include "widgets/NumberBox.h"

namespace {
using tavolex::DamageArea;

// The colour the editor shows wherever the untouched picture has region `region`.
std::set<std::uint8_t> ShownColours(const CarDamageEditor& editor, int region) {
    std::set<std::uint8_t> colours;
    for (std::size_t i = 0; i < editor.picture().size(); ++i) {
        if (editor.picture()[i] == 96 + region)
            colours.insert(editor.shownPicture()[i]);
    }
    return colours;
}

bool SameIcon(const QIcon& a, const QIcon& b) { return a.pixmap(32, 32).toImage() == b.pixmap(32, 32).toImage(); }

TEST(CarDamageEditor, ShowsOneAreaAtATimeAndColoursThePictureForIt) {
    GameSettingsShell shell;
    CarDamageEditor editor(*shell.state, *shell.ui, shell.window.get());
    editor.show();
    EXPECT_EQ(editor.windowTitle(), "Car Damage Editor");
    EXPECT_FALSE(editor.button("import")->isEnabled()) << "no game";
    EXPECT_FALSE(editor.button("export")->isEnabled());
    EXPECT_EQ(editor.area(), DamageArea::Chassis);
    EXPECT_TRUE(editor.areaButton(DamageArea::Chassis)->isChecked());
    ASSERT_EQ(editor.picture().size(), 120u * 294u);
    for (int region = 0; region < 23; ++region) {
        EXPECT_FALSE(ShownColours(editor, region).empty()) << "the picture has region " << region;
    }
    for (int part = 0; part < 22; ++part) {
        const bool chassis = part == 0 || part == 9 || part == 10 || part == 11 || part == 20 || part == 21;
        EXPECT_EQ(editor.box(part)->isVisibleTo(&editor), chassis) << part;
    }
    EXPECT_EQ(ShownColours(editor, 11), std::set<std::uint8_t>{78});
    EXPECT_EQ(ShownColours(editor, 3), std::set<std::uint8_t>{77});
    EXPECT_EQ(editor.box(0)->text(), "2");
    EXPECT_EQ(editor.box(24)->text(), "8192");
    SaveScreenshot(editor, "tavolex-car-damage-editor");

    editor.areaButton(DamageArea::Wings)->click();
    EXPECT_EQ(editor.area(), DamageArea::Wings);
    EXPECT_TRUE(editor.box(17)->isVisibleTo(&editor));
    EXPECT_FALSE(editor.box(0)->isVisibleTo(&editor));
    EXPECT_EQ(ShownColours(editor, 17), std::set<std::uint8_t>{78});
    EXPECT_EQ(ShownColours(editor, 0), std::set<std::uint8_t>{52});
    SaveScreenshot(editor, "tavolex-car-damage-editor-wings");

    // A part box with the focus shows its part; choosing the same area again changes nothing.
    GainFocus(editor.box(16));
    EXPECT_EQ(ShownColours(editor, 16), std::set<std::uint8_t>{78});
    EXPECT_EQ(ShownColours(editor, 19), std::set<std::uint8_t>{76});
    EXPECT_EQ(ShownColours(editor, 3), std::set<std::uint8_t>{51});
    const auto partShown = editor.shownPicture();
    editor.chooseArea(DamageArea::Wings);
    EXPECT_EQ(editor.shownPicture(), partShown);
    GainFocus(editor.box(22));
    for (int region = 0; region < 23; ++region) EXPECT_EQ(ShownColours(editor, region), std::set<std::uint8_t>{51});
    editor.chooseArea(DamageArea::Wheels);
    EXPECT_TRUE(editor.box(13)->isVisibleTo(&editor));
    EXPECT_EQ(ShownColours(editor, 13), std::set<std::uint8_t>{78});
    SaveScreenshot(editor, "tavolex-car-damage-editor-wheels");
}

TEST(CarDamageEditor, TypedValuesStopAtTheirLimitsAndDefaultsWorkWithoutAGame) {
    GameSettingsShell shell;
    shell.useGame(tavolex::ExeStatus::Unreadable);
    CarDamageEditor editor(*shell.state, *shell.ui, shell.window.get());
    EXPECT_FALSE(editor.button("import")->isEnabled()) << "an executable that cannot be read";
    EXPECT_FALSE(editor.button("export")->isEnabled());
    EXPECT_TRUE(editor.button("defaults")->isEnabled());
    const std::pair<int, const char*> typed[] = {{0, "70000"}, {22, "40000"}, {23, "300"}};
    const std::pair<int, const char*> shown[] = {{0, "65535"}, {22, "32767"}, {23, "255"}};
    for (const auto& [index, text] : typed) {
        editor.box(index)->selectAll();
        QTest::keyClicks(editor.box(index), text);
    }
    EXPECT_EQ(editor.record()[0], 65535);
    EXPECT_EQ(editor.record()[22], 32767);
    EXPECT_EQ(editor.record()[23], 255);
    for (const auto& [index, text] : shown) {
        LoseFocus(editor.box(index));
        EXPECT_EQ(editor.box(index)->text(), text);
    }
    QTest::mouseClick(editor.button("defaults"), Qt::LeftButton);
    EXPECT_EQ(editor.record(), tavolex::DefaultDamage());
    EXPECT_EQ(editor.box(23)->text(), "16");
}

TEST(CarDamageEditor, ExportsAndImportsTheGamesValues) {
    GameSettingsShell shell;
    shell.useGame();
    CarDamageEditor editor(*shell.state, *shell.ui, shell.window.get());
    ASSERT_TRUE(editor.button("import")->isEnabled());
    editor.box(5)->selectAll();
    QTest::keyClicks(editor.box(5), "1234"); // typed into a hidden box: still taken
    QTest::mouseClick(editor.button("export"), Qt::LeftButton);
    EXPECT_EQ(shell.ui->informations.back(), "File Patched Successfully!");
    auto exe = shell.exe();
    EXPECT_EQ(tavolex::ReadU16(exe.data() + 0x13FC79), 2);
    EXPECT_EQ(tavolex::ReadU16(exe.data() + 0x13FC8C), 1234);
    EXPECT_EQ(tavolex::ReadU16(exe.data() + 0x13EE10), 8192);

    tavolex::WriteU16(exe.data() + 0x13EE0E, 40000);
    tavolex::WriteU16(exe.data() + 0x13FCCD, 60000);
    shell.setExe(exe);
    QTest::mouseClick(editor.button("import"), Qt::LeftButton);
    EXPECT_EQ(editor.box(22)->text(), "32767");
    EXPECT_EQ(editor.box(21)->text(), "60000");

    // A cut executable: the message, and the values stay.
    exe.resize(0x13FCCD);
    shell.setExe(exe);
    QTest::mouseClick(editor.button("import"), Qt::LeftButton);
    EXPECT_EQ(shell.ui->errors.back(), "Failed to read data from Grand Prix 3 files!");
    EXPECT_EQ(editor.record()[21], 60000);
}

TEST(DriverAidsEditor, TogglesShowTheDimmedIconAndMakeTheMasks) {
    GameSettingsShell shell;
    DriverAidsEditor editor(*shell.state, *shell.ui, shell.window.get());
    editor.show();
    EXPECT_EQ(editor.windowTitle(), "Driver Aids Editor");
    EXPECT_FALSE(editor.button("import")->isEnabled());
    EXPECT_FALSE(editor.button("export")->isEnabled());
    EXPECT_EQ(editor.masks(), tavolex::DefaultDriverAids());
    for (int aid = 0; aid < 8; ++aid) {
        EXPECT_FALSE(editor.cell(0, aid)->isChecked()) << "a rookie has every aid";
        EXPECT_TRUE(SameIcon(editor.cell(0, aid)->icon(), icons::DriverAid(aid, true)));
    }
    // Ace: Auto Gears, Throttle Help, Steering Help.
    EXPECT_FALSE(editor.cell(4, 1)->isChecked());
    EXPECT_TRUE(editor.cell(4, 0)->isChecked());
    EXPECT_TRUE(SameIcon(editor.cell(4, 0)->icon(), icons::DriverAid(0, false)));
    EXPECT_FALSE(SameIcon(icons::DriverAid(0, false), icons::DriverAid(0, true)));
    SaveScreenshot(editor, "tavolex-driver-aids-editor");

    QTest::mouseClick(editor.cell(0, 0), Qt::LeftButton);
    EXPECT_TRUE(editor.cell(0, 0)->isChecked());
    EXPECT_TRUE(SameIcon(editor.cell(0, 0)->icon(), icons::DriverAid(0, false)));
    EXPECT_EQ(editor.masks()[0], 830);
    QTest::mouseClick(editor.cell(4, 4), Qt::LeftButton); // Show Best Line for an ace
    EXPECT_EQ(editor.masks()[4], 50 + 0x100);
    QTest::mouseClick(editor.button("defaults"), Qt::LeftButton);
    EXPECT_EQ(editor.masks(), tavolex::DefaultDriverAids());

    // The sixteen icons side by side, large, to look at.
    QWidget sheet;
    sheet.setFixedSize(8 * 52, 2 * 52);
    for (int aid = 0; aid < 8; ++aid) {
        for (int dimmed = 0; dimmed < 2; ++dimmed) {
            auto* label = new QLabel(&sheet);
            label->setPixmap(icons::DriverAid(aid, dimmed == 0).pixmap(48, 48));
            label->setGeometry(aid * 52 + 2, dimmed * 52 + 2, 48, 48);
        }
    }
    SaveScreenshot(sheet, "tavolex-driver-aid-icons");
}

TEST(DriverAidsEditor, ImportsMasksStoredPlus64AndExportsThem) {
    GameSettingsShell shell;
    shell.useGame();
    auto exe = shell.exe();
    const std::uint16_t stored[] = {64 + 831, 64, 64 + 0x32, 64 + 0x200, 64 + 0x23E};
    for (int level = 0; level < 5; ++level) tavolex::WriteU16(exe.data() + 0x722C18 + 2 * level, stored[level]);
    shell.setExe(exe);
    DriverAidsEditor editor(*shell.state, *shell.ui, shell.window.get());
    QTest::mouseClick(editor.button("import"), Qt::LeftButton);
    EXPECT_EQ(editor.masks(), (tavolex::DriverAidMasks{831, 0, 0x32, 0x200, 0x23E})) << "64 is kept and is no aid";
    QTest::mouseClick(editor.cell(1, 7), Qt::LeftButton);
    QTest::mouseClick(editor.button("export"), Qt::LeftButton);
    EXPECT_EQ(shell.ui->informations.back(), "File Patched Successfully!");
    exe = shell.exe();
    EXPECT_EQ(tavolex::ReadU16(exe.data() + 0x722C18), 64 + 831);
    EXPECT_EQ(tavolex::ReadU16(exe.data() + 0x722C1A), 64 + 0x20);
}

TEST(OnboardCameraEditor, ShowsCameraOneAndKeepsTheCameraOnABadBox) {
    GameSettingsShell shell;
    OnboardCameraEditor editor(*shell.state, *shell.ui, shell.window.get());
    editor.show();
    EXPECT_EQ(editor.windowTitle(), "Onboard Camera Editor");
    EXPECT_FALSE(editor.button("import")->isEnabled());
    EXPECT_EQ(editor.cameraButton(0)->text(), "Camera [01]");
    EXPECT_EQ(editor.cameraButton(8)->text(), "Camera [09]");
    EXPECT_TRUE(editor.cameraButton(0)->isChecked());
    EXPECT_EQ(editor.box(2)->text(), "192") << "Y";
    EXPECT_EQ(editor.box(3)->text(), "-180");
    EXPECT_EQ(editor.box(6)->text(), "-32768");
    EXPECT_EQ(editor.box(3)->maxLength(), 4);
    EXPECT_EQ(editor.box(0)->maxLength(), 6);
    SaveScreenshot(editor, "tavolex-onboard-camera-editor");

    editor.box(4)->setText("200");
    QTest::mouseClick(editor.cameraButton(1), Qt::LeftButton);
    EXPECT_EQ(shell.ui->errors.back(), "Angle: -180 to 180.");
    EXPECT_EQ(editor.shownCamera(), 0);
    EXPECT_TRUE(editor.cameraButton(0)->isChecked());
    EXPECT_FALSE(editor.cameraButton(1)->isChecked());
    editor.box(4)->setText("12");
    editor.box(0)->setText("abc");
    QTest::mouseClick(editor.cameraButton(1), Qt::LeftButton);
    EXPECT_EQ(shell.ui->errors.back(), "Coordinate: -32768 to 32767.");
    editor.box(0)->setText("");
    editor.box(9)->setText("40000");
    QTest::mouseClick(editor.cameraButton(1), Qt::LeftButton);
    EXPECT_EQ(shell.ui->errors.back(), "Value : -32768 to 32767.");
    EXPECT_EQ(editor.box(0)->text(), "0") << "an empty box becomes 0";
    editor.box(9)->setText("-7");
    const auto errors = shell.ui->errors.size();
    QTest::mouseClick(editor.cameraButton(1), Qt::LeftButton);
    EXPECT_EQ(shell.ui->errors.size(), errors);
    EXPECT_EQ(editor.shownCamera(), 1);
    EXPECT_EQ(editor.record()[0][4], 12);
    EXPECT_EQ(editor.record()[0][9], -7);
    EXPECT_EQ(editor.box(0)->text(), "80") << "camera 2's X";
}

TEST(OnboardCameraEditor, SteppersStayInRangeAndExportConvertsTheAngles) {
    GameSettingsShell shell;
    shell.useGame();
    OnboardCameraEditor editor(*shell.state, *shell.ui, shell.window.get());
    editor.box(5)->setText("180");
    editor.stepper(5)->triggerAction(QAbstractSlider::SliderSingleStepSub);
    EXPECT_EQ(editor.box(5)->text(), "180") << "Roll stays at 180";
    editor.stepper(5)->triggerAction(QAbstractSlider::SliderPageStepAdd);
    EXPECT_EQ(editor.box(5)->text(), "179");
    editor.stepper(1)->triggerAction(QAbstractSlider::SliderSingleStepSub);
    EXPECT_EQ(editor.box(1)->text(), "37");
    editor.stepper(1)->triggerAction(QAbstractSlider::SliderToMaximum);
    EXPECT_EQ(editor.box(1)->text(), "37") << "other scroll actions do nothing";

    editor.box(4)->setText("90");
    QTest::mouseClick(editor.button("export"), Qt::LeftButton);
    EXPECT_EQ(shell.ui->informations.back(), "File Patched Successfully!");
    auto exe = shell.exe();
    const std::uint8_t* camera1 = exe.data() + 0x79E59E;
    EXPECT_EQ(tavolex::ReadU16(camera1 + 2), 37);
    EXPECT_EQ(tavolex::ReadU16(camera1 + 6), 0x8001) << "-180 degrees";
    EXPECT_EQ(tavolex::ReadU16(camera1 + 8), 16384) << "90 degrees";
    EXPECT_EQ(tavolex::ReadU16(camera1 + 10), 32585) << "179 degrees";

    tavolex::WriteU16(exe.data() + 0x79E59E + 2 * 13, 32767);
    shell.setExe(exe);
    QTest::mouseClick(editor.button("defaults"), Qt::LeftButton);
    EXPECT_EQ(editor.box(4)->text(), "0");
    QTest::mouseClick(editor.button("import"), Qt::LeftButton);
    EXPECT_EQ(editor.box(4)->text(), "90");
    QTest::mouseClick(editor.cameraButton(1), Qt::LeftButton);
    EXPECT_EQ(editor.box(3)->text(), "180");

    // A bad box: nothing is written.
    editor.box(3)->setText("-181");
    QTest::mouseClick(editor.button("export"), Qt::LeftButton);
    EXPECT_EQ(shell.ui->errors.back(), "Angle: -180 to 180.");
    EXPECT_EQ(shell.exe(), exe);
}

TEST(ToolsMenu, OpensTheThreeEditors) {
    GameSettingsShell shell;
    for (const auto& [action, title] :
         {std::pair{"damage", "Car Damage Editor"}, std::pair{"aids", "Driver Aids Editor"},
          std::pair{"cameras", "Onboard Camera Editor"}}) {
        QString shown;
        WhenModal([&shown](QWidget* modal) {
            shown = modal->windowTitle();
            modal->close();
        });
        shell.window->action(action)->trigger();
        EXPECT_EQ(shown, title);
    }
    EXPECT_TRUE(shell.ui->informations.isEmpty()) << "no \"not available\" message any more";
}

} // namespace
