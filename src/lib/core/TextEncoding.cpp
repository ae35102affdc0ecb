#include "core/TextEncoding.h"

#include <array>
#include <cstdint>

namespace tavolex {
namespace {

// 0x80-0x9F, where Windows-1252 differs from Latin-1; 0 marks an unused byte.
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (c >> 6)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xE0 | (c >> 12)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
}

// The next character of UTF-8 `text` from `at`; nothing when the bytes are not UTF-8.
std::optional<char32_t> NextUtf8(std::string_view text, std::size_t& at) {
    const auto lead = static_cast<std::uint8_t>(text[at++]);
    if (lead < 0x80) {
        return lead;
    }
    const int extra = lead >= 0xF0 && lead < 0xF8 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC2 && lead < 0xE0 ? 1 : -1;
    if (extra < 0 || lead >= 0xF8 || text.size() - at < static_cast<std::size_t>(extra)) {
        return std::nullopt;
    }
    char32_t c = lead & (0x3F >> extra);
    for (int i = 0; i < extra; ++i) {
        const auto next = static_cast<std::uint8_t>(text[at++]);
        if ((next & 0xC0) != 0x80) {
            return std::nullopt;
        }
        c = (c << 6) | (next & 0x3F);
    }
    return c;
}

} // namespace

std::optional<std::string> Utf8ToWindows1252(std::string_view text) {
    std::string out;
    for (std::size_t at = 0; at < text.size();) {
        const std::optional<char32_t> c = NextUtf8(text, at);
        if (!c) {
            return std::nullopt;
        }
        if (*c < 0x80 || (*c >= 0xA0 && *c < 0x100)) {
            out.push_back(static_cast<char>(*c));
            continue;
        }
        std::size_t found = 0;
        while (found < kHighControls.size() && (kHighControls[found] == 0 || kHighControls[found] != *c)) {
            ++found;
        }
        if (found == kHighControls.size()) {
            return std::nullopt;
        }
        out.push_back(static_cast<char>(0x80 + found));
    }
    return out;
}

std::string Windows1252ToUtf8(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char raw : text) {
        const auto byte = static_cast<std::uint8_t>(raw);
        char32_t c = byte;
        if (byte >= 0x80 && byte < 0xA0) {
            c = kHighControls[byte - 0x80] != 0 ? kHighControls[byte - 0x80] : 0xFFFD;
        }
        AppendUtf8(out, c);
    }
    return out;
}

} // namespace tavolex
