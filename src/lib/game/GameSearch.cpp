#include "game/GameSearch.h"

#include <algorithm>

#include "files/FileHelpers.h"
#include "game/GameFolder.h"

namespace tavolex {
namespace fs = std::filesystem;

namespace {

using Clock = std::chrono::steady_clock;

bool IsFolder(const fs::directory_entry& entry) {
    std::error_code ec;
    return entry.is_directory(ec) && !entry.is_symlink(ec);
}

// The prefixes (folders holding drive_c) directly inside `parent`.
void AddPrefixesIn(const fs::path& parent, std::vector<fs::path>& roots) {
    std::error_code ec;
    for (fs::directory_iterator it(parent, ec), end; !ec && it != end; it.increment(ec)) {
        if (IsFolder(*it)) {
            roots.push_back(it->path() / "drive_c");
        }
    }
}

class Search {
  public:
    Search(const GameSearchLimits& limits, const std::optional<ExeIdentificationText>& remembered)
        : limits_(limits), remembered_(remembered), deadline_(Clock::now() + limits.time) {}

    void walk(const fs::path& folder, int depth) {
        if (Clock::now() > deadline_) {
            result_.complete = false;
            return;
        }
        std::vector<fs::path> subfolders;
        bool hasGame = false;
        std::error_code ec;
        for (fs::directory_iterator it(folder, fs::directory_options::skip_permission_denied, ec), end;
             !ec && it != end; it.increment(ec)) {
            if (IsFolder(*it)) {
                subfolders.push_back(it->path());
            } else if (EqualsIgnoreCase(it->path().filename().string(), "GP3.EXE")) {
                hasGame = true;
            }
        }
        if (hasGame) {
            add(folder);
        }
        if (depth >= limits_.depth) {
            return;
        }
        // A steady order, so that the same disk gives the same list.
        std::sort(subfolders.begin(), subfolders.end());
        for (const fs::path& subfolder : subfolders) {
            walk(subfolder, depth + 1);
        }
    }

    GameSearchResult result() && { return std::move(result_); }

  private:
    void add(const fs::path& folder) {
        std::error_code ec;
        const fs::path canonical = fs::weakly_canonical(folder, ec);
        const fs::path& key = ec ? folder : canonical;
        if (std::any_of(seen_.begin(), seen_.end(), [&](const fs::path& other) { return other == key; })) {
            return;
        }
        seen_.push_back(key);
        const GameFolder game(folder);
        result_.games.push_back({folder, IdentifyGameExecutable(game, remembered_), CheckSaveFile(game)});
    }

    GameSearchLimits limits_;
    std::optional<ExeIdentificationText> remembered_;
    Clock::time_point deadline_;
    std::vector<fs::path> seen_;
    GameSearchResult result_;
};

} // namespace

std::vector<fs::path> GameSearchRoots(const Environment& environment, const std::vector<fs::path>& mountParents) {
    std::vector<fs::path> roots;
    if (!environment.winePrefix.empty()) {
        roots.push_back(fs::path(environment.winePrefix) / "drive_c");
    }
    if (!environment.home.empty()) {
        const fs::path home = environment.home;
        const fs::path data =
            environment.xdgDataHome.empty() ? home / ".local" / "share" : fs::path(environment.xdgDataHome);
        roots.push_back(home / ".wine" / "drive_c");
        AddPrefixesIn(data / "lutris" / "prefixes", roots);
        AddPrefixesIn(home / "Games", roots);
        AddPrefixesIn(data / "bottles" / "bottles", roots);
        AddPrefixesIn(home / ".var" / "app" / "com.usebottles.bottles" / "data" / "bottles" / "bottles", roots);
        AddPrefixesIn(home / ".PlayOnLinux" / "wineprefix", roots);
    }
    for (const fs::path& parent : mountParents) {
        roots.push_back(parent);
        if (!environment.user.empty()) {
            roots.push_back(parent / environment.user);
        }
    }
    return roots;
}

GameSearchResult FindGameInstallations(const std::vector<fs::path>& roots, const GameSearchLimits& limits,
                                       const std::optional<ExeIdentificationText>& remembered) {
    Search search(limits, remembered);
    for (const fs::path& root : roots) {
        std::error_code ec;
        if (fs::is_directory(root, ec)) {
            search.walk(root, 0);
        }
    }
    return std::move(search).result();
}

} // namespace tavolex
