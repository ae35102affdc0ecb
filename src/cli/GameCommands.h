#pragma once

#include "CommandLine.h"

namespace tavolex::cli {

// tavolex-cli game make-sample DIR
// tavolex-cli game info DIR
// tavolex-cli game teams DIR
// tavolex-cli game art DIR TEAM OUT.BMP
// tavolex-cli game art DIR TEAM IN.BMP --write
// tavolex-cli game import DIR IN.GP3 OUT.GP3 [--items LIST]
// tavolex-cli game export IN.GP3 DIR [--items LIST]
int RunGameCommand(Arguments arguments);

} // namespace tavolex::cli
