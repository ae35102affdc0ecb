#include "pages/FailureReport.h"

#include "widgets/Texts.h"
#include "widgets/UiServices.h"

namespace tavolex::editor {

namespace {

bool Tell(UiServices& ui, QWidget* parent, TextId message) {
    ui.error(parent, T(message));
    return false;
}

} // namespace

bool Succeeded(UiServices& ui, QWidget* parent, Error error, GraphicCommand command, GraphicKind kind,
               Variant variant) {
    return Ok(error) || Tell(ui, parent, GraphicCommandMessage(command, kind, variant, error));
}

bool PartSucceeded(UiServices& ui, QWidget* parent, Error error, GraphicCommand command) {
    return Ok(error) || Tell(ui, parent, PictureCommandMessage(command, error));
}

bool TableSucceeded(UiServices& ui, QWidget* parent, Error error, GraphicCommand command) {
    return Ok(error) || Tell(ui, parent, GameTableMessage(command));
}

} // namespace tavolex::editor
