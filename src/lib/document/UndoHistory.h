#pragma once

#include <chrono>
#include <cstddef>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "document/CarSet.h"

// The car set's history for undo and redo. Each recorded change keeps the
// whole content after it (the car set is a value); the helmet pictures, the
// only pictures held in memory, are shared between states that did not
// change them. Consecutive changes of the same thing within a second are one
// step. "Modified" is derived from the step the car set was last saved at.

namespace tavolex {

// What of a car set the history keeps: everything a user edits, not where it
// was saved or the working memory.
struct CarSetContent {
    std::array<TeamRecord, kTeamCount> teams;
    std::array<std::uint32_t, 2> helmetFlags{};
    std::shared_ptr<const std::array<PackedBitmap, 2>> helmetImages;
    std::array<TyreRecord, kTyreTypeCount> tyres;
    std::array<PitBoxRecord, 2> pitBoxes;
    MiscSettings misc;
    std::string information;
    std::uint16_t hasInformation = 0;
};

class UndoHistory {
  public:
    using Clock = std::chrono::steady_clock;
    static constexpr std::size_t kDefaultMemoryCap = 64u << 20;
    static constexpr Clock::duration kMergeWindow = std::chrono::seconds(1);

    explicit UndoHistory(std::size_t memoryCap = kDefaultMemoryCap) : memoryCap_(memoryCap) {}

    // A fresh history whose only state is `carSet` as it is, counted as saved
    // unless `saved` is false (a recovered car set has no file yet).
    void reset(const CarSet& carSet, bool saved = true);
    // The car set after a change named `change`.
    void record(const CarSet& carSet, std::string_view change, Clock::time_point now = Clock::now());

    bool canUndo() const { return current_ > 0; }
    bool canRedo() const { return current_ + 1 < steps_.size(); }
    // The name of the change undo or redo would take back or make again.
    const std::string& undoChange() const;
    const std::string& redoChange() const;
    // Puts the car set's content back to the state before or after; its
    // modified flag follows the saved step.
    bool undo(CarSet& carSet);
    bool redo(CarSet& carSet);

    // The car set was saved as it is now.
    void markSaved() { saved_ = current_; }
    bool atSavedState() const { return saved_ == current_; }

    std::size_t stepCount() const { return steps_.size(); }
    std::size_t memoryUsed() const { return memoryUsed_; }

  private:
    struct Step {
        std::string change;
        CarSetContent content;
        Clock::time_point when;
        std::size_t bytes = 0;
    };
    Step makeStep(const CarSet& carSet, std::string_view change, Clock::time_point now) const;
    void restore(CarSet& carSet);
    void dropOldest();

    std::deque<Step> steps_;
    std::size_t current_ = 0;
    std::optional<std::size_t> saved_;
    std::size_t memoryCap_;
    std::size_t memoryUsed_ = 0;
};

} // namespace tavolex
