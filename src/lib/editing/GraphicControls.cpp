#include "editing/GraphicControls.h"

namespace tavolex {

Variant ChooseShownVariant(GraphicSource software, GraphicSource hardware) {
    if (hardware == GraphicSource::None && software != GraphicSource::None) {
        return Variant::Software;
    }
    return Variant::Hardware;
}

GraphicControlRules DecideGraphicControls(const GraphicPageState& state) {
    const GraphicSource shown = state.shown == Variant::Software ? state.software : state.hardware;
    const bool empty = shown == GraphicSource::None;
    const bool fromGame = shown == GraphicSource::Game;
    GraphicControlRules rules;
    if (empty) {
        rules.note = state.shown == Variant::Software ? PictureNote::NoSoftware : PictureNote::NoHardware;
    } else if (!state.hasDisplayImage) {
        rules.note = PictureNote::UnableToDisplay;
    }
    const bool gameFiles = AllowsGameFiles(state.exeStatus);
    rules.importFromGame = gameFiles && !fromGame;
    rules.exportToGame = gameFiles && !fromGame && !empty;
    rules.saveAs = !empty;
    rules.remove = !empty;
    // Only the button that makes the other variant, and only from a picture of the slot's own.
    const bool canGenerate = state.bothVariants && !empty && shown != GraphicSource::Generated;
    rules.generateSoftware = state.shown == Variant::Hardware && canGenerate;
    rules.generateHardware = state.shown == Variant::Software && canGenerate;
    rules.numberFields = state.software != GraphicSource::None || state.hardware != GraphicSource::None;
    rules.tableTransfer = AllowsExecutable(state.exeStatus);
    rules.numberTransfer = rules.numberFields && rules.tableTransfer;
    rules.driverSwitches = !empty;
    rules.copyCrewTemplate = state.crewPaintable;
    return rules;
}

} // namespace tavolex
