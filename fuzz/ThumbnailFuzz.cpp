// The thumbnailer on any file: the first byte picks the size, the rest is the
// file (a car set or a JAM, told apart by its bytes as for a file manager).
// The file is written to a folder of the process's own, since a car set's
// pictures are read from its file when fetched.
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

#include "game/GraphicEnvironment.h"
#include "preview/Thumbnail.h"

namespace {

const std::filesystem::path& Folder() {
    static const std::filesystem::path folder = [] {
        std::string name = (std::filesystem::temp_directory_path() / "tavolex-fuzz-thumbnail-XXXXXX").string();
        const char* made = ::mkdtemp(name.data());
        return std::filesystem::path(made != nullptr ? made : name);
    }();
    return folder;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tavolex;
    if (size < 1) {
        return 0;
    }
    const int side = 1 + data[0] % 160;
    const std::filesystem::path file = Folder() / "input";
    {
        std::ofstream out(file, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data + 1), static_cast<std::streamsize>(size - 1));
    }
    const GraphicEnvironment environment{Folder(), {}, Folder()};
    PackedBitmap thumbnail;
    if (Ok(DrawThumbnail(file, side, environment, thumbnail))) {
        // A thumbnail is never larger than asked, in either direction.
        if (thumbnail.width() < 1 || thumbnail.height() < 1 || thumbnail.width() > side || thumbnail.height() > side ||
            thumbnail.depth() != Depth::Bits24) {
            __builtin_trap();
        }
    }
    return 0;
}
