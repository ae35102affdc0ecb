#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <span>
#include <vector>

#include "core/Error.h"
#include "core/Progress.h"
#include "formats/PackedBitmap.h"

// The one-time upgrade of the game's pit crew textures: eleven software JAM
// files are recoloured so that every paintable area of the crew is marked in
// the high half of its pixels (the areas the Pit crew page paints), and
// stamped with a checksum pair so that they are never recoloured again. Which
// pixels change is said by a mask per file: data that comes with the editor
// as "pitcrew-masks/19000.bin" ... "19010.bin" in its data folder, 256 x H
// bytes each, byte k for byte k of the picture's pixels in their stored order.

namespace tavolex {

// The files are the JAM name table's indices 100-110, with the heights and
// image counts it gives them.
inline constexpr int kPitCrewUpgradeFiles = 11;

// The values a mask byte takes besides 0, each naming one recolouring rule.
inline constexpr std::array<std::uint8_t, 8> kPitCrewMaskMarkers = {242, 243, 245, 246, 247, 252, 253, 254};

// The mask files' folder under the data folder, and file i's path.
std::filesystem::path PitCrewMaskPath(const std::filesystem::path& dataFolder, int file);
// File i's mask size in bytes: 256 x H.
[[nodiscard]] std::size_t PitCrewMaskSize(int file);

// File i of the game as its 8-bit picture of 256 x H.
[[nodiscard]] Error ReadPitCrewUpgradeTexture(const std::filesystem::path& gameFolder, int file, PackedBitmap& picture);

// The eleven masks; ReadFailed (and nothing kept) when one is missing or not exactly 256 x H bytes.
[[nodiscard]] Error LoadPitCrewMasks(const std::filesystem::path& dataFolder,
                                     std::array<std::vector<std::uint8_t>, 11>& masks);

// The nine recolouring rules on the pixels whose mask byte is not 0.
void RecolourPitCrewPixels(std::span<std::uint8_t> pixels, std::span<const std::uint8_t> mask);

// The files (indices 0-10) that exist in the game and are not stamped.
std::vector<int> PitCrewFilesNeedingUpgrade(const std::filesystem::path& gameFolder);

enum class PitCrewFilesState { Upgraded, NeedsUpgrade, NoMasks };
PitCrewFilesState PitCrewUpgradeState(const std::filesystem::path& gameFolder, const std::filesystem::path& dataFolder);

// Recolours and stamps every file that needs it, each in one atomic write,
// and then deletes the Pit crew page's templates so that they are built from
// the new files. Without all masks nothing is touched and the result is
// Error::OpenFailed. A file that fails is skipped (unstamped); the others go
// on and the first failure is returned. `upgraded` hears of each file done.
// The progress counter counts down over the files.
[[nodiscard]] Error UpgradePitCrewFiles(const std::filesystem::path& gameFolder,
                                        const std::filesystem::path& dataFolder, Progress* progress,
                                        const std::function<void(int file)>& upgraded = {});

} // namespace tavolex
