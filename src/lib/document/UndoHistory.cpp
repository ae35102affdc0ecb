#include "document/UndoHistory.h"

namespace tavolex {
namespace {

const std::string kNothing;

std::size_t SlotBytes(const GraphicSlot& slot) { return slot.path.capacity(); }

// What a state costs beyond the record itself: paths, text and, when not
// shared with the state before, the helmet pictures.
std::size_t ContentBytes(const CarSetContent& content, const CarSetContent* previous) {
    std::size_t bytes = sizeof(CarSetContent) + content.information.capacity();
    for (const TeamRecord& team : content.teams) {
        for (const auto* pair : {&team.livery, &team.cockpit, &team.pitCrew}) {
            for (const GraphicSlot& slot : *pair) bytes += SlotBytes(slot);
        }
        bytes += SlotBytes(team.artwork);
    }
    for (const TyreRecord& tyre : content.tyres) {
        for (const GraphicSlot& slot : tyre.tyre) bytes += SlotBytes(slot);
        bytes += SlotBytes(tyre.tread);
    }
    for (const PitBoxRecord& box : content.pitBoxes) bytes += SlotBytes(box.slot);
    if (previous == nullptr || previous->helmetImages != content.helmetImages) {
        for (const PackedBitmap& image : *content.helmetImages) bytes += image.block().size();
    }
    return bytes;
}

} // namespace

UndoHistory::Step UndoHistory::makeStep(const CarSet& carSet, std::string_view change, Clock::time_point now) const {
    Step step;
    step.change = change;
    step.when = now;
    CarSetContent& content = step.content;
    content.teams = carSet.teams;
    content.helmetFlags = carSet.helmetFlags;
    content.tyres = carSet.tyres;
    content.pitBoxes = carSet.pitBoxes;
    content.misc = carSet.misc;
    content.information = carSet.information;
    content.hasInformation = carSet.hasInformation;
    const CarSetContent* previous = steps_.empty() ? nullptr : &steps_[current_].content;
    if (previous != nullptr && *previous->helmetImages == carSet.helmetImages) {
        content.helmetImages = previous->helmetImages;
    } else {
        content.helmetImages = std::make_shared<const std::array<PackedBitmap, 2>>(carSet.helmetImages);
    }
    step.bytes = ContentBytes(content, previous);
    return step;
}

void UndoHistory::reset(const CarSet& carSet, bool saved) {
    steps_.clear();
    current_ = 0;
    memoryUsed_ = 0;
    steps_.push_back(makeStep(carSet, {}, Clock::now()));
    memoryUsed_ = steps_.back().bytes;
    saved_ = saved ? std::optional<std::size_t>(0) : std::nullopt;
}

void UndoHistory::record(const CarSet& carSet, std::string_view change, Clock::time_point now) {
    if (steps_.empty()) {
        reset(carSet);
    }
    // Changes after an undo start a new branch: the undone steps are gone.
    while (steps_.size() > current_ + 1) {
        memoryUsed_ -= steps_.back().bytes;
        steps_.pop_back();
    }
    if (saved_ && *saved_ > current_) {
        saved_.reset();
    }
    Step step = makeStep(carSet, change, now);
    Step& last = steps_.back();
    const bool merge = current_ > 0 && last.change == change && now - last.when < kMergeWindow && saved_ != current_;
    if (merge) {
        memoryUsed_ -= last.bytes;
        step.bytes = ContentBytes(step.content, current_ > 0 ? &steps_[current_ - 1].content : nullptr);
        memoryUsed_ += step.bytes;
        last = std::move(step);
    } else {
        memoryUsed_ += step.bytes;
        steps_.push_back(std::move(step));
        current_ = steps_.size() - 1;
    }
    while (memoryUsed_ > memoryCap_ && steps_.size() > 2) {
        dropOldest();
    }
}

void UndoHistory::dropOldest() {
    memoryUsed_ -= steps_.front().bytes;
    steps_.pop_front();
    // The new oldest state now holds its helmet pictures alone.
    memoryUsed_ -= steps_.front().bytes;
    steps_.front().bytes = ContentBytes(steps_.front().content, nullptr);
    memoryUsed_ += steps_.front().bytes;
    --current_;
    if (saved_) {
        saved_ = *saved_ == 0 ? std::nullopt : std::optional<std::size_t>(*saved_ - 1);
    }
}

const std::string& UndoHistory::undoChange() const { return canUndo() ? steps_[current_].change : kNothing; }
const std::string& UndoHistory::redoChange() const { return canRedo() ? steps_[current_ + 1].change : kNothing; }

bool UndoHistory::undo(CarSet& carSet) {
    if (!canUndo()) {
        return false;
    }
    --current_;
    restore(carSet);
    return true;
}

bool UndoHistory::redo(CarSet& carSet) {
    if (!canRedo()) {
        return false;
    }
    ++current_;
    restore(carSet);
    return true;
}

void UndoHistory::restore(CarSet& carSet) {
    const CarSetContent& content = steps_[current_].content;
    carSet.teams = content.teams;
    carSet.helmetFlags = content.helmetFlags;
    carSet.helmetImages = *content.helmetImages;
    carSet.tyres = content.tyres;
    carSet.pitBoxes = content.pitBoxes;
    carSet.misc = content.misc;
    carSet.information = content.information;
    carSet.hasInformation = content.hasInformation;
    carSet.modified = !atSavedState();
}

} // namespace tavolex
