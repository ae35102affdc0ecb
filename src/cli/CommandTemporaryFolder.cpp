#include "CommandTemporaryFolder.h"

#include "settings/AppPaths.h"

namespace tavolex::cli {

CommandTemporaryFolder::CommandTemporaryFolder() {
    AppPaths paths;
    paths.temporaryParent = Environment::FromProcess().systemTemp;
    path_ = MakeTemporaryFolder(paths).value_or(std::filesystem::path());
}

CommandTemporaryFolder::~CommandTemporaryFolder() {
    if (!path_.empty()) {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
}

} // namespace tavolex::cli
