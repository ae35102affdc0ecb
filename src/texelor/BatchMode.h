#pragma once

#include <string>
#include <vector>

namespace texelor {

// Texelor without a window: `--export IN.JAM OUT.BMP` and
// `--import IN.JAM IN.BMP OUT.JAM`, with the dialog's messages on stderr.
// Returns the exit status: 0 success, 1 failure, 2 bad usage.
int RunBatch(const std::vector<std::string>& arguments);

// True when the arguments ask for batch work (or help) rather than the window.
[[nodiscard]] bool IsBatchRequest(const std::vector<std::string>& arguments);

// The usage text, for --help and usage errors.
const char* TexelorUsage();

} // namespace texelor
