#include "files/CaseInsensitivePath.h"

#include <string>
#include <system_error>
#include <vector>

#include "files/FileHelpers.h"

namespace tavolex {
namespace fs = std::filesystem;

namespace {

std::vector<std::string> SplitComponents(std::string_view relative) {
    std::vector<std::string> parts;
    std::string current;
    for (char c : relative) {
        if (c == '\\' || c == '/') {
            if (!current.empty()) {
                parts.push_back(std::move(current));
            }
            current.clear();
        } else {
            current.push_back(c);
        }
    }
    if (!current.empty()) {
        parts.push_back(std::move(current));
    }
    return parts;
}

std::optional<fs::path> FindChild(const fs::path& folder, const std::string& name) {
    std::error_code ec;
    fs::path exact = folder / name;
    if (fs::exists(exact, ec)) {
        return exact;
    }
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        if (EqualsIgnoreCase(it->path().filename().string(), name)) {
            return it->path();
        }
    }
    return std::nullopt;
}

} // namespace

std::optional<fs::path> FindPathIgnoringCase(const fs::path& base, std::string_view relative) {
    fs::path current = base;
    for (const std::string& part : SplitComponents(relative)) {
        if (part == "." || part == "..") {
            return std::nullopt; // game names never climb out of the game folder
        }
        auto child = FindChild(current, part);
        if (!child) {
            return std::nullopt;
        }
        current = *child;
    }
    return current;
}

fs::path ResolvePathIgnoringCase(const fs::path& base, std::string_view relative) {
    fs::path current = base;
    bool found = true;
    for (const std::string& part : SplitComponents(relative)) {
        std::optional<fs::path> child = found ? FindChild(current, part) : std::nullopt;
        found = child.has_value();
        current = found ? *child : current / part;
    }
    return current;
}

} // namespace tavolex
