#include "pages/FailureReport.h"

#include "shell/Texts.h"
#include "shell/UiServices.h"

bool Succeeded(UiServices& ui, QWidget* parent, const tavolex::Failure& failure) {
    if (failure) {
        ui.error(parent, T(*failure));
        return false;
    }
    return true;
}
