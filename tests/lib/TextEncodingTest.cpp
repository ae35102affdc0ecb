#include <gtest/gtest.h>

#include "core/TextEncoding.h"

namespace tavolex {
namespace {

TEST(TextEncoding, EveryWindows1252ByteGoesToUtf8AndBack) {
    std::string all;
    for (int b = 1; b < 256; ++b) {
        all.push_back(static_cast<char>(b));
    }
    const std::string utf8 = Windows1252ToUtf8(all);
    EXPECT_EQ(Utf8ToWindows1252(utf8), all);
    EXPECT_EQ(Windows1252ToUtf8("Citro\xEBn \x80 \x93q\x94 \x92"), "Citroën € “q” ’");
    EXPECT_EQ(Utf8ToWindows1252("Škoda Ÿ žŒ"), std::string("\x8Akoda \x9F \x9E\x8C"));
}

TEST(TextEncoding, RefusesCharactersWindows1252CannotHoldAndBrokenUtf8) {
    EXPECT_FALSE(Utf8ToWindows1252("Ω"));
    EXPECT_FALSE(Utf8ToWindows1252("a→b"));
    EXPECT_FALSE(Utf8ToWindows1252("\xF0\x9F\x8F\x81")); // a flag emoji
    EXPECT_FALSE(Utf8ToWindows1252("\xC3"));             // cut short
    EXPECT_FALSE(Utf8ToWindows1252("\xC0\xAE"));         // overlong
    EXPECT_FALSE(Utf8ToWindows1252("\xED\xA0\x80"));     // a surrogate
    EXPECT_FALSE(Utf8ToWindows1252("\xFF"));
    EXPECT_TRUE(Windows1252CanHold(U'€'));
    EXPECT_TRUE(Windows1252CanHold(U'ÿ'));
    EXPECT_FALSE(Windows1252CanHold(U'\u0100'));
    EXPECT_EQ(Utf8ToWindows1252(""), std::string());
}

} // namespace
} // namespace tavolex
