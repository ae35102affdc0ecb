#pragma once

#include <filesystem>
#include <tuple>
#include <vector>

#include "document/CarSet.h"
#include "document/GraphicDeclarations.h"

namespace tavolex::bench {

// A car set with every slot of every kind filled with photographic content,
// and the bitmap files its slots come from, made once per run.
struct FullCarSet {
    std::filesystem::path folder = std::filesystem::temp_directory_path() / "tavolex-bench-carset";
    GraphicEnvironment environment;
    CarSet carSet;
    std::vector<std::tuple<GraphicKind, int, Variant, std::filesystem::path>> files;

    FullCarSet();
    // Points every slot at its file again (a save makes them the car set file's).
    void useFiles();
};

FullCarSet& Full();

// The full car set saved as a car set file, once; its path.
const std::filesystem::path& FullCarSetFile();

// Opens that file and fetches every picture of it, as a user who looks at
// every page would; false when any step fails.
bool LoadAndFetchEverySlot();

} // namespace tavolex::bench
