#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "document/CarSetFile.h"

// The recovery file: while a car set has unsaved changes the editor keeps a
// copy of it in its data folder (never over the user's file), so that a crash
// or a log-out loses nothing. A normal exit removes it.

namespace tavolex {

struct RecoveryInfo {
    std::filesystem::path carSet; // the recovery car set file
    std::string original;         // the file the car set came from, empty when untitled
    std::string when;             // when it was written, as the question shows it
};

// Saves a copy of `carSet` as the recovery file; the car set itself is untouched.
[[nodiscard]] Error WriteRecovery(const CarSet& carSet, const GraphicContext& environment,
                                  const std::filesystem::path& dataFolder, std::string_view when);

// The recovery file left by an earlier run, if any.
std::optional<RecoveryInfo> FindRecovery(const std::filesystem::path& dataFolder);

void RemoveRecovery(const std::filesystem::path& dataFolder);

// Opens the recovered car set from a copy in `temporaryFolder` (so the next
// recovery write cannot change the file its pictures are read from). It is
// untitled and modified; the recovery file stays until the run ends normally.
Error OpenRecovery(CarSet& carSet, const RecoveryInfo& recovery, const std::filesystem::path& temporaryFolder);

} // namespace tavolex
