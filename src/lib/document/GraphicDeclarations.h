#pragma once

#include <filesystem>
#include <functional>

#include "core/Error.h"
#include "core/Texts.h"
#include "core/Variant.h"
#include "document/GraphicKind.h"
#include "formats/PackedBitmap.h"

// What each lazily held kind of graphic brings to the common fetch rules:
// how to read a slot from the installed game and how to make one variant from
// the other. Everything else (sizes, car set section, temporary file) is in the
// kind's data. A kind whose game reader or generator is not there yet simply
// fails those sources.

namespace tavolex {

// The folders a fetch may need.
struct GraphicEnvironment {
    std::filesystem::path temporaryFolder;
    std::filesystem::path gameFolder;
    std::filesystem::path dataFolder; // the editor's own data files (the cockpit mask)
};

struct GraphicKindDeclaration {
    GraphicKind kind;
    // The messages when the game's files cannot give or take the picture.
    TextId gameReadFailure;
    TextId gameWriteFailure;
    std::function<Error(const GraphicEnvironment&, int slot, Variant, PackedBitmap&)> readFromGame;
    // Puts a picture of the slot's size and the variant's depth into the game's files.
    std::function<Error(const GraphicEnvironment&, int slot, Variant, const PackedBitmap&)> writeToGame;
    // Makes `target` from `source`, the other variant of the same slot.
    std::function<Error(const GraphicEnvironment&, Variant target, const PackedBitmap& source,
                        PackedBitmap& result)>
        generate;
};

const GraphicKindDeclaration& DeclarationOf(GraphicKind kind);

} // namespace tavolex
