#pragma once

#include "CommandLine.h"

namespace tavolex::cli {

// game settings DIR [--write FILE.json | --defaults]
int GameSettingsCommand(Arguments arguments);

} // namespace tavolex::cli
