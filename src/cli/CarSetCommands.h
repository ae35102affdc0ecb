#pragma once

#include "CommandLine.h"

namespace tavolex::cli {

// tavolex-cli carset new OUT.GP3
// tavolex-cli carset info IN.GP3
// tavolex-cli carset extract IN.GP3 DIR
// tavolex-cli carset pack DIR OUT.GP3 [--from IN.GP3]
// tavolex-cli carset generate IN.GP3 OUT.GP3 [--game DIR] [--kind KIND] [--to software|hardware]
// tavolex-cli carset preview IN.GP3 OUT.png [--team T] [--width W]
int RunCarSetCommand(Arguments arguments);

} // namespace tavolex::cli
