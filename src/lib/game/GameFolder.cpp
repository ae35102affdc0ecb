#include "game/GameFolder.h"

#include <array>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <vector>

#include "core/ByteOrder.h"
#include "core/RunningChecksum.h"
#include "files/AtomicWrite.h"
#include "files/CaseInsensitivePath.h"
#include "game/GameConstants.h"
#include "game/GameIdentity.h"

#ifndef _WIN32
#include <cerrno>
#include <thread>

#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
extern char** environ;
#endif

namespace tavolex {
namespace fs = std::filesystem;

namespace {

constexpr std::size_t kChecksumBytes = 4;
// Save files are some 90 KB; anything far larger is not one.
constexpr std::size_t kMaxSaveFileSize = 16 * 1024 * 1024;

struct LanguageName {
    const char* utf8;
    const char* windows1252;
};

constexpr std::array<LanguageName, 5> kLanguageFiles = {{
    {"LDATA\\english.str", "LDATA\\english.str"},
    {"LDATA\\fran\xC3\xA7"
     "ais.str",
     "LDATA\\fran\xE7"
     "ais.str"},
    {"LDATA\\italiano.str", "LDATA\\italiano.str"},
    {"LDATA\\deutsch.str", "LDATA\\deutsch.str"},
    {"LDATA\\espa\xC3\xB1"
     "ol.str",
     "LDATA\\espa\xF1"
     "ol.str"},
}};

// The computed sum and rotating checksum of all but the last four bytes.
RunningChecksum SaveFileChecksum(std::span<const std::uint8_t> file) {
    RunningChecksum checksum;
    checksum.add(file.first(file.size() - kChecksumBytes));
    return checksum;
}

} // namespace

fs::path GameFolder::file(std::string_view relative) const { return ResolvePathIgnoringCase(folder_, relative); }

fs::path GameFolder::executable() const { return file("GP3.EXE"); }

fs::path GameFolder::saveFile() const { return file("F1GSTATE.SAV"); }

fs::path GameFolder::artArchive() const { return file("BITMAPS\\GP3ART5.BIN"); }

fs::path GameFolder::languageFile(Language language) const {
    const LanguageName& name = kLanguageFiles[static_cast<std::size_t>(language)];
    if (auto found = FindPathIgnoringCase(folder_, name.utf8)) {
        return *found;
    }
    if (auto found = FindPathIgnoringCase(folder_, name.windows1252)) {
        return *found;
    }
    return file(name.utf8);
}

ExeStatus IdentifyExecutable(const GameFolder& game) { return IdentifyGameExecutable(game).status; }

bool CheckSaveFile(const GameFolder& game) {
    if (game.empty()) {
        return false;
    }
    std::vector<std::uint8_t> file;
    if (!Ok(ReadWholeFile(game.saveFile(), kMaxSaveFileSize, file)) || file.size() < kChecksumBytes) {
        return false;
    }
    return HasValidChecksums(file);
}

bool HasValidChecksums(std::span<const std::uint8_t> file) {
    if (file.size() < kChecksumBytes) {
        return false;
    }
    const RunningChecksum checksum = SaveFileChecksum(file);
    const std::uint8_t* stored = file.data() + file.size() - kChecksumBytes;
    return ReadU16(stored) == checksum.sum && ReadU16(stored + 2) == checksum.rot;
}

Error StampSaveFileChecksums(std::vector<std::uint8_t>& file) {
    if (file.size() < kChecksumBytes) {
        return Error::TableOutsideFile;
    }
    const RunningChecksum checksum = SaveFileChecksum(file);
    std::uint8_t* stored = file.data() + file.size() - kChecksumBytes;
    WriteU16(stored, checksum.sum);
    WriteU16(stored + 2, checksum.rot);
    return Error::None;
}

Error StoreSaveFileChecksums(const fs::path& saveFile) {
    std::vector<std::uint8_t> file;
    if (Error error = ReadWholeFile(saveFile, kMaxSaveFileSize, file); !Ok(error)) {
        return error;
    }
    if (!Ok(StampSaveFileChecksums(file))) {
        return Error::ReadFailed;
    }
    return WriteFileAtomically(saveFile, file);
}

namespace {
// A Windows program's file starts with the letters "MZ".
bool IsWindowsProgram(const fs::path& program) {
    std::ifstream file(program, std::ios::binary);
    char magic[2] = {};
    return file.read(magic, 2) && magic[0] == 'M' && magic[1] == 'Z';
}
} // namespace

Error LaunchGame(const GameFolder& game, std::string* command) {
    const fs::path program = game.executable();
    std::vector<std::string> words;
    if (IsWindowsProgram(program)) {
        words.emplace_back("wine");
    }
    words.push_back(program.string());
    if (command != nullptr) {
        command->clear();
        for (const std::string& word : words) {
            *command += (command->empty() ? "" : " ") + word;
        }
    }
    std::error_code ec;
    if (!fs::is_regular_file(program, ec)) {
        return Error::OpenFailed;
    }
#ifndef _WIN32
    std::vector<char*> argv;
    argv.reserve(words.size() + 1);
    for (std::string& word : words) {
        argv.push_back(word.data());
    }
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addchdir_np(&actions, game.folder().c_str());
    pid_t child = 0;
    const int result = posix_spawnp(&child, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (result != 0) {
        return Error::OpenFailed;
    }
    // The game runs as long as the player likes; whoever waits for it must not hold up the editor.
    std::thread([child] {
        int status = 0;
        while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
        }
    }).detach();
    return Error::None;
#else
    return Error::OpenFailed;
#endif
}

} // namespace tavolex
