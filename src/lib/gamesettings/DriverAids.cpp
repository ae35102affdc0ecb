#include "gamesettings/DriverAids.h"

#include <algorithm>

#include "core/ByteOrder.h"
#include "gamesettings/ExecutableTable.h"

namespace tavolex {
namespace {
constexpr std::uint16_t kStoredOffset = 64;
constexpr DriverAidMasks kDefaults = {831, 830, 574, 562, 50};
} // namespace

DriverAidMasks DefaultDriverAids() { return kDefaults; }

std::array<bool, kDriverAidCount> AvailableAids(std::uint16_t mask) {
    std::array<bool, kDriverAidCount> available{};
    for (std::size_t aid = 0; aid < available.size(); ++aid) {
        available[aid] = (mask & kDriverAidBits[aid]) != 0;
    }
    return available;
}

std::uint16_t MaskOfAids(const std::array<bool, kDriverAidCount>& available) {
    std::uint16_t mask = 0;
    for (std::size_t aid = 0; aid < available.size(); ++aid) {
        if (available[aid])
            mask = static_cast<std::uint16_t>(mask | kDriverAidBits[aid]);
    }
    return mask;
}

std::uint16_t AidMaskFromStored(std::int16_t stored) {
    const int mask = stored >= kStoredOffset ? stored - kStoredOffset : stored;
    return static_cast<std::uint16_t>(mask & kAllDriverAids);
}

Error ReadDriverAids(std::span<const std::uint8_t> exe, DriverAidMasks& masks) {
    if (!FitsIn(exe.size(), kDriverAidsOffset, 2 * kDifficultyLevels)) {
        return Error::TableOutsideFile;
    }
    for (std::size_t level = 0; level < masks.size(); ++level) {
        masks[level] =
            AidMaskFromStored(static_cast<std::int16_t>(ReadU16(exe.data() + kDriverAidsOffset + 2 * level)));
    }
    return Error::None;
}

Error WriteDriverAids(std::vector<std::uint8_t>& exe, const DriverAidMasks& masks) {
    if (!FitsIn(exe.size(), kDriverAidsOffset, 2 * kDifficultyLevels) ||
        !std::all_of(masks.begin(), masks.end(), IsDriverAidMask)) {
        return Error::TableOutsideFile;
    }
    for (std::size_t level = 0; level < masks.size(); ++level) {
        WriteU16(exe.data() + kDriverAidsOffset + 2 * level, static_cast<std::uint16_t>(masks[level] + kStoredOffset));
    }
    return Error::None;
}

Error ReadGameDriverAids(const GameFolder& game, ExeStatus status, DriverAidMasks& masks) {
    return ReadExecutableTable(game, status, [&](auto exe) { return ReadDriverAids(exe, masks); });
}

Error WriteGameDriverAids(const GameFolder& game, ExeStatus status, const DriverAidMasks& masks) {
    return PatchExecutableTable(game, status, [&](auto& exe) { return WriteDriverAids(exe, masks); });
}

} // namespace tavolex
