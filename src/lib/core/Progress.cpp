#include "core/Progress.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

namespace tavolex {

void ShowProgressFile(Progress* progress, const std::string& path) {
    if (progress == nullptr) {
        return;
    }
    std::string name = std::filesystem::path(path).filename().string();
    std::transform(name.begin(), name.end(), name.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    progress->setFile(name);
}

void SetProgressCounter(Progress* progress, int current, int total) {
    if (progress != nullptr) {
        progress->setCounter(current, total);
    }
}

} // namespace tavolex
