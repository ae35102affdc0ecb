#include "formats/IniFile.h"

#include <cstdint>
#include <cstdlib>

#include "files/AtomicWrite.h"
#include "files/FileHelpers.h"

namespace tavolex {
namespace {

// Settings files are a few kilobytes; performance files a few more.
constexpr std::size_t kMaxIniSize = 4 * 1024 * 1024;

std::string_view Trim(std::string_view text) {
    const auto first = text.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos) {
        return {};
    }
    const auto last = text.find_last_not_of(" \t\r\n");
    return text.substr(first, last - first + 1);
}

// The section named by a "[name]" line, if the line is one.
std::optional<std::string_view> SectionName(std::string_view line) {
    line = Trim(line);
    if (line.size() < 2 || line.front() != '[') {
        return std::nullopt;
    }
    const auto close = line.find(']');
    if (close == std::string_view::npos) {
        return std::nullopt;
    }
    return Trim(line.substr(1, close - 1));
}

bool IsComment(std::string_view line) {
    line = Trim(line);
    return line.empty() || line.front() == ';' || line.front() == '#';
}

} // namespace

IniFile IniFile::Parse(std::string_view text) {
    IniFile ini;
    if (text.find("\r\n") != std::string_view::npos) {
        ini.newline_ = "\r\n";
    }
    std::size_t start = 0;
    while (start < text.size()) {
        auto end = text.find('\n', start);
        if (end == std::string_view::npos) {
            end = text.size();
        }
        std::string_view line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        ini.lines_.emplace_back(line);
        start = end + 1;
    }
    return ini;
}

Error IniFile::Load(const std::filesystem::path& path, IniFile& ini) {
    if (!FileExists(path)) {
        ini = IniFile{};
        return Error::None;
    }
    std::vector<std::uint8_t> bytes;
    if (Error error = ReadWholeFile(path, kMaxIniSize, bytes); !Ok(error)) {
        return error;
    }
    ini = Parse(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
    return Error::None;
}

std::optional<IniFile::KeyLine> IniFile::find(std::string_view section, std::string_view key) const {
    bool inSection = false;
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        const std::string& line = lines_[i];
        if (auto name = SectionName(line)) {
            inSection = EqualsIgnoreCase(*name, section);
            continue;
        }
        if (!inSection || IsComment(line)) {
            continue;
        }
        const auto equals = line.find('=');
        if (equals == std::string::npos) {
            continue;
        }
        const std::string_view lineKey = Trim(std::string_view(line).substr(0, equals));
        if (EqualsIgnoreCase(lineKey, key)) {
            std::string_view value = Trim(std::string_view(line).substr(equals + 1));
            // A value in matching quotes is read without them, as Windows does.
            if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front()) {
                value = value.substr(1, value.size() - 2);
            }
            return KeyLine{i, std::string(lineKey), std::string(value)};
        }
    }
    return std::nullopt;
}

std::optional<std::string> IniFile::value(std::string_view section, std::string_view key) const {
    if (auto found = find(section, key)) {
        return found->value;
    }
    return std::nullopt;
}

std::string IniFile::value(std::string_view section, std::string_view key, std::string_view fallback) const {
    return value(section, key).value_or(std::string(fallback));
}

int IniFile::intValue(std::string_view section, std::string_view key, int fallback) const {
    const auto text = value(section, key);
    if (!text) {
        return fallback;
    }
    const char* begin = text->c_str();
    char* end = nullptr;
    const long parsed = std::strtol(begin, &end, 10);
    if (end == begin) {
        return 0;
    }
    if (parsed > INT32_MAX)
        return INT32_MAX;
    if (parsed < INT32_MIN)
        return INT32_MIN;
    return static_cast<int>(parsed);
}

void IniFile::setValue(std::string_view section, std::string_view key, std::string_view value) {
    if (auto found = find(section, key)) {
        lines_[found->line] = found->key + "=" + std::string(value);
        return;
    }
    const std::string line = std::string(key) + "=" + std::string(value);
    // Append after the last key or comment of the section, before blank lines.
    std::optional<std::size_t> insertAt;
    bool inSection = false;
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        if (auto name = SectionName(lines_[i])) {
            inSection = EqualsIgnoreCase(*name, section);
            if (inSection) {
                insertAt = i + 1;
            }
            continue;
        }
        if (inSection && !Trim(lines_[i]).empty()) {
            insertAt = i + 1;
        }
    }
    if (insertAt) {
        lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(*insertAt), line);
        return;
    }
    while (!lines_.empty() && Trim(lines_.back()).empty()) {
        lines_.pop_back();
    }
    if (!lines_.empty()) {
        lines_.emplace_back();
    }
    lines_.push_back("[" + std::string(section) + "]");
    lines_.push_back(line);
}

std::vector<std::string> IniFile::sections() const {
    std::vector<std::string> names;
    for (const std::string& line : lines_) {
        if (auto name = SectionName(line)) {
            names.emplace_back(*name);
        }
    }
    return names;
}

std::vector<std::string> IniFile::keys(std::string_view section) const {
    std::vector<std::string> names;
    bool inSection = false;
    for (const std::string& line : lines_) {
        if (auto name = SectionName(line)) {
            inSection = EqualsIgnoreCase(*name, section);
        } else if (inSection && !IsComment(line)) {
            const auto equals = line.find('=');
            if (equals != std::string::npos) {
                names.emplace_back(Trim(std::string_view(line).substr(0, equals)));
            }
        }
    }
    return names;
}

std::string IniFile::serialize() const {
    std::string text;
    for (const std::string& line : lines_) {
        text += line;
        text += newline_;
    }
    return text;
}

Error IniFile::save(const std::filesystem::path& path) const {
    const std::string text = serialize();
    return WriteFileAtomically(path, std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
}

std::string ReadProfileString(const std::filesystem::path& path, std::string_view section, std::string_view key,
                              std::string_view fallback) {
    IniFile ini;
    if (!Ok(IniFile::Load(path, ini))) {
        return std::string(fallback);
    }
    return ini.value(section, key, fallback);
}

int ReadProfileInt(const std::filesystem::path& path, std::string_view section, std::string_view key, int fallback) {
    IniFile ini;
    if (!Ok(IniFile::Load(path, ini))) {
        return fallback;
    }
    return ini.intValue(section, key, fallback);
}

Error WriteProfileString(const std::filesystem::path& path, std::string_view section, std::string_view key,
                         std::string_view value) {
    IniFile ini;
    if (Error error = IniFile::Load(path, ini); !Ok(error)) {
        return error;
    }
    ini.setValue(section, key, value);
    return ini.save(path);
}

} // namespace tavolex
