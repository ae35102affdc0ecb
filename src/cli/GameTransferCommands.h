#pragma once

#include "CommandLine.h"

namespace tavolex::cli {

// tavolex-cli game import DIR IN.GP3 OUT.GP3 [--items LIST]
// tavolex-cli game export IN.GP3 DIR [--items LIST]
// LIST: item numbers and ranges, "100-110,800-808"; without it, what the
// editor's dialog preselects.
int GameImport(Arguments arguments);
int GameExport(Arguments arguments);

} // namespace tavolex::cli
