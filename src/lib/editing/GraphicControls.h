#pragma once

#include "core/Variant.h"
#include "document/GraphicSource.h"
#include "game/ExeStatus.h"

// Which variant a graphics page shows and which of its controls are usable:
// the same rules on every graphics page, decided without a widget.

namespace tavolex {

// The variant a page shows when it opens or the car set is replaced: the
// hardware picture when there is one, else the software one, else hardware.
Variant ChooseShownVariant(GraphicSource software, GraphicSource hardware);

enum class PictureNote { None, NoSoftware, NoHardware, UnableToDisplay };

struct GraphicPageState {
    Variant shown = Variant::Hardware;
    GraphicSource software = GraphicSource::None;
    GraphicSource hardware = GraphicSource::None;
    ExeStatus exeStatus = ExeStatus::Missing;
    bool hasDisplayImage = false;
    // A kind of one variant only (the tyre sheets, the menu art) makes nothing of another.
    bool bothVariants = true;
    // The crew template can be painted: the game's crew files carry their masks.
    bool crewPaintable = false;
};

struct GraphicControlRules {
    PictureNote note = PictureNote::None;
    bool importFromGame = false;
    bool exportToGame = false;
    bool load = true;
    bool saveAs = false;
    bool remove = false;
    bool generateSoftware = false;
    bool generateHardware = false;
    // The car number positions: usable with a livery in either variant; their
    // transfer to and from the game needs a supported executable too.
    bool numberFields = false;
    bool numberTransfer = false;
    // The team's tables in the executable (crew colours, pit order) go either
    // way with a supported executable, whatever the picture.
    bool tableTransfer = false;
    // The artwork's driver pictures switch on and off only over a sheet of the slot's own.
    bool driverSwitches = false;
    // "<<< Copy" paints the crew template into the sheet.
    bool copyCrewTemplate = false;
};

GraphicControlRules DecideGraphicControls(const GraphicPageState& state);

} // namespace tavolex
