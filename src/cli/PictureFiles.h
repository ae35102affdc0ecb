#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/Variant.h"
#include "document/GraphicKind.h"

// The file names `carset extract` writes and `carset pack` reads, one per
// picture slot: "car-03-hardware.bmp", "helmets-software.bmp", "tread-1.bmp",
// "artwork-10.bmp" (the 1024 x 650 art sheet bitmap), ...

namespace tavolex::cli {

struct PictureFile {
    GraphicKind kind;
    int slot;
    Variant variant;
    std::string name;
};

// Every slot of every kind, in a stable order.
const std::vector<PictureFile>& AllPictureFiles();

// The file's name with ".png" in place of ".bmp".
std::string PngName(const PictureFile& file);

} // namespace tavolex::cli
