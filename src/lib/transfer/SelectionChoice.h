#pragma once

#include <array>
#include <string>

#include "document/CarSet.h"
#include "transfer/GameSelection.h"

// The boxes of the import and export selection, decided without a widget:
// which are preselected, usable and checked, their captions, and the eight
// quick-select boxes over groups of them. The dialog mirrors this; the
// command line takes its preselection.

namespace tavolex {

enum class SelectionMode { Import, Export };

enum class QuickGroup {
    CarsHardware,     // "Cars"
    CarsSoftware,     // its "S"
    CockpitsHardware, // "Cockpits"
    CockpitsSoftware,
    PitCrewsHardware, // "Pit Crews"
    PitCrewsSoftware,
    Artwork,        // "Artwork"
    TeamDriverData, // "Team/Driver Data"
};
constexpr int kQuickGroupCount = 8;

enum class QuickState { Unchecked, Checked, Indeterminate };

// The caption of a graphics box while it is usable: "S", "H", "S / H", "T"
// or the team number; empty for data items.
std::string ItemCaption(int id);

// The first identifier of a group's eleven boxes.
int QuickGroupFirst(QuickGroup group);

class SelectionChoice {
  public:
    SelectionChoice(SelectionMode mode, const CarSet& carSet);

    SelectionMode mode() const { return mode_; }
    bool enabled(int id) const;
    bool checked(int id) const;
    // An item box's caption ("S", "H", "S / H", "T", "1".."11"); empty when
    // the box is disabled or is a data item, whose label stays beside it.
    std::string caption(int id) const;
    // The preselection as it stood before the boxes were set up.
    const SelectionRecord& preselection() const { return preselection_; }

    // A click on an enabled item box toggles it.
    void clickItem(int id);

    bool quickEnabled(QuickGroup group) const;
    QuickState quickState(QuickGroup group) const;
    // A click moves the box from unchecked to checked (every usable box of the
    // group checked), to indeterminate (each restored to its preselection),
    // to unchecked (all cleared). A group the user left mixed is completed by
    // the click, as is usual for such boxes.
    void clickQuick(QuickGroup group);

    // The checked boxes; disabled ones are never selected.
    SelectionRecord confirmed() const;

  private:
    void setUp(const CarSet& carSet);
    void updateQuick(QuickGroup group);
    void updateAllQuick();

    SelectionMode mode_;
    SelectionRecord preselection_;
    std::array<std::uint8_t, kSelectionItems> enabled_{};
    std::array<std::uint8_t, kSelectionItems> checked_{};
    std::array<QuickState, kQuickGroupCount> quick_{};
    // Set while a box shows the indeterminate state the user cycled to,
    // rather than a group left mixed.
    std::array<bool, kQuickGroupCount> cycled_{};
};

// The selection the dialog preselects and confirms without a change.
SelectionRecord DefaultSelection(SelectionMode mode, const CarSet& carSet);
// `wanted` restricted to the boxes the dialog lets the user check.
SelectionRecord UsableSelection(SelectionMode mode, const CarSet& carSet, const SelectionRecord& wanted);

} // namespace tavolex
