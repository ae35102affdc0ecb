#include "JamCommands.h"

#include <filesystem>
#include <iostream>

#include "TerminalProgress.h"
#include "core/Texts.h"
#include "formats/GameJam.h"
#include "formats/HardwareJam.h"
#include "formats/JamNames.h"
#include "formats/PictureFile.h"
#include "formats/SoftwareJam.h"

namespace tavolex::cli {
namespace {

constexpr int kSheetWidth = 256;
constexpr int kMaxHeight = 65535;

int ReadJam(Arguments arguments) {
    std::optional<int> height;
    if (auto text = arguments.takeOption("--height")) {
        height = ParseInt(*text, 1, kMaxHeight);
        if (!height) {
            return UsageError("--height takes a whole number from 1 to 65535");
        }
    }
    if (!arguments.valid() || arguments.positional().size() != 2) {
        return UsageError("jam read takes IN.JAM OUT.BMP|OUT.PNG [--height H]");
    }
    const std::filesystem::path in = arguments.positional()[0];
    const std::filesystem::path out = arguments.positional()[1];
    if (!height) {
        JamKind kind;
        int count = 0;
        int headerHeight = 0;
        if (Error error = IdentifyJamFile(in, kind, count, headerHeight); !Ok(error)) {
            return Fail(Text(TextId::FailedToImportJam), ErrorText(error));
        }
        height = headerHeight;
    }
    PackedBitmap image;
    JamKind kind;
    if (Error error = ReadJamFile(in, *height, image, kind); !Ok(error)) {
        return Fail(Text(TextId::FailedToImportJam), ErrorText(error));
    }
    if (Error error = SavePictureFile(out, image); !Ok(error)) {
        return Fail(Text(TextId::CouldntSaveBitmap), ErrorText(error));
    }
    std::cout << (kind == JamKind::Software ? "software" : "hardware") << '\n';
    return kSuccess;
}

int PatchJam(Arguments arguments) {
    if (!arguments.valid() || arguments.positional().size() != 2) {
        return UsageError("jam patch takes JAM IN.BMP|IN.PNG");
    }
    const std::filesystem::path jam = arguments.positional()[0];
    const std::filesystem::path bitmap = arguments.positional()[1];
    JamKind kind;
    int count = 0;
    int height = 0;
    if (Error error = IdentifyJamFile(jam, kind, count, height); !Ok(error)) {
        return Fail(Text(TextId::FailedToPatchJam), ErrorText(error));
    }
    const bool software = kind == JamKind::Software;
    PackedBitmap image;
    if (Error error = LoadPictureFile(bitmap, image, kSheetWidth, height, software ? Depth::Bits8 : Depth::Bits24);
        !Ok(error)) {
        return Fail(Text(TextId::CouldntLoadBitmap), ErrorText(error));
    }
    TerminalProgress progress;
    progress.begin(1);
    const Error error =
        software ? PatchSoftwareJam(jam, image, height, count, UsesIdentityTables(jam.stem().string()), &progress)
                 : PatchHardwareJam(jam, image, height, count, &progress);
    progress.end();
    if (!Ok(error)) {
        return Fail(Text(TextId::FailedToPatchJam), ErrorText(error));
    }
    return kSuccess;
}

} // namespace

int RunJamCommand(Arguments arguments) { return Dispatch("jam", arguments, {{"read", ReadJam}, {"patch", PatchJam}}); }

} // namespace tavolex::cli
