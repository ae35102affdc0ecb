#pragma once

#include <filesystem>
#include <string>

#include "core/Error.h"
#include "core/Variant.h"
#include "document/GraphicKind.h"

// Why a picture file was refused, said the same way by the command line and
// under the editor's messages.

namespace tavolex {

// The fault's own text, with the size wanted when the size was wrong:
// "the bitmap does not have the required width and height (256 x 256 wanted)".
std::string PictureProblem(Error error, int width, int height);
// The same for a file of a picture of `kind` in `variant`.
std::string PictureProblem(Error error, GraphicKind kind, Variant variant);

// The picture a command wanted from a file: the kind's whole picture in the
// variant, or a part of it of `width` x `height` (a helmet, a pit box sign).
struct WantedPicture {
    GraphicKind kind;
    Variant variant;
    int width = 0; // 0: the whole picture
    int height = 0;
};

// Why `path` cannot be loaded as the `wanted` picture; empty when the file
// itself reads as such a picture (the command failed for another reason) and
// for JAM files, whose faults their own messages name.
std::string PictureRefusal(const WantedPicture& wanted, const std::filesystem::path& path);

} // namespace tavolex
