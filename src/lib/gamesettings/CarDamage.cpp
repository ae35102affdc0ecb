#include "gamesettings/CarDamage.h"

#include <algorithm>

#include "core/ByteOrder.h"
#include "gamesettings/ExecutableTable.h"

namespace tavolex {
namespace {

constexpr std::size_t kFirstPart = 0x13FC79;
// From the first part value, the distance of each to the one before.
constexpr std::array<std::size_t, kDamagePartCount> kPartSteps = {0, 4, 4, 4, 4, 3, 4, 4, 4, 5, 4,
                                                                  4, 3, 4, 4, 4, 4, 4, 4, 4, 5, 4};
constexpr std::array<std::size_t, 4> kCollisionOffsets = {0x13EE0E, 0x13EEBD, 0x13EE10, 0x13EE01};
constexpr DamageRecord kDefaults = {2,  130, 130, 66,  66,  136, 136, 68, 68, 8,    4,  12,   34,
                                    34, 17,  17,  256, 256, 256, 256, 4,  8,  7424, 16, 8192, 32};
constexpr std::array<DamageArea, kDamagePartCount> kAreas = {
    DamageArea::Chassis, DamageArea::Wings,   DamageArea::Wings,  DamageArea::Wings,  DamageArea::Wings,
    DamageArea::Wheels,  DamageArea::Wheels,  DamageArea::Wheels, DamageArea::Wheels, DamageArea::Chassis,
    DamageArea::Chassis, DamageArea::Chassis, DamageArea::Wheels, DamageArea::Wheels, DamageArea::Wheels,
    DamageArea::Wheels,  DamageArea::Wings,   DamageArea::Wings,  DamageArea::Wings,  DamageArea::Wings,
    DamageArea::Chassis, DamageArea::Chassis};

constexpr std::array<std::size_t, kDamageValueCount> Offsets() {
    std::array<std::size_t, kDamageValueCount> offsets{};
    std::size_t at = kFirstPart;
    for (std::size_t i = 0; i < kPartSteps.size(); ++i) {
        at += kPartSteps[i];
        offsets[i] = at;
    }
    for (std::size_t i = 0; i < kCollisionOffsets.size(); ++i) {
        offsets[kDamagePartCount + i] = kCollisionOffsets[i];
    }
    return offsets;
}
constexpr auto kOffsets = Offsets();

bool AllFit(std::size_t size) {
    return std::all_of(kOffsets.begin(), kOffsets.end(), [&](std::size_t at) { return FitsIn(size, at, 2); });
}

} // namespace

DamageRecord DefaultDamage() { return kDefaults; }

std::size_t DamageOffset(int index) { return kOffsets.at(static_cast<std::size_t>(index)); }

std::uint16_t DamageLimit(int index) {
    if (index == damage_index::kWallBounce || index == damage_index::kCarBounce)
        return 255;
    if (index == damage_index::kWallDamage || index == damage_index::kCarDamage)
        return 32767;
    return 65535;
}

DamageArea AreaOfPart(int part) { return kAreas.at(static_cast<std::size_t>(part)); }

std::vector<int> PartsOfArea(DamageArea area) {
    std::vector<int> parts;
    for (int part = 0; part < kDamagePartCount; ++part) {
        if (kAreas[static_cast<std::size_t>(part)] == area)
            parts.push_back(part);
    }
    return parts;
}

Error ReadDamage(std::span<const std::uint8_t> exe, DamageRecord& record) {
    if (!AllFit(exe.size())) {
        return Error::TableOutsideFile;
    }
    for (std::size_t i = 0; i < kOffsets.size(); ++i) {
        record[i] = std::min(ReadU16(exe.data() + kOffsets[i]), DamageLimit(static_cast<int>(i)));
    }
    return Error::None;
}

Error WriteDamage(std::vector<std::uint8_t>& exe, const DamageRecord& record) {
    if (!AllFit(exe.size())) {
        return Error::TableOutsideFile;
    }
    for (std::size_t i = 0; i < kOffsets.size(); ++i) {
        WriteU16(exe.data() + kOffsets[i], record[i]);
    }
    return Error::None;
}

Error ReadGameDamage(const GameFolder& game, ExeStatus status, DamageRecord& record) {
    return ReadExecutableTable(game, status, [&](auto exe) { return ReadDamage(exe, record); });
}

Error WriteGameDamage(const GameFolder& game, ExeStatus status, const DamageRecord& record) {
    return PatchExecutableTable(game, status, [&](auto& exe) { return WriteDamage(exe, record); });
}

} // namespace tavolex
