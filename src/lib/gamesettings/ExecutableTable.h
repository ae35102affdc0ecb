#pragma once

#include <cstdint>
#include <functional>
#include <span>

#include "core/Error.h"
#include "game/GameFiles.h"
#include "game/GameFolder.h"

// The game settings tables of GP3.EXE are read and patched only in the
// supported build; these wrap the executable's whole-file read and atomic
// patch with that check.

namespace tavolex {

// Reads the executable and hands its bytes to `read`; an error from it (a table
// outside the file) is a read failure.
[[nodiscard]] Error ReadExecutableTable(const GameFolder& game, ExeStatus status,
                                        const std::function<Error(std::span<const std::uint8_t>)>& read);
[[nodiscard]] Error PatchExecutableTable(const GameFolder& game, ExeStatus status, const BytePatch& patch);

} // namespace tavolex
