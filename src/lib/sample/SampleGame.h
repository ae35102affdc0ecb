#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string_view>
#include <vector>

#include "core/Error.h"
#include "core/Progress.h"
#include "game/GameConstants.h"

// A complete synthetic installation of the game for the editor's demo and
// tests: GP3.EXE of the supported size with every table the editor uses, an
// intact save file, the five language files, every texture in both variants
// with recognisable pictures, the wheel and tread bitmaps and the menu art
// archive in the game's packed form. Folder and file names are in mixed case,
// as a copied Windows installation has them.

namespace tavolex {

// The identification bytes a sample game carries.
struct SampleIdentity {
    ExeIdentificationText exeText = kExeIdentificationText;
    ArtSignature artSignature = kArtArchiveSignature;
};

// A game with another credit text, as a real game's differs from the bytes
// built in: 0xA9 and the 26 characters for GP3.EXE, 0xA9, the same and "."
// for the art archive. Nothing unless `credit` is 26 printable characters.
std::optional<SampleIdentity> SampleIdentityWithCredit(std::string_view credit);

[[nodiscard]] Error MakeSampleGame(const std::filesystem::path& folder, Progress* progress = nullptr,
                                   const SampleIdentity& identity = {});

// The sample GP3.EXE alone (8,822,784 bytes, every table the editor uses).
std::vector<std::uint8_t> SampleExecutable(const ExeIdentificationText& text = kExeIdentificationText);

} // namespace tavolex
