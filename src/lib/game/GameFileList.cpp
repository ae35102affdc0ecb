#include "game/GameFileList.h"

#include <algorithm>

#include "files/FileHelpers.h"
#include "formats/JamNames.h"

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
        if (std::any_of(seen.begin(), seen.end(), [&](std::string_view other) { return EqualsIgnoreCase(other, name); })) {
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
    return {"ZO3ZIDSH\\TechJam\\Whblur0.bmp",       "ZO3ZIDSH\\TechJam\\Whblur1.bmp",
            "ZO3ZIDSH\\TechJam\\Whbridg0.bmp",      "ZO3ZIDSH\\TechJam\\Whbridg1.bmp",
            "ZO3ZIDSH\\TechJam\\treadgy1_art.bmp",  "ZO3ZIDSH\\TechJam\\treadgy2_art.bmp",
            "ZO3ZIDSH\\TechJam\\treadbs1_art.bmp",  "ZO3ZIDSH\\TechJam\\treadbs2_art.bmp"};
}

} // namespace tavolex
