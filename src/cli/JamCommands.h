#pragma once

#include "CommandLine.h"

namespace tavolex::cli {

// tavolex-cli jam read IN.JAM OUT.BMP [--height H]
// tavolex-cli jam patch JAM IN.BMP
int RunJamCommand(Arguments arguments);

} // namespace tavolex::cli
