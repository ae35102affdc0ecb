#include "gamesettings/ExecutableTable.h"

#include <vector>

namespace tavolex {

Error ReadExecutableTable(const GameFolder& game, ExeStatus status,
                          const std::function<Error(std::span<const std::uint8_t>)>& read) {
    if (!AllowsExecutable(status)) {
        return Error::UnsupportedExecutable;
    }
    std::vector<std::uint8_t> exe;
    if (Error error = ReadExecutable(game, exe); !Ok(error)) {
        return error;
    }
    return Ok(read(exe)) ? Error::None : Error::ReadFailed;
}

Error PatchExecutableTable(const GameFolder& game, ExeStatus status, const BytePatch& patch) {
    if (!AllowsExecutable(status)) {
        return Error::UnsupportedExecutable;
    }
    return PatchExecutable(game, patch);
}

} // namespace tavolex
