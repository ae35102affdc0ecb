// tavolex-cli: the headless face of Tavolex, for scripts and terminals.

#include <iostream>
#include <string>
#include <vector>

#include "CommandLine.h"
#include "JamCommands.h"

namespace {

constexpr const char* kUsage =
    R"(Usage: tavolex-cli COMMAND [ARGUMENTS]

Reads and writes the files of Grand Prix 3 car sets and textures.

Commands:
  jam read IN.JAM OUT.BMP [--height H]
      Reads a software or hardware JAM texture and writes it as a BMP file
      (8-bit with the game's palette, or 24-bit). The sheet height is taken
      from the file's header unless --height is given. Prints "software" or
      "hardware".
  jam patch JAM IN.BMP
      Replaces the pixels of an existing JAM texture with those of a BMP of
      the same height (256 pixels wide). The JAM is replaced only when the
      whole new file has been written.

Options:
  -h, --help     show this help and exit
  --version      show the version and exit

Exit status: 0 on success, 1 on failure (the reason on stderr), 2 on bad usage.
)";

} // namespace

int main(int argc, char** argv) {
    std::vector<std::string> words(argv + 1, argv + argc);
    if (words.empty()) {
        std::cerr << kUsage;
        return tavolex::cli::kBadUsage;
    }
    const std::string command = words.front();
    if (command == "-h" || command == "--help") {
        std::cout << kUsage;
        return tavolex::cli::kSuccess;
    }
    if (command == "--version") {
        std::cout << "tavolex-cli 1.10\n";
        return tavolex::cli::kSuccess;
    }
    words.erase(words.begin());
    if (command == "jam") {
        return tavolex::cli::RunJamCommand(std::move(words));
    }
    return tavolex::cli::UsageError("unknown command '" + command + "'");
}
