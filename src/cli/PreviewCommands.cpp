#include "PreviewCommands.h"

#include "CommandTemporaryFolder.h"
#include "core/Texts.h"
#include "document/CarSetFile.h"
#include "formats/PackedBitmap.h"
#include "game/GraphicEnvironment.h"
#include "preview/CarSetPreview.h"
#include "preview/Thumbnail.h"

namespace tavolex::cli {

int PreviewCarSet(Arguments arguments) {
    const char* usage = "carset preview takes IN.GP3 OUT.png [--team T] [--width W]";
    PreviewOptions options;
    if (auto text = arguments.takeOption("--team")) {
        options.team = ParseInt(*text, 0, kTeamCount - 1);
        if (!options.team) {
            return UsageError("--team takes a team slot from 0 to 10");
        }
    }
    if (auto text = arguments.takeOption("--width")) {
        const auto width = ParseInt(*text, 1, PackedBitmap::kMaxSide);
        if (!width) {
            return UsageError("--width takes a whole number from 1 to 16384");
        }
        options.width = *width;
    }
    if (!arguments.valid() || arguments.positional().size() != 2) {
        return UsageError(usage);
    }
    CarSet carSet;
    if (int status = LoadCarSetFile(carSet, arguments.positional()[0]); status != kSuccess) {
        return status;
    }
    CommandTemporaryFolder temporary;
    // Generated pictures are made as the editor makes them, with its data folder.
    const GraphicEnvironment environment{temporary.path(), {}, EditorDataFolder()};
    if (Error error = SaveCarSetPreview(carSet, environment, options, arguments.positional()[1]); !Ok(error)) {
        return Fail(Text(TextId::CouldntSavePreview), ErrorText(error));
    }
    return kSuccess;
}

int RunThumbnailCommand(Arguments arguments) {
    const char* usage = "thumbnail takes --size N IN OUT.png";
    const auto text = arguments.takeOption("--size");
    if (!text || !arguments.valid() || arguments.positional().size() != 2) {
        return UsageError(usage);
    }
    const auto size = ParseInt(*text, 1, kMaxThumbnailSize);
    if (!size) {
        return UsageError("--size takes a whole number from 1 to 1024");
    }
    CommandTemporaryFolder temporary;
    const GraphicEnvironment environment{temporary.path(), {}, EditorDataFolder()};
    if (Error error = SaveThumbnail(arguments.positional()[0], *size, environment, arguments.positional()[1]);
        !Ok(error)) {
        return Fail(Text(TextId::CouldntMakeThumbnail), ErrorText(error));
    }
    return kSuccess;
}

} // namespace tavolex::cli
