#include "PictureFiles.h"

#include <cstdio>

namespace tavolex::cli {
namespace {

std::string VariantWord(Variant variant) { return variant == Variant::Software ? "software" : "hardware"; }

std::string TwoDigits(int slot) {
    char text[8];
    std::snprintf(text, sizeof text, "%02d", slot);
    return text;
}

std::vector<PictureFile> MakeList() {
    std::vector<PictureFile> files;
    const struct {
        GraphicKind kind;
        const char* word;
    } teamKinds[] = {
        {GraphicKind::CarLivery, "car"}, {GraphicKind::Cockpit, "cockpit"}, {GraphicKind::PitCrew, "pitcrew"}};
    for (const auto& [kind, word] : teamKinds) {
        for (int t = 0; t < 11; ++t) {
            for (Variant v : {Variant::Software, Variant::Hardware}) {
                files.push_back({kind, t, v, std::string(word) + "-" + TwoDigits(t) + "-" + VariantWord(v) + ".bmp"});
            }
        }
    }
    for (Variant v : {Variant::Software, Variant::Hardware}) {
        files.push_back({GraphicKind::Helmets, 0, v, "helmets-" + VariantWord(v) + ".bmp"});
    }
    for (int i = 0; i < 2; ++i) {
        for (Variant v : {Variant::Software, Variant::Hardware}) {
            files.push_back({GraphicKind::Tyre, i, v, "tyre-" + std::to_string(i) + "-" + VariantWord(v) + ".bmp"});
        }
    }
    for (int i = 0; i < 2; ++i) {
        files.push_back({GraphicKind::Tread, i, Variant::Hardware, "tread-" + std::to_string(i) + ".bmp"});
    }
    for (Variant v : {Variant::Software, Variant::Hardware}) {
        files.push_back({GraphicKind::PitBoxes, 0, v, "pitbox-" + VariantWord(v) + ".bmp"});
    }
    for (int t = 0; t < 11; ++t) {
        files.push_back({GraphicKind::MenuArtwork, t, Variant::Hardware, "artwork-" + TwoDigits(t) + ".bmp"});
    }
    return files;
}

} // namespace

std::string PngName(const PictureFile& file) { return file.name.substr(0, file.name.size() - 4) + ".png"; }

const std::vector<PictureFile>& AllPictureFiles() {
    static const std::vector<PictureFile> files = MakeList();
    return files;
}

} // namespace tavolex::cli
