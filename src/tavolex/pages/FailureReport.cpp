#include "pages/FailureReport.h"

#include "widgets/Texts.h"
#include "widgets/UiServices.h"

namespace tavolex::editor {

namespace {

bool Tell(UiServices& ui, QWidget* parent, tavolex::TextId message) {
    ui.error(parent, T(message));
    return false;
}

} // namespace

bool Succeeded(UiServices& ui, QWidget* parent, tavolex::Error error, tavolex::GraphicCommand command,
               tavolex::GraphicKind kind, tavolex::Variant variant) {
    return tavolex::Ok(error) || Tell(ui, parent, tavolex::GraphicCommandMessage(command, kind, variant, error));
}

bool PartSucceeded(UiServices& ui, QWidget* parent, tavolex::Error error, tavolex::GraphicCommand command) {
    return tavolex::Ok(error) || Tell(ui, parent, tavolex::PictureCommandMessage(command, error));
}

bool TableSucceeded(UiServices& ui, QWidget* parent, tavolex::Error error, tavolex::GraphicCommand command) {
    return tavolex::Ok(error) || Tell(ui, parent, tavolex::GameTableMessage(command));
}

} // namespace tavolex::editor
