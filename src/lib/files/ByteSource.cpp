#include "files/ByteSource.h"

#include <cstring>

#include "core/ByteOrder.h"

namespace tavolex {

bool SpanSource::read(std::uint64_t offset, std::size_t count, std::uint8_t* out) {
    if (offset > bytes_.size() || count > bytes_.size() - offset) {
        return false;
    }
    if (count > 0) {
        std::memcpy(out, bytes_.data() + offset, count);
    }
    return true;
}

FileSource::FileSource(const std::filesystem::path& path) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) {
        return;
    }
    size_ = std::filesystem::file_size(path, ec);
    file_.open(path, std::ios::binary);
    open_ = !ec && file_.is_open();
}

bool FileSource::read(std::uint64_t offset, std::size_t count, std::uint8_t* out) {
    if (!open_ || offset > size_ || count > size_ - offset) {
        return false;
    }
    file_.clear();
    file_.seekg(static_cast<std::streamoff>(offset));
    return static_cast<bool>(file_.read(reinterpret_cast<char*>(out), static_cast<std::streamsize>(count)));
}

bool SourceCursor::bytes(std::size_t count, std::uint8_t* out) {
    if (!ok_ || !source_.read(offset_, count, out)) {
        ok_ = false;
        return false;
    }
    offset_ += count;
    return true;
}

std::uint8_t SourceCursor::u8() {
    std::uint8_t b[1] = {0};
    bytes(1, b);
    return ok_ ? b[0] : 0;
}

std::uint16_t SourceCursor::u16() {
    std::uint8_t b[2] = {0, 0};
    bytes(2, b);
    return ok_ ? ReadU16(b) : 0;
}

std::uint32_t SourceCursor::u32() {
    std::uint8_t b[4] = {0, 0, 0, 0};
    bytes(4, b);
    return ok_ ? ReadU32(b) : 0;
}

} // namespace tavolex
