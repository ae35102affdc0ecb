#include "game/LevelNames.h"

#include <vector>

#include "files/AtomicWrite.h"

namespace tavolex {
namespace {
constexpr std::size_t kHeaderSize = 4;
constexpr std::size_t kMaxLanguageFileSize = 8 * 1024 * 1024;
} // namespace

Error FindLevelName(std::span<const std::uint8_t> file, std::size_t& start, std::size_t& end) {
    std::size_t at = kHeaderSize;
    for (int passed = 0; passed < kLevelNameEntry; ++at) {
        if (at >= file.size()) {
            return Error::LevelNameMissing;
        }
        passed += file[at] == 0 ? 1 : 0;
    }
    // The entry needs at least one byte; as the file's last entry it may lack
    // its terminator, and then runs to the end of the file.
    if (at >= file.size()) {
        return Error::LevelNameMissing;
    }
    start = at;
    while (at < file.size() && file[at] != 0) {
        ++at;
    }
    end = at;
    return Error::None;
}

Error ReadLevelName(const GameFolder& game, Language language, FixedText<32>& name) {
    std::vector<std::uint8_t> file;
    if (Error error = ReadWholeFile(game.languageFile(language), kMaxLanguageFileSize, file); !Ok(error)) {
        return error;
    }
    std::size_t start = 0;
    std::size_t end = 0;
    if (Error error = FindLevelName(file, start, end); !Ok(error)) {
        return error;
    }
    name.assign(std::string_view(reinterpret_cast<const char*>(file.data() + start), end - start));
    return Error::None;
}

Error WriteLevelName(const GameFolder& game, Language language, std::string_view name) {
    const auto path = game.languageFile(language);
    std::vector<std::uint8_t> file;
    if (Error error = ReadWholeFile(path, kMaxLanguageFileSize, file); !Ok(error)) {
        return error;
    }
    std::size_t start = 0;
    std::size_t end = 0;
    if (Error error = FindLevelName(file, start, end); !Ok(error)) {
        return error;
    }
    const std::string_view kept = name.substr(0, FixedText<32>::kCapacity);
    std::vector<std::uint8_t> updated(file.begin(), file.begin() + static_cast<std::ptrdiff_t>(start));
    updated.insert(updated.end(), kept.begin(), kept.end());
    updated.insert(updated.end(), file.begin() + static_cast<std::ptrdiff_t>(end), file.end());
    // The previous version first, so that a failure after it still leaves a whole file under each name.
    std::filesystem::path backup = path;
    backup += ".old";
    if (Error error = WriteFileAtomically(backup, file); !Ok(error)) {
        return error;
    }
    return WriteFileAtomically(path, updated);
}

} // namespace tavolex
