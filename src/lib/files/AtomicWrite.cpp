#include "files/AtomicWrite.h"

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <optional>
#include <random>
#include <string>
#include <system_error>
#include <vector>

#include "files/WriteFaults.h"

#ifndef _WIN32
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace tavolex {
namespace fs = std::filesystem;

void SyncFolderOf(const fs::path& path);

namespace {

constexpr std::size_t kRandomDigits = 8;
constexpr const char* kTemporaryEnding = ".tmp";

fs::path FolderOf(const fs::path& target) { return target.has_parent_path() ? target.parent_path() : fs::path("."); }

// ".NAME.xxxxxxxx.tmp" beside NAME: hidden, and recognisable as ours.
fs::path TemporarySibling(const fs::path& target) {
    static std::mt19937 random(std::random_device{}());
    char suffix[16];
    std::snprintf(suffix, sizeof suffix, ".%08x", static_cast<unsigned>(random()));
    return FolderOf(target) / ("." + target.filename().string() + suffix + kTemporaryEnding);
}

bool IsTemporarySiblingName(const std::string& name, const std::string& target) {
    const std::size_t digitsAt = 1 + target.size() + 1;
    if (name.size() != digitsAt + kRandomDigits + 4 || name[0] != '.' || name.compare(1, target.size(), target) != 0 ||
        name[digitsAt - 1] != '.' || name.compare(digitsAt + kRandomDigits, 4, kTemporaryEnding) != 0) {
        return false;
    }
    for (std::size_t i = digitsAt; i < digitsAt + kRandomDigits; ++i) {
        const char c = name[i];
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'))) {
            return false;
        }
    }
    return true;
}

// A write that was killed before its rename leaves its temporary file behind;
// one older than a day belongs to no write still running.
void RemoveStaleSiblings(const fs::path& target) {
    const std::string name = target.filename().string();
    const auto limit = fs::file_time_type::clock::now() - std::chrono::hours(24);
    std::error_code ec;
    for (fs::directory_iterator it(FolderOf(target), ec), end; !ec && it != end; it.increment(ec)) {
        if (!IsTemporarySiblingName(it->path().filename().string(), name)) {
            continue;
        }
        std::error_code failed;
        const auto written = it->last_write_time(failed);
        if (!failed && it->is_regular_file(failed) && !failed && written < limit) {
            fs::remove(it->path(), failed);
        }
    }
}

#ifndef _WIN32

Error ErrorOf(int number) {
    switch (number) {
    case 0: return Error::None;
    case EACCES:
    case EPERM:
    case EROFS: return Error::AccessDenied;
    default: return Error::WriteFailed;
    }
}

// The errno of the last call, never 0 for a call that failed.
int LastError() { return errno != 0 ? errno : EIO; }

// The new content on its way to the target: open, then named, then renamed.
// Whatever is left of it when it goes out of scope is removed.
class PendingFile {
  public:
    explicit PendingFile(fs::path target) : target_(std::move(target)) {}
    PendingFile(const PendingFile&) = delete;
    PendingFile& operator=(const PendingFile&) = delete;
    ~PendingFile() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
        if (!name_.empty()) {
            ::unlink(name_.c_str());
        }
    }

    // An unnamed file in `folder` (Linux): a killed write leaves nothing.
    int createUnnamed(const fs::path& folder) {
#ifdef O_TMPFILE
        if (!UnnamedFilesOffered()) {
            return EOPNOTSUPP;
        }
        if (int injected = TakeWriteStep(WriteStep::Create, target_)) {
            return injected;
        }
        fd_ = ::open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0644);
        return fd_ >= 0 ? 0 : LastError();
#else
        (void)folder;
        return EOPNOTSUPP;
#endif
    }

    int createNamed() {
        if (int injected = TakeWriteStep(WriteStep::Create, target_)) {
            return injected;
        }
        for (int attempt = 0; attempt < 100; ++attempt) {
            const fs::path candidate = TemporarySibling(target_);
            fd_ = ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
            if (fd_ >= 0) {
                name_ = candidate;
                return 0;
            }
            if (errno != EEXIST) {
                return LastError();
            }
        }
        return EEXIST;
    }

    int write(std::span<const std::uint8_t> bytes) {
        std::size_t done = 0;
        while (done < bytes.size()) {
            if (int injected = TakeWriteStep(WriteStep::Write, target_)) {
                return injected;
            }
            const ssize_t n = ::write(fd_, bytes.data() + done, bytes.size() - done);
            if (n < 0 && errno == EINTR) {
                continue;
            }
            if (n <= 0) {
                return n < 0 ? LastError() : EIO;
            }
            done += static_cast<std::size_t>(n);
        }
        return 0;
    }

    // Permissions are not content: a file system without them still takes the file.
    void setPermissions(fs::perms permissions) { (void)::fchmod(fd_, static_cast<mode_t>(permissions)); }

    int sync() {
        if (int injected = TakeWriteStep(WriteStep::Sync, target_)) {
            return injected;
        }
        return ::fsync(fd_) == 0 ? 0 : LastError();
    }

    // Gives the complete unnamed file its temporary name beside the target.
    int name() {
        if (int injected = TakeWriteStep(WriteStep::Name, target_)) {
            return injected;
        }
        const std::string self = "/proc/self/fd/" + std::to_string(fd_);
        for (int attempt = 0; attempt < 100; ++attempt) {
            const fs::path candidate = TemporarySibling(target_);
            if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, candidate.c_str(), AT_SYMLINK_FOLLOW) == 0) {
                name_ = candidate;
                return 0;
            }
            if (errno != EEXIST) {
                return LastError();
            }
        }
        return EEXIST;
    }

    int close() {
        const int fd = fd_;
        fd_ = -1;
        if (int injected = TakeWriteStep(WriteStep::Close, target_)) {
            ::close(fd);
            return injected;
        }
        return ::close(fd) == 0 ? 0 : LastError();
    }

    int renameOver() {
        if (int injected = TakeWriteStep(WriteStep::Rename, target_)) {
            return injected;
        }
        if (::rename(name_.c_str(), target_.c_str()) != 0) {
            return LastError();
        }
        name_.clear();
        return 0;
    }

  private:
    fs::path target_;
    int fd_ = -1;
    fs::path name_;
};

// Whether a failure of the unnamed way says only that this system or file
// system lacks it (then the named way is taken), not that the disk refused.
bool LacksUnnamedFiles(int number) {
    return number == EOPNOTSUPP || number == EISDIR || number == EINVAL || number == ENOENT || number == EXDEV ||
           number == ENOSYS;
}

Error Replace(const fs::path& path, std::span<const std::uint8_t> bytes, std::optional<fs::perms> permissions) {
    for (const bool unnamed : {true, false}) {
        PendingFile file(path);
        int error = unnamed ? file.createUnnamed(FolderOf(path)) : file.createNamed();
        if (error == 0) {
            error = file.write(bytes);
        }
        if (error == 0) {
            if (permissions) {
                file.setPermissions(*permissions);
            }
            error = file.sync();
        }
        if (error == 0 && unnamed) {
            error = file.name();
        }
        // Only a missing facility sends the write the named way; a refusing disk is the answer.
        if (unnamed && error != 0 && LacksUnnamedFiles(error)) {
            continue;
        }
        if (error == 0) {
            error = file.close();
        }
        if (error == 0) {
            error = file.renameOver();
        }
        if (error == 0) {
            SyncFolderOf(path); // the rename reaches the disk with its folder
        }
        return ErrorOf(error);
    }
    return Error::WriteFailed;
}

#else

Error Replace(const fs::path& path, std::span<const std::uint8_t> bytes, std::optional<fs::perms> permissions) {
    const fs::path temporary = TemporarySibling(path);
    std::error_code ec;
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        out.flush();
        if (!out) {
            out.close();
            fs::remove(temporary, ec);
            return Error::WriteFailed;
        }
    }
    if (permissions) {
        fs::permissions(temporary, *permissions, ec);
    }
    fs::rename(temporary, path, ec);
    if (ec) {
        std::error_code ignored;
        fs::remove(temporary, ignored);
        return Error::WriteFailed;
    }
    return Error::None;
}

#endif

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
    std::optional<fs::perms> permissions;
    if (fs::exists(path, ec)) {
        const fs::perms existing = fs::status(path, ec).permissions();
        if (ec) {
            return Error::WriteFailed;
        }
        permissions = (existing | fs::perms::owner_write) & fs::perms::mask;
    }
    RemoveStaleSiblings(path);
    return Replace(path, bytes, permissions);
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
    if (!content.empty() && !in.read(reinterpret_cast<char*>(content.data()), static_cast<std::streamsize>(size))) {
        return Error::ReadFailed;
    }
    bytes = std::move(content);
    return Error::None;
}

namespace {

thread_local FolderSyncBatch* activeBatch = nullptr;

void SyncFolder(const fs::path& folder) {
#ifndef _WIN32
    const int descriptor = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (descriptor >= 0) {
        (void)::fsync(descriptor);
        ::close(descriptor);
    }
#else
    (void)folder; // folders are not synced there
#endif
}

} // namespace

void SyncFolderOf(const fs::path& path) {
    const fs::path folder = FolderOf(path);
    if (activeBatch != nullptr) {
        activeBatch->folders_.insert(folder);
    } else {
        SyncFolder(folder);
    }
}

FolderSyncBatch::FolderSyncBatch() : outer_(activeBatch) { activeBatch = this; }

FolderSyncBatch::~FolderSyncBatch() {
    activeBatch = outer_;
    for (const fs::path& folder : folders_) {
        SyncFolderOf(folder / "."); // to an outer batch, if any
    }
}

} // namespace tavolex
