#include "game/GameFileList.h"

#include <algorithm>

#include "files/FileHelpers.h"
#include "formats/JamNames.h"
#include "formats/TyreGameFiles.h"

namespace tavolex {

std::vector<GameJamFile> GameJamFiles() {
    std::vector<GameJamFile> files;
    std::vector<std::string_view> seen;
    for (int k = 0; k <= 110; ++k) {
        if (JamName(k).empty() || k == 47) {
            continue; // 47 is named but never used
        }
        // Some recolouring names are other indices' files in another case:
        // on the game's file system they are the same file.
        const std::string_view name = JamName(k);
        if (std::any_of(seen.begin(), seen.end(),
                        [&](std::string_view other) { return EqualsIgnoreCase(other, name); })) {
            continue;
        }
        seen.push_back(name);
        for (Variant variant : {Variant::Software, Variant::Hardware}) {
            if (auto size = ExpectedJamSize(k, variant)) {
                files.push_back({k, variant, size->height, size->imageCount});
            }
        }
    }
    return files;
}

std::vector<std::string> TechJamBitmaps() {
    std::vector<std::string> names;
    for (TyreSheet sheet : {TyreSheet::HardwareWheels, TyreSheet::Treads}) {
        for (int type = 0; type < 2; ++type) {
            for (int half = 1; half <= 2; ++half) names.push_back(TyreGameBitmapName(sheet, type, half));
        }
    }
    return names;
}

} // namespace tavolex
