#include "transfer/SelectionChoice.h"

#include "document/LazyGraphics.h"

namespace tavolex {
namespace {

constexpr std::array<int, kQuickGroupCount> kGroupFirst = {
    item::kCarHardware,     item::kCarSoftware,     item::kCockpitHardware, item::kCockpitSoftware,
    item::kPitCrewHardware, item::kPitCrewSoftware, item::kArtwork,         item::kFirstData,
};
constexpr int kGroupSize = 11;

std::size_t Index(int id) { return static_cast<std::size_t>(id); }

GraphicSource SourceOfItem(const CarSet& carSet, const GraphicItem& graphic) {
    return SourceOf(carSet, graphic.kind, graphic.slot, graphic.variant);
}

} // namespace

std::string ItemCaption(int id) {
    const auto graphic = GraphicItemOf(id);
    if (!graphic) {
        return {};
    }
    if (graphic->kind == GraphicKind::MenuArtwork) {
        return std::to_string(graphic->slot + 1);
    }
    if (graphic->kind == GraphicKind::Tread) {
        return "T";
    }
    if (graphic->kind == GraphicKind::Tyre && id < item::kTyreHardware) {
        return "S / H";
    }
    return graphic->variant == Variant::Software ? "S" : "H";
}

int QuickGroupFirst(QuickGroup group) { return kGroupFirst[static_cast<std::size_t>(group)]; }

SelectionChoice::SelectionChoice(SelectionMode mode, const CarSet& carSet) : mode_(mode) { setUp(carSet); }

void SelectionChoice::setUp(const CarSet& carSet) {
    for (int id : AllItems()) {
        bool preselected = true;
        bool usable = true;
        if (const auto graphic = GraphicItemOf(id)) {
            const GraphicSource source = SourceOfItem(carSet, *graphic);
            // Import: the game's own pictures have nothing to give. Export:
            // empty slots have nothing to write, and the game's own are never written back.
            if (mode_ == SelectionMode::Export) {
                preselected = source != GraphicSource::None;
                usable = source != GraphicSource::None && source != GraphicSource::Game;
            } else {
                usable = source != GraphicSource::Game;
            }
        }
        preselection_.set(id, preselected);
        enabled_[Index(id)] = usable ? 1 : 0;
        checked_[Index(id)] = usable && preselected ? 1 : 0;
    }
    updateAllQuick();
}

bool SelectionChoice::enabled(int id) const { return IsKnownItem(id) && enabled_[Index(id)] != 0; }

bool SelectionChoice::checked(int id) const { return IsKnownItem(id) && checked_[Index(id)] != 0; }

std::string SelectionChoice::caption(int id) const { return enabled(id) ? ItemCaption(id) : std::string(); }

void SelectionChoice::clickItem(int id) {
    if (!enabled(id)) {
        return;
    }
    checked_[Index(id)] = checked_[Index(id)] != 0 ? 0 : 1;
    updateAllQuick();
}

bool SelectionChoice::quickEnabled(QuickGroup group) const {
    const int first = QuickGroupFirst(group);
    for (int k = 0; k < kGroupSize; ++k) {
        if (enabled(first + k)) {
            return true;
        }
    }
    return false;
}

QuickState SelectionChoice::quickState(QuickGroup group) const { return quick_[static_cast<std::size_t>(group)]; }

void SelectionChoice::clickQuick(QuickGroup group) {
    if (!quickEnabled(group)) {
        return;
    }
    const auto g = static_cast<std::size_t>(group);
    QuickState next = QuickState::Checked;
    switch (quick_[g]) {
    case QuickState::Unchecked: next = QuickState::Checked; break;
    case QuickState::Checked: next = QuickState::Indeterminate; break;
    case QuickState::Indeterminate: next = cycled_[g] ? QuickState::Unchecked : QuickState::Checked; break;
    }
    const int first = QuickGroupFirst(group);
    for (int id = first; id < first + kGroupSize; ++id) {
        if (!enabled(id)) {
            continue;
        }
        const bool on = next == QuickState::Checked || (next == QuickState::Indeterminate && preselection_.has(id));
        checked_[Index(id)] = on ? 1 : 0;
    }
    // The box keeps the state the click gave it, even where the restored
    // preselection happens to be all or nothing.
    quick_[g] = next;
    cycled_[g] = next == QuickState::Indeterminate;
}

void SelectionChoice::updateQuick(QuickGroup group) {
    const int first = QuickGroupFirst(group);
    int usable = 0;
    int on = 0;
    for (int id = first; id < first + kGroupSize; ++id) {
        if (enabled(id)) {
            ++usable;
            on += checked_[Index(id)] != 0 ? 1 : 0;
        }
    }
    const auto g = static_cast<std::size_t>(group);
    quick_[g] = usable == 0 || on == 0 ? QuickState::Unchecked
                : on == usable         ? QuickState::Checked
                                       : QuickState::Indeterminate;
    cycled_[g] = false;
}

void SelectionChoice::updateAllQuick() {
    for (int g = 0; g < kQuickGroupCount; ++g) {
        updateQuick(static_cast<QuickGroup>(g));
    }
}

SelectionRecord SelectionChoice::confirmed() const {
    SelectionRecord record;
    for (int id : AllItems()) {
        record.set(id, checked(id) && enabled(id));
    }
    return record;
}

SelectionRecord DefaultSelection(SelectionMode mode, const CarSet& carSet) {
    return SelectionChoice(mode, carSet).confirmed();
}

SelectionRecord UsableSelection(SelectionMode mode, const CarSet& carSet, const SelectionRecord& wanted) {
    const SelectionChoice choice(mode, carSet);
    SelectionRecord record;
    for (int id : AllItems()) {
        record.set(id, wanted.has(id) && choice.enabled(id));
    }
    return record;
}

} // namespace tavolex
