#pragma once

#include "CommandLine.h"

namespace tavolex::cli {

// tavolex-cli teams export IN.GP3 OUT.TXT
// tavolex-cli teams import IN.GP3 FILE OUT.GP3   (FILE: .TXT, .PER or .GP2)
int RunTeamsCommand(Arguments arguments);

} // namespace tavolex::cli
