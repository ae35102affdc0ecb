#include "pages/FailureReport.h"

#include "widgets/Texts.h"
#include "widgets/UiServices.h"

bool Succeeded(UiServices& ui, QWidget* parent, const tavolex::Failure& failure) {
    if (failure) {
        ui.error(parent, T(*failure));
        return false;
    }
    return true;
}
