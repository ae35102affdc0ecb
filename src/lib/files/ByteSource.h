#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <span>

// Random access to the bytes of a file or of a buffer, every read checked
// against the size. The car set reader works on this, so it can read just
// the parts it needs from a large file and be fuzzed on a buffer.

namespace tavolex {

class ByteSource {
  public:
    virtual ~ByteSource() = default;
    virtual std::uint64_t size() const = 0;
    // Reads exactly `count` bytes at `offset`; false when they are not all there.
    virtual bool read(std::uint64_t offset, std::size_t count, std::uint8_t* out) = 0;
};

class SpanSource final : public ByteSource {
  public:
    explicit SpanSource(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}
    std::uint64_t size() const override { return bytes_.size(); }
    bool read(std::uint64_t offset, std::size_t count, std::uint8_t* out) override;

  private:
    std::span<const std::uint8_t> bytes_;
};

class FileSource final : public ByteSource {
  public:
    explicit FileSource(const std::filesystem::path& path);
    bool isOpen() const { return open_; }
    std::uint64_t size() const override { return size_; }
    bool read(std::uint64_t offset, std::size_t count, std::uint8_t* out) override;

  private:
    std::ifstream file_;
    std::uint64_t size_ = 0;
    bool open_ = false;
};

// Reads fields one after another from a source, remembering the first failure.
class SourceCursor {
  public:
    SourceCursor(ByteSource& source, std::uint64_t offset) : source_(source), offset_(offset) {}

    std::uint8_t u8();
    std::uint16_t u16();
    std::int16_t i16() { return static_cast<std::int16_t>(u16()); }
    std::uint32_t u32();
    bool bytes(std::size_t count, std::uint8_t* out);
    std::uint64_t offset() const { return offset_; }
    bool ok() const { return ok_; }
    void fail() { ok_ = false; }

  private:
    ByteSource& source_;
    std::uint64_t offset_;
    bool ok_ = true;
};

} // namespace tavolex
