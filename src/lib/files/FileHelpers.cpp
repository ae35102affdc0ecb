#include "files/FileHelpers.h"

#include <cstdio>
#include <random>
#include <system_error>

namespace tavolex {
namespace fs = std::filesystem;

bool FileExists(const fs::path& path) {
    std::error_code ec;
    return fs::exists(path, ec);
}

std::optional<fs::path> MakeTemporaryFile(const fs::path& folder, const std::string& prefix) {
    static std::mt19937 random(std::random_device{}());
    for (int attempt = 0; attempt < 1000; ++attempt) {
        char name[32];
        std::snprintf(name, sizeof name, "%04X.tmp", static_cast<unsigned>(random() & 0xFFFF));
        fs::path candidate = folder / (prefix + name);
        // "x" creates exclusively, so two callers never get the same file.
        if (std::FILE* file = std::fopen(candidate.string().c_str(), "wbx")) {
            std::fclose(file);
            return candidate;
        }
        std::error_code ec;
        if (!fs::is_directory(folder, ec)) {
            return std::nullopt;
        }
    }
    return std::nullopt;
}

Error MoveFileOver(const fs::path& from, const fs::path& to) {
    std::error_code ec;
    fs::rename(from, to, ec);
    if (!ec) {
        return Error::None;
    }
    ec.clear();
    fs::copy_file(from, to, fs::copy_options::overwrite_existing, ec);
    if (ec) {
        return Error::WriteFailed;
    }
    // A read-only copy left behind is still removed where the system lets us; the remove reports it.
    (void)SetReadOnly(from, false);
    return fs::remove(from, ec) ? Error::None : Error::WriteFailed;
}

void EmptyFolder(const fs::path& folder) {
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code ignored;
        if (it->is_regular_file(ignored) || it->is_symlink(ignored)) {
            fs::remove(it->path(), ignored);
        }
    }
}

std::string ToUpperAscii(std::string text) {
    for (char& c : text) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    return text;
}

bool EqualsIgnoreCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'a' && x <= 'z')
            x = static_cast<char>(x - 'a' + 'A');
        if (y >= 'a' && y <= 'z')
            y = static_cast<char>(y - 'a' + 'A');
        if (x != y) {
            return false;
        }
    }
    return true;
}

FileKind FileKindOf(const fs::path& path) {
    const std::string extension = path.extension().string();
    if (extension.size() < 2) {
        return FileKind::Unknown;
    }
    const std::string_view bare = std::string_view(extension).substr(1);
    if (EqualsIgnoreCase(bare, "JAM"))
        return FileKind::Jam;
    if (EqualsIgnoreCase(bare, "BMP"))
        return FileKind::Bitmap;
    if (EqualsIgnoreCase(bare, "TXT"))
        return FileKind::Text;
    if (EqualsIgnoreCase(bare, "PER"))
        return FileKind::Performance;
    if (EqualsIgnoreCase(bare, "GP2"))
        return FileKind::OldCarSet;
    return FileKind::Unknown;
}

std::optional<std::string> FileNamePart(const fs::path& path, bool withExtension, std::size_t maxLength) {
    const fs::path name = withExtension ? path.filename() : path.stem();
    std::string text = name.string();
    if (text.empty() || text.size() > maxLength) {
        return std::nullopt;
    }
    return text;
}

Error SetReadOnly(const fs::path& path, bool readOnly) {
    std::error_code ec;
    fs::permissions(path, fs::perms::owner_write, readOnly ? fs::perm_options::remove : fs::perm_options::add, ec);
    return ec ? Error::AccessDenied : Error::None;
}

} // namespace tavolex
