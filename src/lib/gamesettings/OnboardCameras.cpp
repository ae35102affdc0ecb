#include "gamesettings/OnboardCameras.h"

#include <algorithm>
#include <cmath>

#include "core/ByteOrder.h"
#include "gamesettings/ExecutableTable.h"

namespace tavolex {
namespace {

constexpr float kDegreesPerStep = 0.0054933317053f; // 360 / 65,534
constexpr float kStepsPerDegree = 182.0388889f;
constexpr std::size_t kTableBytes = 2 * kCameraCount * kCameraValueCount;

constexpr CameraRecord kDefaults = {{
    {0, 36, 192, -180, 0, 0, -32768, 1280, 0, 0},
    {80, 64, -184, 0, 0, 0, 3840, 1280, 0, 256},
    {144, 68, -464, 0, 0, 0, 0, -1, 0, 256},
    {80, 20, -192, -180, 0, 0, 26866, 1280, 256, 0},
    {-80, 20, -192, -180, 0, 0, -26610, 1280, 1, 0},
    {-144, 68, -464, 0, 0, 0, 0, -1, 0, 1},
    {-80, 64, -184, 0, 0, 0, -3840, 1280, 0, 1},
    {0, 36, 320, 0, 0, 0, 0, 72, 0, 0},
    {80, -64, 244, 0, 0, 0, 0, 72, 0, 256},
}};

bool IsAngle(std::size_t value) { return value >= 3 && value <= 5; }

} // namespace

CameraValueKind KindOfCameraValue(int value) {
    return value <= 2 ? CameraValueKind::Coordinate : value <= 5 ? CameraValueKind::Angle : CameraValueKind::Focus;
}

int CameraValueLow(int value) { return KindOfCameraValue(value) == CameraValueKind::Angle ? -180 : -32768; }
int CameraValueHigh(int value) { return KindOfCameraValue(value) == CameraValueKind::Angle ? 180 : 32767; }

CameraRecord DefaultCameras() { return kDefaults; }

int AngleFromStored(std::int16_t stored) {
    const float product = static_cast<float>(stored) * kDegreesPerStep;
    return std::clamp(static_cast<int>(std::round(product)), -180, 180);
}

std::int16_t StoredFromAngle(int degrees) {
    const float product = static_cast<float>(degrees) * kStepsPerDegree;
    return static_cast<std::int16_t>(std::clamp(std::lround(product), -32768L, 32767L));
}

Error ReadCameras(std::span<const std::uint8_t> exe, CameraRecord& cameras) {
    if (!FitsIn(exe.size(), kCamerasOffset, kTableBytes)) {
        return Error::TableOutsideFile;
    }
    const std::uint8_t* at = exe.data() + kCamerasOffset;
    for (CameraValues& camera : cameras) {
        for (std::size_t v = 0; v < camera.size(); ++v, at += 2) {
            const auto stored = static_cast<std::int16_t>(ReadU16(at));
            camera[v] = IsAngle(v) ? static_cast<std::int16_t>(AngleFromStored(stored)) : stored;
        }
    }
    return Error::None;
}

Error WriteCameras(std::vector<std::uint8_t>& exe, const CameraRecord& cameras) {
    if (!FitsIn(exe.size(), kCamerasOffset, kTableBytes)) {
        return Error::TableOutsideFile;
    }
    std::uint8_t* at = exe.data() + kCamerasOffset;
    for (const CameraValues& camera : cameras) {
        for (std::size_t v = 0; v < camera.size(); ++v, at += 2) {
            const std::int16_t stored = IsAngle(v) ? StoredFromAngle(camera[v]) : camera[v];
            WriteU16(at, static_cast<std::uint16_t>(stored));
        }
    }
    return Error::None;
}

Error ReadGameCameras(const GameFolder& game, ExeStatus status, CameraRecord& cameras) {
    return ReadExecutableTable(game, status, [&](auto exe) { return ReadCameras(exe, cameras); });
}

Error WriteGameCameras(const GameFolder& game, ExeStatus status, const CameraRecord& cameras) {
    return PatchExecutableTable(game, status, [&](auto& exe) { return WriteCameras(exe, cameras); });
}

} // namespace tavolex
