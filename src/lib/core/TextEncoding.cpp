#include "core/TextEncoding.h"

#include <array>
#include <cstdint>

namespace tavolex {
namespace {

// 0x80-0x9F, where Windows-1252 differs from Latin-1; 0 marks one of the five
// unused bytes, which stand for the control character of the same number (as
// Windows converts them), so every byte survives the way there and back.
constexpr std::array<char16_t, 32> kHighControls = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                                    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                                                    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                                    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

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

// The byte for a character, or nothing.
std::optional<char> ByteFor(char32_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF) || (c < 0xA0 && kHighControls[c - 0x80] == 0)) {
        return static_cast<char>(c);
    }
    for (std::size_t i = 0; i < kHighControls.size(); ++i) {
        if (kHighControls[i] != 0 && kHighControls[i] == c) {
            return static_cast<char>(0x80 + i);
        }
    }
    return std::nullopt;
}

// The next character of a UTF-8 text from `at`, which moves past it; nothing
// for a malformed, overlong or surrogate sequence.
std::optional<char32_t> NextUtf8(std::string_view text, std::size_t& at) {
    const auto lead = static_cast<std::uint8_t>(text[at]);
    int length = 0;
    char32_t c = 0;
    if (lead < 0x80) {
        ++at;
        return lead;
    } else if ((lead & 0xE0) == 0xC0) {
        length = 2;
        c = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3;
        c = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4;
        c = lead & 0x07;
    } else {
        return std::nullopt;
    }
    if (text.size() - at < static_cast<std::size_t>(length)) {
        return std::nullopt;
    }
    for (int i = 1; i < length; ++i) {
        const auto next = static_cast<std::uint8_t>(text[at + static_cast<std::size_t>(i)]);
        if ((next & 0xC0) != 0x80) {
            return std::nullopt;
        }
        c = (c << 6) | (next & 0x3F);
    }
    constexpr char32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (c < kSmallest[length] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
        return std::nullopt;
    }
    at += static_cast<std::size_t>(length);
    return c;
}

} // namespace

bool Windows1252CanHold(char32_t c) { return ByteFor(c).has_value(); }

std::optional<std::string> Utf8ToWindows1252(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t at = 0; at < text.size();) {
        const auto c = NextUtf8(text, at);
        if (!c) {
            return std::nullopt;
        }
        const auto byte = ByteFor(*c);
        if (!byte) {
            return std::nullopt;
        }
        out.push_back(*byte);
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
            c = kHighControls[byte - 0x80] != 0 ? kHighControls[byte - 0x80] : byte;
        }
        AppendUtf8(out, c);
    }
    return out;
}

bool ContainsControlCharacter(std::string_view bytes) {
    for (char c : bytes) {
        if (static_cast<unsigned char>(c) < 0x20)
            return true;
    }
    return false;
}

} // namespace tavolex
