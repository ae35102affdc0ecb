#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/Error.h"

// An INI text file: "[Section]" lines and "key=value" lines. Section and key
// names compare without regard to case, values are trimmed, and everything
// the file holds besides what is changed (comments, order, other keys) is
// kept as it was. Serves the settings file and the performance text files.

namespace tavolex {

class IniFile {
  public:
    IniFile() = default;

    static IniFile Parse(std::string_view text);
    // A missing file reads as an empty one.
    [[nodiscard]] static Error Load(const std::filesystem::path& path, IniFile& ini);

    std::optional<std::string> value(std::string_view section, std::string_view key) const;
    std::string value(std::string_view section, std::string_view key, std::string_view fallback) const;
    // An integer as the Windows profile functions read it: leading digits with
    // an optional sign; text without digits reads as 0; a missing key as `fallback`.
    int intValue(std::string_view section, std::string_view key, int fallback) const;

    // Replaces the key's value, or appends the key at the end of its section,
    // or appends the section at the end of the file.
    void setValue(std::string_view section, std::string_view key, std::string_view value);

    std::vector<std::string> sections() const;
    std::vector<std::string> keys(std::string_view section) const;

    std::string serialize() const;
    // Writes the file through a temporary file; creates it when missing.
    [[nodiscard]] Error save(const std::filesystem::path& path) const;

  private:
    struct KeyLine {
        std::size_t line;
        std::string key;
        std::string value;
    };
    std::optional<KeyLine> find(std::string_view section, std::string_view key) const;

    std::vector<std::string> lines_;
    std::string newline_ = "\n";
};

// Reads one value from a file, or writes one into it, as the Windows private
// profile functions do: every call goes to the disk.
std::string ReadProfileString(const std::filesystem::path& path, std::string_view section, std::string_view key,
                              std::string_view fallback);
int ReadProfileInt(const std::filesystem::path& path, std::string_view section, std::string_view key, int fallback);
[[nodiscard]] Error WriteProfileString(const std::filesystem::path& path, std::string_view section,
                                       std::string_view key, std::string_view value);

} // namespace tavolex
