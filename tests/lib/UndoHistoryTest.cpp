#include <gtest/gtest.h>

#include "TestSupport.h"
#include "document/UndoHistory.h"

namespace tavolex {
namespace {
using namespace std::chrono_literals;
using Clock = UndoHistory::Clock;

struct Edited {
    CarSet carSet;
    UndoHistory history;
    Clock::time_point now = Clock::time_point() + 100s;
    Edited() {
        NewCarSet(carSet);
        history.reset(carSet);
    }
    void edit(const char* change, auto&& apply, Clock::duration after = 5s) {
        apply(carSet);
        MarkModified(carSet, change);
        now += after;
        history.record(carSet, change, now);
    }
};

TEST(UndoHistory, StepsBackAndForthAndKnowsTheSavedState) {
    Edited e;
    e.edit("Engine name", [](CarSet& c) { c.teams[2].engineName = "Judd"; });
    e.edit("Load livery", [](CarSet& c) { c.teams[2].livery[1] = {GraphicSource::File, "/x/livery.bmp"}; });
    e.carSet.helmetImages[0] = test::Banded8(256, 330);
    e.edit("Load helmets", [](CarSet& c) { c.helmetFlags[0] = 1; });
    EXPECT_EQ(e.history.undoChange(), "Load helmets");

    ASSERT_TRUE(e.history.undo(e.carSet));
    EXPECT_EQ(e.carSet.helmetFlags[0], 0u);
    EXPECT_TRUE(e.carSet.helmetImages[0].empty()) << "the picture in memory comes back exactly";
    ASSERT_TRUE(e.history.undo(e.carSet));
    EXPECT_EQ(e.carSet.teams[2].livery[1], GraphicSlot{});
    EXPECT_EQ(e.history.redoChange(), "Load livery");
    ASSERT_TRUE(e.history.redo(e.carSet));
    EXPECT_EQ(e.carSet.teams[2].livery[1].path, "/x/livery.bmp");
    EXPECT_TRUE(e.carSet.modified);

    // Saved here: undoing and redoing back to it clears "modified".
    e.history.markSaved();
    e.history.undo(e.carSet);
    EXPECT_TRUE(e.carSet.modified);
    e.history.redo(e.carSet);
    EXPECT_FALSE(e.carSet.modified);
    e.history.undo(e.carSet);
    e.history.undo(e.carSet);
    EXPECT_EQ(e.carSet.teams[2].engineName.view(), "Engine");
    EXPECT_FALSE(e.history.undo(e.carSet)) << "the start is the oldest state";

    // A new change drops the undone steps, and with them the saved state.
    e.edit("Team name", [](CarSet& c) { c.teams[0].teamName = "Other"; });
    EXPECT_FALSE(e.history.canRedo());
    EXPECT_EQ(e.history.stepCount(), 2u);
    e.history.undo(e.carSet);
    EXPECT_TRUE(e.carSet.modified) << "the saved state is gone";
}

TEST(UndoHistory, MergesTypingOfOneThingWithinASecond) {
    Edited e;
    for (const char* name : {"W", "Wi", "Wil"}) {
        e.edit(
            "Team name", [&](CarSet& c) { c.teams[0].teamName = name; }, 300ms);
    }
    e.edit(
        "Engine name", [](CarSet& c) { c.teams[0].engineName = "V"; }, 300ms);
    e.edit(
        "Engine name", [](CarSet& c) { c.teams[0].engineName = "V1"; }, 2s);
    e.edit(
        "Engine name", [](CarSet& c) { c.teams[0].engineName = "V10"; }, 300ms);
    EXPECT_EQ(e.history.stepCount(), 4u) << "V; then V1 and V10, two seconds later";
    e.history.undo(e.carSet);
    EXPECT_EQ(e.carSet.teams[0].engineName.view(), "V");
    e.history.undo(e.carSet);
    EXPECT_EQ(e.carSet.teams[0].teamName.view(), "Wil");
    e.history.undo(e.carSet);
    EXPECT_EQ(e.carSet.teams[0].teamName.view(), "Team Name") << "three keystrokes, one step";
}

TEST(UndoHistory, StaysUnderItsMemoryCap) {
    CarSet carSet;
    NewCarSet(carSet);
    carSet.helmetImages = {test::Banded8(256, 330), test::PhotoLike24(256, 330)};
    carSet.helmetFlags = {1, 1};
    UndoHistory history(4u << 20);
    history.reset(carSet);
    auto now = Clock::time_point() + 10s;
    for (int i = 0; i < 500; ++i) {
        carSet.teams[i % kTeamCount].qualifyingPower = static_cast<std::int16_t>(700 + i);
        if (i % 50 == 0) {
            carSet.helmetImages[0].pixels()[i] ^= 1; // now and then the helmets change too
        }
        history.record(carSet, i % 2 == 0 ? "Qualifying power" : "Race power", now += 2s);
        ASSERT_LE(history.memoryUsed(), 4u << 20) << "after " << i << " edits";
    }
    EXPECT_GT(history.stepCount(), 100u) << "unchanged helmets are shared, so many steps fit";
    EXPECT_LT(history.stepCount(), 501u);
    while (history.undo(carSet)) {
    }
    EXPECT_TRUE(carSet.modified) << "the saved state fell off the end";
}

} // namespace
} // namespace tavolex
