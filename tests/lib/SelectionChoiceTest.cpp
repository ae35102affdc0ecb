#include <gtest/gtest.h>

#include "TestSupport.h"

#include "document/LazyGraphics.h"
#include "transfer/GameSelection.h"
#include "transfer/SelectionChoice.h"

namespace tavolex {
namespace {

using test::NewSet;

// Every graphics slot of the car set taken from the game.
void AllFromGame(CarSet& carSet) {
    for (const GraphicItemRun& run : GraphicItemRuns()) {
        for (int slot = 0; slot < run.count; ++slot) {
            SetSlotFromGame(carSet, run.kind, slot, run.variant);
        }
    }
}

TEST(SelectionChoiceTest, ImportPreselectsEverythingButTheGamesOwnPictures) {
    CarSet carSet = NewSet();
    SetSlotFromGame(carSet, GraphicKind::Cockpit, 4, Variant::Hardware);
    SelectionChoice choice(SelectionMode::Import, carSet);
    for (int id : AllItems()) {
        EXPECT_TRUE(choice.preselection().has(id)) << id;
        const bool gameOwn = id == item::kCockpitHardware + 4;
        EXPECT_EQ(choice.enabled(id), !gameOwn) << id;
        EXPECT_EQ(choice.checked(id), !gameOwn) << id;
    }
    EXPECT_EQ(choice.caption(item::kCockpitHardware + 4), "");
    // A group with one box disabled and the rest checked counts as all checked.
    EXPECT_EQ(choice.quickState(QuickGroup::CockpitsHardware), QuickState::Checked);
    EXPECT_FALSE(choice.confirmed().has(item::kCockpitHardware + 4));
    EXPECT_TRUE(choice.confirmed().has(item::kMiscSettings));
}

TEST(SelectionChoiceTest, WithEveryPictureFromTheGameOnlyTheDataIsOffered) {
    CarSet carSet = NewSet();
    AllFromGame(carSet);
    SelectionChoice choice(SelectionMode::Import, carSet);
    for (int g = 0; g < kQuickGroupCount; ++g) {
        const auto group = static_cast<QuickGroup>(g);
        const bool data = group == QuickGroup::TeamDriverData;
        EXPECT_EQ(choice.quickEnabled(group), data) << g;
        EXPECT_EQ(choice.quickState(group), data ? QuickState::Checked : QuickState::Unchecked) << g;
    }
    // Helmets are loaded, never taken as the game's own: they stay offered.
    EXPECT_TRUE(choice.enabled(item::kHelmetsSoftware));
    EXPECT_FALSE(choice.enabled(item::kTread + 1));
    EXPECT_FALSE(choice.enabled(item::kPitBoxesSoftware));
    choice.clickQuick(QuickGroup::CarsHardware); // disabled: nothing happens
    EXPECT_FALSE(choice.checked(item::kCarHardware));
}

TEST(SelectionChoiceTest, ExportOffersWhatTheCarSetHoldsAndNotTheGamesOwn) {
    CarSet carSet = NewSet();
    SetSlotFromFile(carSet, GraphicKind::CarLivery, 2, Variant::Software, "/x/car.bmp");
    SetSlotFromGame(carSet, GraphicKind::CarLivery, 3, Variant::Software);
    SetSlotFromFile(carSet, GraphicKind::MenuArtwork, 10, Variant::Hardware, "/x/art.bmp");
    carSet.helmetFlags[1] = 1;
    SelectionChoice choice(SelectionMode::Export, carSet);

    EXPECT_TRUE(choice.enabled(item::kCarSoftware + 2));
    EXPECT_TRUE(choice.checked(item::kCarSoftware + 2));
    EXPECT_TRUE(choice.preselection().has(item::kCarSoftware + 3)); // preselected, yet never written back
    EXPECT_FALSE(choice.enabled(item::kCarSoftware + 3));
    EXPECT_FALSE(choice.checked(item::kCarSoftware + 3));
    EXPECT_FALSE(choice.enabled(item::kCarSoftware + 4)); // empty
    EXPECT_TRUE(choice.enabled(item::kHelmetsHardware));
    EXPECT_FALSE(choice.enabled(item::kHelmetsSoftware));
    for (int id = item::kFirstData; id <= item::kLastData; ++id) {
        EXPECT_TRUE(choice.checked(id)) << id;
    }
    EXPECT_EQ(choice.caption(item::kCarSoftware + 2), "S");
    EXPECT_EQ(choice.caption(item::kArtwork + 10), "11");
    EXPECT_EQ(choice.caption(item::kHelmetsHardware), "H");
    EXPECT_EQ(choice.caption(item::kCarSoftware + 4), "");
    EXPECT_FALSE(choice.quickEnabled(QuickGroup::CarsHardware));
    EXPECT_EQ(choice.quickState(QuickGroup::CarsSoftware), QuickState::Checked);
}

TEST(SelectionChoiceTest, CaptionsOfTheTyreRows) {
    const SelectionChoice choice(SelectionMode::Import, NewSet());
    EXPECT_EQ(choice.caption(item::kTyreSoftware + 1), "S / H");
    EXPECT_EQ(choice.caption(item::kTyreHardware + 1), "H");
    EXPECT_EQ(choice.caption(item::kTread), "T");
    EXPECT_EQ(choice.caption(item::kPitCrewSoftware), "S");
    EXPECT_EQ(choice.caption(item::kPitCrewHardware), "H");
    EXPECT_EQ(choice.caption(item::kArtwork), "1");
    EXPECT_EQ(choice.caption(item::kDriverNames), "");
}

TEST(SelectionChoiceTest, QuickSelectCyclesAndRestoresThePreselection) {
    CarSet carSet = NewSet();
    for (int team : {0, 1, 2}) {
        SetSlotFromFile(carSet, GraphicKind::Cockpit, team, Variant::Hardware, "/x/c.bmp");
    }
    SelectionChoice choice(SelectionMode::Export, carSet);
    // Import-like full group: unchecking one box leaves it mixed.
    choice.clickItem(item::kCockpitHardware + 1);
    EXPECT_EQ(choice.quickState(QuickGroup::CockpitsHardware), QuickState::Indeterminate);
    // A mixed group is completed by a click...
    choice.clickQuick(QuickGroup::CockpitsHardware);
    EXPECT_EQ(choice.quickState(QuickGroup::CockpitsHardware), QuickState::Checked);
    EXPECT_TRUE(choice.checked(item::kCockpitHardware + 1));
    // ...then the cycle goes on: indeterminate restores the preselection,
    // which here is every usable box, yet the box shows what the click chose.
    choice.clickQuick(QuickGroup::CockpitsHardware);
    EXPECT_EQ(choice.quickState(QuickGroup::CockpitsHardware), QuickState::Indeterminate);
    for (int team : {0, 1, 2}) {
        EXPECT_TRUE(choice.checked(item::kCockpitHardware + team));
    }
    choice.clickQuick(QuickGroup::CockpitsHardware);
    EXPECT_EQ(choice.quickState(QuickGroup::CockpitsHardware), QuickState::Unchecked);
    for (int team : {0, 1, 2}) {
        EXPECT_FALSE(choice.checked(item::kCockpitHardware + team));
    }
    choice.clickQuick(QuickGroup::CockpitsHardware);
    EXPECT_EQ(choice.quickState(QuickGroup::CockpitsHardware), QuickState::Checked);
    // Disabled boxes are never checked by a quick select.
    EXPECT_FALSE(choice.checked(item::kCockpitHardware + 3));
    // Item clicks bring the box up to date again.
    for (int team : {0, 1, 2}) {
        choice.clickItem(item::kCockpitHardware + team);
    }
    EXPECT_EQ(choice.quickState(QuickGroup::CockpitsHardware), QuickState::Unchecked);
}

TEST(SelectionChoiceTest, TheDataGroupCyclesFromChecked) {
    CarSet carSet = NewSet();
    SelectionChoice choice(SelectionMode::Import, carSet);
    // The data group: clear it, check it, then indeterminate brings back the preselection (all).
    choice.clickQuick(QuickGroup::TeamDriverData); // checked -> indeterminate
    EXPECT_EQ(choice.quickState(QuickGroup::TeamDriverData), QuickState::Indeterminate);
    EXPECT_TRUE(choice.checked(item::kCarNumbers));
    choice.clickQuick(QuickGroup::TeamDriverData);
    EXPECT_FALSE(choice.checked(item::kCarNumbers));
    EXPECT_EQ(choice.confirmed(), [&] {
        SelectionRecord all = DefaultSelection(SelectionMode::Import, carSet);
        for (int id = item::kFirstData; id <= item::kLastData; ++id) {
            all.set(id, false);
        }
        return all;
    }());
}

TEST(SelectionChoiceTest, UsableSelectionDropsBoxesTheDialogWouldNotOffer) {
    CarSet carSet = NewSet();
    SetSlotFromFile(carSet, GraphicKind::CarLivery, 0, Variant::Hardware, "/x/car.bmp");
    SelectionRecord wanted;
    wanted.set(item::kCarHardware, true);
    wanted.set(item::kCarHardware + 1, true); // empty
    wanted.set(item::kDriverNames, true);
    const SelectionRecord usable = UsableSelection(SelectionMode::Export, carSet, wanted);
    EXPECT_TRUE(usable.has(item::kCarHardware));
    EXPECT_FALSE(usable.has(item::kCarHardware + 1));
    EXPECT_TRUE(usable.has(item::kDriverNames));
    EXPECT_FALSE(usable.has(item::kCarNumbers));
}

TEST(GameSelectionTest, ItemListsAndTheTeamDataMask) {
    std::string problem;
    const auto parsed = ParseItemList("100-110,800-808,211", problem);
    ASSERT_TRUE(parsed) << problem;
    EXPECT_TRUE(parsed->has(105));
    EXPECT_TRUE(parsed->has(211));
    EXPECT_FALSE(parsed->has(111));
    EXPECT_FALSE(parsed->has(809));
    EXPECT_EQ(TeamDataMask(*parsed), 0x1FBFu); // no item takes 0x0040

    for (const char* bad : {"", "100,", "abc", "110-100", "100-115", "999", "-5", "100--110", "1e3"}) {
        EXPECT_FALSE(ParseItemList(bad, problem)) << bad;
        EXPECT_FALSE(problem.empty());
    }
    EXPECT_FALSE(ParseItemList("100-2000000000", problem)); // stops at the first unknown number
    EXPECT_NE(problem.find("115"), std::string::npos);

    SelectionRecord names;
    names.set(item::kTeamEngineNames, true);
    names.set(item::kCarNumberPositions, true);
    EXPECT_EQ(TeamDataMask(names), 0x0006u);
    const auto graphic = GraphicItemOf(item::kPitCrewSoftware + 3);
    ASSERT_TRUE(graphic);
    EXPECT_EQ(graphic->kind, GraphicKind::PitCrew);
    EXPECT_EQ(graphic->slot, 3);
    EXPECT_EQ(graphic->variant, Variant::Software);
    EXPECT_EQ(AllItems().size(), 22u + 2 + 6 + 22 + 22 + 2 + 11 + 11);
}

} // namespace
} // namespace tavolex
