#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "core/Error.h"
#include "game/GameFolder.h"

// The game's nine onboard cameras, ten signed values each: position (X, Z,
// Y), angles (direction, pitch, roll) and four focus values. The record holds
// the angles in degrees; GP3.EXE in its own unit, 65,534 steps a full turn.

namespace tavolex {

inline constexpr int kCameraCount = 9;
inline constexpr int kCameraValueCount = 10;
inline constexpr std::size_t kCamerasOffset = 0x79E59E;

using CameraValues = std::array<std::int16_t, kCameraValueCount>;
using CameraRecord = std::array<CameraValues, kCameraCount>;

// What a value is, by its place in a camera: which range it takes and which text says so.
enum class CameraValueKind { Coordinate, Angle, Focus };
CameraValueKind KindOfCameraValue(int value);
int CameraValueLow(int value);  // -180 for angles, -32768 else
int CameraValueHigh(int value); // 180 for angles, 32767 else

CameraRecord DefaultCameras();

// The conversions of angles, each a single-precision product rounded half
// away from zero; reading limits the result to -180..180.
int AngleFromStored(std::int16_t stored);
std::int16_t StoredFromAngle(int degrees);

[[nodiscard]] Error ReadCameras(std::span<const std::uint8_t> exe, CameraRecord& cameras);
[[nodiscard]] Error WriteCameras(std::vector<std::uint8_t>& exe, const CameraRecord& cameras);

[[nodiscard]] Error ReadGameCameras(const GameFolder& game, ExeStatus status, CameraRecord& cameras);
[[nodiscard]] Error WriteGameCameras(const GameFolder& game, ExeStatus status, const CameraRecord& cameras);

} // namespace tavolex
