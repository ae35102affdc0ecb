#include <QTabBar>

#include <gtest/gtest.h>

#include <array>
#include <string>

#include "ShellFixture.h"
#include "app/RunChoice.h"
#include "editing/PitCrewColours.h"
#include "pages/HelmetsPage.h"
#include "pages/PitCrewPage.h"

namespace {

struct Steps {
    std::array<int, 3> step{1, 2, 3};
    std::string name = "none";
};

const RunChoice<int> kNumber{"test/number", 7};
const RunChoice<Steps> kSteps{"test/steps", {}};

constexpr int kHelmetsTab = 3;
constexpr int kPitCrewTab = 6;

TEST(RunChoice, DefaultUntilChosenThenTheChoiceOfAnyType) {
    Shell shell;
    EditorState& state = *shell.state;
    EXPECT_EQ(kNumber.get(state), 7);
    EXPECT_EQ(state.runChoices().find<int>("test/number"), nullptr) << "reading does not store the default";
    kNumber.set(state, 3);
    EXPECT_EQ(kNumber.get(state), 3);

    EXPECT_EQ(kSteps.get(state).step[2], 3);
    Steps& steps = kSteps.in(state);
    steps.step[2] = 30;
    steps.name = "changed in place";
    kNumber.set(state, 4); // another choice stored later leaves the reference valid
    steps.step[0] = 10;
    EXPECT_EQ(kSteps.get(state).step[0], 10);
    EXPECT_EQ(kSteps.get(state).step[2], 30);
    EXPECT_EQ(kSteps.get(state).name, "changed in place");

    // One key read as another type starts afresh rather than reinterpreting the value.
    const RunChoice<std::string> sameKey{"test/number", "text"};
    EXPECT_EQ(sameKey.get(state), "text");
    sameKey.set(state, "other");
    EXPECT_EQ(kNumber.get(state), 7);
}

TEST(RunChoice, EveryStateStartsFromTheDefaults) {
    Shell first;
    Shell second;
    kNumber.set(*first.state, 1);
    kSteps.in(*first.state).name = "first";
    EXPECT_EQ(kNumber.get(*second.state), 7);
    EXPECT_EQ(kSteps.get(*second.state).name, "none");

    // Two windows in one process: what one page chose, the other's does not see.
    first.window->tabs()->setCurrentIndex(kHelmetsTab);
    static_cast<HelmetsPage*>(first.window->page())->selectHelmet(9);
    first.window->tabs()->setCurrentIndex(kPitCrewTab);
    static_cast<PitCrewPage*>(first.window->page())->chooseArea(4);
    second.window->tabs()->setCurrentIndex(kHelmetsTab);
    EXPECT_EQ(static_cast<HelmetsPage*>(second.window->page())->selectedHelmet(), 0);
    second.window->tabs()->setCurrentIndex(kPitCrewTab);
    EXPECT_EQ(static_cast<PitCrewPage*>(second.window->page())->currentArea(), tavolex::kFirstPitCrewArea);

    // The first window's choices outlive its pages.
    first.window->tabs()->setCurrentIndex(kHelmetsTab);
    EXPECT_EQ(static_cast<HelmetsPage*>(first.window->page())->selectedHelmet(), 9);
    first.window->tabs()->setCurrentIndex(kPitCrewTab);
    EXPECT_EQ(static_cast<PitCrewPage*>(first.window->page())->currentArea(), 4);
}

} // namespace
