#include "transfer/TransferMessages.h"

namespace tavolex {

TextId ImportFromGameMessage(Error /*error*/) { return TextId::FailedToReadGame; }

TextId ExportToGameMessage(Error error) {
    switch (error) {
    case Error::NothingToExport: return TextId::NothingToExport;
    case Error::TextureNotPatched: return TextId::FailedToPatchJam;
    case Error::ArtArchiveNotPatched: return TextId::FailedToPatchArt;
    default: return TextId::FailedToPatchGame;
    }
}

} // namespace tavolex
