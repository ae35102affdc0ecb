#pragma once

#include <chrono>
#include <filesystem>
#include <optional>
#include <vector>

#include "game/GameIdentity.h"
#include "settings/AppPaths.h"

// Finding installations of the game on a first run: GP3.EXE (any case) in the
// places Windows programs live on this system, a few folders deep at most and
// within a time limit, so that a crowded disk never holds the editor up.

namespace tavolex {

struct GameSearchLimits {
    int depth = 4; // folders below a place's root
    std::chrono::milliseconds time{900};
};

// Where to look, in this order: the C: drive of $WINEPREFIX and of ~/.wine;
// the prefixes of Lutris (its data folder and ~/Games), Bottles (also as a
// Flatpak) and PlayOnLinux; the Windows drives mounted under /mnt, /media,
// /media/USER and /run/media/USER. `mountParents` replaces those system
// folders (tests keep to their own).
std::vector<std::filesystem::path> GameSearchRoots(const Environment& environment,
                                                   const std::vector<std::filesystem::path>& mountParents = {
                                                       "/mnt", "/media", "/run/media"});

struct FoundGame {
    std::filesystem::path folder;
    ExeIdentity identity;
    bool saveFileValid = false;
};

struct GameSearchResult {
    std::vector<FoundGame> games; // each folder once, in the order found
    bool complete = true;         // false when the time ran out first
};

// Folders holding GP3.EXE under the roots, each identified as the
// configuration would (with `remembered` as the learnt identification text).
// Symbolic links are not followed, so a prefix's link to / is no way round
// the depth; folders that cannot be read are passed over.
GameSearchResult FindGameInstallations(const std::vector<std::filesystem::path>& roots,
                                       const GameSearchLimits& limits = {},
                                       const std::optional<ExeIdentificationText>& remembered = std::nullopt);

} // namespace tavolex
