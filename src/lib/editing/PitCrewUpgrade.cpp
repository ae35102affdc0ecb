#include "editing/PitCrewUpgrade.h"

#include <algorithm>
#include <string>

#include "core/Texts.h"
#include "editing/PitCrewTemplates.h"
#include "files/AtomicWrite.h"
#include "formats/GameJam.h"
#include "formats/JamNames.h"
#include "formats/SoftwareJam.h"
#include "game/GameFolder.h"

namespace tavolex {
namespace {

constexpr int kFirstJam = 100; // the recolouring sheets' indices in the JAM name table
constexpr int kFirstMask = 19000;
constexpr std::size_t kStampBytes = 4;
constexpr std::size_t kWidth = 256;

// The sheet's height and image count, as the name table knows them.
JamSheetSize SizeOf(int file) {
    return ExpectedJamSize(kFirstJam + file, Variant::Software).value_or(JamSheetSize{0, 0});
}

bool InRange(int p, int low, int high) { return p >= low && p <= high; }

std::uint8_t Recolour(int p, std::uint8_t m) {
    if (m == 246 || m == 243 || m == 253) {
        if (InRange(p, 64, 79))
            p = std::min(p + 1, 79);
        if (InRange(p, 1, 15))
            p = 64;
    }
    if (m == 252) {
        if (InRange(p, 144, 159))
            p = std::min(p + 1, 159);
        if (InRange(p, 1, 15))
            p = 144;
    }
    if (m == 254 && InRange(p, 64, 79))
        p += 112;
    if (m == 246 && InRange(p, 64, 79))
        p += 128;
    if (m == 253 && InRange(p, 64, 79))
        p += 144;
    if (m == 247 && InRange(p, 64, 79))
        p -= 80;
    if (m == 247 && InRange(p, 48, 63))
        p -= 64;
    if (m == 245 && InRange(p, 160, 175))
        p += 64;
    if (m == 242 && InRange(p, 136, 143))
        p -= 8;
    return static_cast<std::uint8_t>(p & 0xFF);
}

std::optional<std::filesystem::path> PathOf(const std::filesystem::path& gameFolder, int file) {
    return GameJamPath(gameFolder, kFirstJam + file, Variant::Software);
}

std::size_t MaxFileSize(int file) {
    const JamSheetSize size = SizeOf(file);
    return MaxSoftwareJamSize(size.imageCount, size.height) + kStampBytes;
}

// Recolours and stamps one file in a single write, so a file is never left recoloured but unstamped.
Error UpgradeFile(const std::filesystem::path& path, int file, std::span<const std::uint8_t> mask) {
    const JamSheetSize info = SizeOf(file);
    std::vector<std::uint8_t> bytes;
    if (Error error = ReadWholeFile(path, MaxFileSize(file), bytes); !Ok(error)) {
        return error;
    }
    PackedBitmap picture;
    if (Error error = DecodeSoftwareJam(bytes, info.height, info.imageCount, picture); !Ok(error)) {
        return error;
    }
    if (picture.pixelBytes() != mask.size()) {
        return Error::WrongBitmapSize;
    }
    RecolourPitCrewPixels({picture.pixels(), picture.pixelBytes()}, mask);
    std::vector<std::uint8_t> patched;
    if (Error error = PatchSoftwareJamBytes(bytes, picture, info.height, info.imageCount, false, patched); !Ok(error)) {
        return error;
    }
    patched.resize(patched.size() + kStampBytes);
    if (!Ok(StampSaveFileChecksums(patched))) {
        return Error::WrongBitmapSize;
    }
    return WriteFileAtomically(path, patched);
}

} // namespace

std::size_t PitCrewMaskSize(int file) { return kWidth * static_cast<std::size_t>(SizeOf(file).height); }

Error ReadPitCrewUpgradeTexture(const std::filesystem::path& gameFolder, int file, PackedBitmap& picture) {
    if (file < 0 || file >= kPitCrewUpgradeFiles) {
        return Error::OpenFailed;
    }
    const JamSheetSize size = SizeOf(file);
    return ReadGameJam(gameFolder, kFirstJam + file, Variant::Software, size.height, size.imageCount, picture);
}

std::filesystem::path PitCrewMaskPath(const std::filesystem::path& dataFolder, int file) {
    return dataFolder / "pitcrew-masks" / (std::to_string(kFirstMask + file) + ".bin");
}

Error LoadPitCrewMasks(const std::filesystem::path& dataFolder, std::array<std::vector<std::uint8_t>, 11>& masks) {
    std::array<std::vector<std::uint8_t>, 11> read;
    for (int file = 0; file < kPitCrewUpgradeFiles; ++file) {
        auto& mask = read[static_cast<std::size_t>(file)];
        // A mask of the wrong size counts as missing.
        if (!Ok(ReadWholeFile(PitCrewMaskPath(dataFolder, file), PitCrewMaskSize(file), mask)) ||
            mask.size() != PitCrewMaskSize(file)) {
            return Error::ReadFailed;
        }
    }
    masks = std::move(read);
    return Error::None;
}

void RecolourPitCrewPixels(std::span<std::uint8_t> pixels, std::span<const std::uint8_t> mask) {
    const std::size_t count = std::min(pixels.size(), mask.size());
    for (std::size_t k = 0; k < count; ++k) {
        if (mask[k] != 0) {
            pixels[k] = Recolour(pixels[k], mask[k]);
        }
    }
}

std::vector<int> PitCrewFilesNeedingUpgrade(const std::filesystem::path& gameFolder) {
    std::vector<int> files;
    for (int file = 0; file < kPitCrewUpgradeFiles; ++file) {
        const auto path = PathOf(gameFolder, file);
        std::vector<std::uint8_t> bytes;
        if (!path) {
            continue;
        }
        // A file that cannot even be read is left to the upgrade to skip.
        if (!Ok(ReadWholeFile(*path, MaxFileSize(file), bytes)) || !HasValidChecksums(bytes)) {
            files.push_back(file);
        }
    }
    return files;
}

PitCrewFilesState PitCrewUpgradeState(const std::filesystem::path& gameFolder,
                                      const std::filesystem::path& dataFolder) {
    if (PitCrewFilesNeedingUpgrade(gameFolder).empty()) {
        return PitCrewFilesState::Upgraded;
    }
    std::array<std::vector<std::uint8_t>, 11> masks;
    return Ok(LoadPitCrewMasks(dataFolder, masks)) ? PitCrewFilesState::NeedsUpgrade : PitCrewFilesState::NoMasks;
}

Error UpgradePitCrewFiles(const std::filesystem::path& gameFolder, const std::filesystem::path& dataFolder,
                          Progress* progress, const std::function<void(int file)>& upgraded) {
    const std::vector<int> files = PitCrewFilesNeedingUpgrade(gameFolder);
    if (files.empty()) {
        return Error::None;
    }
    std::array<std::vector<std::uint8_t>, 11> masks;
    if (!Ok(LoadPitCrewMasks(dataFolder, masks))) {
        return Error::OpenFailed;
    }
    const int total = static_cast<int>(files.size());
    if (progress != nullptr) {
        progress->begin(total);
        progress->setHeading(std::string(Text(TextId::HeadingUpgradingPitCrew)));
    }
    Error first = Error::None;
    for (int k = 0; k < total; ++k) {
        const int file = files[static_cast<std::size_t>(k)];
        const auto path = PathOf(gameFolder, file);
        if (progress != nullptr) {
            ShowProgressFile(progress, path ? path->string() : std::string());
        }
        const Error error = path ? UpgradeFile(*path, file, masks[static_cast<std::size_t>(file)]) : Error::OpenFailed;
        if (Ok(error) && upgraded) {
            upgraded(file);
        } else if (!Ok(error) && Ok(first)) {
            first = error;
        }
        SetProgressCounter(progress, total - k, total);
        if (progress != nullptr) {
            progress->step(1);
        }
    }
    if (progress != nullptr) {
        progress->end();
    }
    DeletePitCrewTemplates(dataFolder);
    return first;
}

} // namespace tavolex
