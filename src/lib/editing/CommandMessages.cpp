#include "editing/CommandMessages.h"

#include "document/GraphicDeclarations.h"

namespace tavolex {

TextId GraphicCommandMessage(GraphicCommand command, GraphicKind kind, Variant variant, Error error) {
    switch (command) {
    case GraphicCommand::Import: return GameReadFailure(kind, variant);
    case GraphicCommand::Export: return DeclarationOf(kind).gameWriteFailure;
    default: return PictureCommandMessage(command, error);
    }
}

TextId PictureCommandMessage(GraphicCommand command, Error error) {
    switch (command) {
    case GraphicCommand::Import: return TextId::FailedToImportJam;
    case GraphicCommand::Export: return TextId::FailedToPatchJam;
    // A JAM file the user chose says so; any other file is a bitmap that would not load.
    case GraphicCommand::Load:
        return error == Error::JamNotLoaded ? TextId::FailedToImportJam : TextId::CouldntLoadBitmap;
    case GraphicCommand::Save: return TextId::CouldntSaveBitmap;
    case GraphicCommand::Generate: return TextId::FailedToGenerateBitmap;
    }
    return TextId::CouldntLoadBitmap;
}

TextId GameTableMessage(GraphicCommand command) {
    return command == GraphicCommand::Import ? TextId::FailedToReadGame : TextId::FailedToPatchGame;
}

} // namespace tavolex
