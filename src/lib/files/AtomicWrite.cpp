#include "files/AtomicWrite.h"

#include <cerrno>
#include <cstdio>
#include <fstream>
#include <random>
#include <system_error>
#include <vector>

#ifndef _WIN32
#include <fcntl.h>
#include <unistd.h>
#endif

namespace tavolex {
namespace fs = std::filesystem;

namespace {

fs::path TemporarySibling(const fs::path& target) {
    static std::mt19937 random(std::random_device{}());
    const auto folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
    for (int attempt = 0; attempt < 100; ++attempt) {
        char suffix[16];
        std::snprintf(suffix, sizeof suffix, ".%08x.tmp", static_cast<unsigned>(random()));
        std::string name = ".";
        name += target.filename().string();
        name += suffix;
        fs::path candidate = folder / name;
        std::error_code ec;
        if (!fs::exists(candidate, ec)) {
            return candidate;
        }
    }
    return {};
}

// Writes and flushes to disk; std::ofstream alone cannot promise the bytes reached it.
Error WriteAndSync(const fs::path& path, std::span<const std::uint8_t> bytes) {
#ifndef _WIN32
    int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0) {
        return errno == EACCES || errno == EPERM || errno == EROFS ? Error::AccessDenied
                                                                   : Error::WriteFailed;
    }
    std::size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n <= 0) {
            ::close(fd);
            return Error::WriteFailed;
        }
        done += static_cast<std::size_t>(n);
    }
    const bool synced = ::fsync(fd) == 0;
    return ::close(fd) == 0 && synced ? Error::None : Error::WriteFailed;
#else
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    out.flush();
    return out ? Error::None : Error::WriteFailed;
#endif
}

} // namespace

Error WriteFileAtomically(const fs::path& requested, std::span<const std::uint8_t> bytes) {
    std::error_code ec;
    // Replace what a link points to, not the link itself.
    fs::path path = requested;
    if (fs::is_symlink(fs::symlink_status(requested, ec))) {
        path = fs::canonical(requested, ec);
        if (ec) {
            return Error::WriteFailed;
        }
    }
    const bool existed = fs::exists(path, ec);
    fs::perms permissions = fs::perms::none;
    if (existed) {
        permissions = fs::status(path, ec).permissions();
        if (ec) {
            return Error::WriteFailed;
        }
    }

    const fs::path temporary = TemporarySibling(path);
    if (temporary.empty()) {
        return Error::WriteFailed;
    }
    if (Error error = WriteAndSync(temporary, bytes); !Ok(error)) {
        fs::remove(temporary, ec);
        return error;
    }
    if (existed) {
        fs::permissions(temporary, permissions | fs::perms::owner_write, ec);
    }
    fs::rename(temporary, path, ec);
    if (ec) {
        std::error_code ignored;
        fs::remove(temporary, ignored);
        return Error::WriteFailed;
    }
    return Error::None;
}

Error ReadWholeFile(const fs::path& path, std::size_t maxSize, std::vector<std::uint8_t>& bytes) {
    std::error_code ec;
    if (!fs::is_regular_file(path, ec)) {
        return Error::OpenFailed;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return Error::OpenFailed;
    }
    in.seekg(0, std::ios::end);
    const std::streamoff size = in.tellg();
    if (size < 0) {
        return Error::ReadFailed;
    }
    if (static_cast<std::uint64_t>(size) > maxSize) {
        return Error::FileTooLarge;
    }
    in.seekg(0, std::ios::beg);
    std::vector<std::uint8_t> content(static_cast<std::size_t>(size));
    if (!content.empty() &&
        !in.read(reinterpret_cast<char*>(content.data()), static_cast<std::streamsize>(size))) {
        return Error::ReadFailed;
    }
    bytes = std::move(content);
    return Error::None;
}

} // namespace tavolex
