#include "formats/GameJam.h"

#include <string>
#include <vector>

#include "files/CaseInsensitivePath.h"
#include "formats/BitmapFile.h"
#include "formats/HardwareJam.h"
#include "formats/JamNames.h"
#include "formats/SoftwareJam.h"

namespace tavolex {

std::optional<std::filesystem::path> GameJamPath(const std::filesystem::path& gameFolder, int k, Variant variant) {
    const std::string_view name = JamName(k);
    if (name.empty()) {
        return std::nullopt;
    }
    const std::string relative =
        std::string(variant == Variant::Software ? "ZO3ZIDS\\" : "ZO3ZIDSH\\") + std::string(name) + ".JAM";
    return FindPathIgnoringCase(gameFolder, relative);
}

Error ReadGameJam(const std::filesystem::path& gameFolder, int k, Variant variant, int height, int imageCount,
                  PackedBitmap& image, Progress* progress) {
    const auto path = GameJamPath(gameFolder, k, variant);
    if (!path) {
        return Error::OpenFailed;
    }
    return variant == Variant::Software ? ReadSoftwareJam(*path, height, imageCount, image, progress)
                                        : ReadHardwareJam(*path, height, imageCount, image, progress);
}

Error PatchGameJam(const std::filesystem::path& gameFolder, const PackedBitmap& image, int k, Variant variant,
                   int height, int imageCount, Progress* progress) {
    const auto path = GameJamPath(gameFolder, k, variant);
    if (!path) {
        return Error::OpenFailed;
    }
    return variant == Variant::Software
               ? PatchSoftwareJam(*path, image, height, imageCount, UsesIdentityTables(k), progress)
               : PatchHardwareJam(*path, image, height, imageCount, progress);
}

Error ReadJamFile(const std::filesystem::path& path, int height, PackedBitmap& image, JamKind& kind) {
    kind = JamKind::None;
    const Error software = ReadSoftwareJam(path, height, std::nullopt, image);
    if (Ok(software)) {
        kind = JamKind::Software;
        return Error::None;
    }
    const Error hardware = ReadHardwareJam(path, height, std::nullopt, image);
    if (Ok(hardware)) {
        kind = JamKind::Hardware;
        return Error::None;
    }
    // The more telling reason: a file with the hardware mark failed as hardware.
    return hardware == Error::BadMagic ? software : hardware;
}

Error IdentifyJamFile(const std::filesystem::path& path, JamKind& kind, int& imageCount, int& height) {
    std::vector<std::uint8_t> header;
    if (Error error = ReadFilePrefix(path, kHardwareJamHeaderSize, header); !Ok(error)) {
        return error;
    }
    if (Ok(PeekHardwareJamHeader(header, imageCount, height))) {
        kind = JamKind::Hardware;
        return Error::None;
    }
    if (Error error = PeekSoftwareJamHeader(header, imageCount, height); !Ok(error)) {
        return error;
    }
    kind = JamKind::Software;
    return Error::None;
}

} // namespace tavolex
