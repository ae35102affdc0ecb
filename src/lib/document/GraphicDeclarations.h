#pragma once

#include <filesystem>
#include <functional>
#include <optional>

#include "core/Error.h"
#include "core/Progress.h"
#include "core/Texts.h"
#include "core/Variant.h"
#include "document/GraphicKind.h"
#include "formats/PackedBitmap.h"
#include "formats/TyreBitmaps.h"

// What each lazily held kind of graphic brings to the common fetch rules:
// how to read a slot from the installed game and how to make one variant from
// the other. Everything else (sizes, car set section, temporary file) is in the
// kind's data. A kind whose game reader or generator is not there yet simply
// fails those sources.

namespace tavolex {

class GameGraphicAccess;

// The folders a fetch may need, and how the installed game gives and takes
// pictures (game/GraphicContext.h fills it in; without it the game's
// pictures cannot be read or written).
struct GraphicContext {
    std::filesystem::path temporaryFolder;
    std::filesystem::path gameFolder;
    std::filesystem::path dataFolder; // the editor's own data files (the cockpit mask)
    // Where given, writing a picture into the game names each file it patches.
    Progress* progress = nullptr;
    const GameGraphicAccess* game = nullptr;
};

// Each kind's reader and writer of the installed game's files.
class GameGraphicAccess {
  public:
    virtual ~GameGraphicAccess() = default;
    [[nodiscard]] virtual Error read(const GraphicContext& context, GraphicKind kind, int slot, Variant variant,
                                     PackedBitmap& out) const = 0;
    [[nodiscard]] virtual Error write(const GraphicContext& context, GraphicKind kind, int slot, Variant variant,
                                      const PackedBitmap& image) const = 0;
};

struct GraphicKindDeclaration {
    GraphicKind kind;
    // The messages when the game's files cannot give or take the picture.
    TextId gameReadFailure;
    TextId gameWriteFailure;
    std::function<Error(const GraphicContext&, int slot, Variant, PackedBitmap&)> readFromGame;
    // Puts a picture of the slot's size and the variant's depth into the game's files.
    std::function<Error(const GraphicContext&, int slot, Variant, const PackedBitmap&)> writeToGame;
    // Makes `target` from `source`, the other variant of the same slot.
    std::function<Error(const GraphicContext&, Variant target, const PackedBitmap& source, PackedBitmap& result)>
        generate;
    // Where the hardware variant's game read fails with a message of its own (tyres).
    std::optional<TextId> hardwareReadFailure = std::nullopt;
    // A kind whose user file is not a plain bitmap of the sheet (the 1024-wide
    // art sheet bitmap) reads and writes it with these.
    std::function<Error(const std::filesystem::path&, PackedBitmap&)> loadFile = nullptr;
    std::function<Error(const std::filesystem::path&, const PackedBitmap&)> saveFile = nullptr;
};

const GraphicKindDeclaration& DeclarationOf(GraphicKind kind);

// The sheet of a tyre or tread slot's variant.
TyreSheet TyreSheetOf(GraphicKind kind, Variant variant);

// The message of a failed game read of a kind's variant.
TextId GameReadFailure(GraphicKind kind, Variant variant);

// A kind's user file (SourceFile): a bitmap of the sheet's size and the
// variant's depth, or what the kind reads and writes instead.
[[nodiscard]] Error LoadGraphicFile(GraphicKind kind, Variant variant, const std::filesystem::path& path,
                                    PackedBitmap& image);
[[nodiscard]] Error SaveGraphicFile(GraphicKind kind, const std::filesystem::path& path, const PackedBitmap& image);

} // namespace tavolex
