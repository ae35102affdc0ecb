#pragma once

#include "core/Texts.h"

class QWidget;
class UiServices;

// Tells a command's failure in a message box over `parent`; true when the command succeeded.
bool Succeeded(UiServices& ui, QWidget* parent, const tavolex::Failure& failure);
