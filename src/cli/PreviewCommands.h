#pragma once

#include "CommandLine.h"

namespace tavolex::cli {

// tavolex-cli carset preview IN.GP3 OUT.png [--team T] [--width W]
int PreviewCarSet(Arguments arguments);

// tavolex-cli thumbnail --size N IN OUT.png
int RunThumbnailCommand(Arguments arguments);

} // namespace tavolex::cli
