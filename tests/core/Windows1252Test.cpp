#include "core/Windows1252.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

namespace pollwick {
namespace {

TEST(Windows1252, EveryByteRoundTrips)
{
    std::string all;
    for (unsigned value = 0; value < 256; ++value) {
        const auto byte = static_cast<unsigned char>(value);
        EXPECT_EQ(cp1252::fromUnicode(cp1252::toUnicode(byte)), byte) << value;
        all.push_back(static_cast<char>(byte));
    }
    EXPECT_EQ(cp1252::fromUtf8(cp1252::toUtf8(all)), all);
}

// The characters that Windows-1252 gives the bytes 0x80-0x9F; the five
// bytes it leaves undefined are the C1 controls of the same value. Every
// other byte is the Latin-1 character of the same number.
constexpr std::array<char32_t, 32> kHighCharacters = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

TEST(Windows1252, MapsEveryByteToItsCharacter)
{
    for (unsigned value = 0; value < 256; ++value) {
        const char32_t expected =
            value >= 0x80 && value <= 0x9F ? kHighCharacters.at(value - 0x80) : char32_t{value};
        EXPECT_EQ(cp1252::toUnicode(static_cast<unsigned char>(value)), expected) << value;
    }
    EXPECT_EQ(cp1252::toUtf8("\x80"), "\u20AC");
    EXPECT_EQ(cp1252::fromUtf8("5 \u20AC"), "5 \x80");
}

TEST(Windows1252, CharactersWithoutAByteBecomeQuestionMarks)
{
    EXPECT_EQ(cp1252::fromUnicode(U'\u0080'), '?'); // the euro sign sits at 0x80 instead
    EXPECT_EQ(cp1252::fromUnicode(U'\u0100'), '?');
    EXPECT_EQ(cp1252::fromUnicode(U'\U0001F600'), '?');
    EXPECT_EQ(cp1252::fromUtf8("a\u4E2Db"), "a?b");
    EXPECT_EQ(cp1252::fromUtf8("\U0001F600"), "?");
}

TEST(Windows1252, MalformedUtf8BecomesQuestionMarks)
{
    // A broken sequence never lets a byte through: whatever it becomes is made
    // of question marks, and the text around it survives.
    for (const std::string bad :
         {"\x80", "\xFF", "\xC3", "\xE2\x82", "\xC0\xAF", "\xED\xA0\x80", "\xF4\x90\x80\x80"}) {
        const auto text = cp1252::fromUtf8("<" + bad + ">");
        ASSERT_GE(text.size(), 3u) << text;
        EXPECT_EQ(text.front(), '<');
        EXPECT_EQ(text.back(), '>');
        EXPECT_EQ(text.substr(1, text.size() - 2).find_first_not_of('?'), std::string::npos)
            << text;
    }
    EXPECT_EQ(cp1252::fromUtf8("\xFF"), "?");
    EXPECT_EQ(cp1252::fromUtf8("x\xC3"), "x?");
}

TEST(Windows1252, LowerCasesTheCodePagesCapitals)
{
    EXPECT_EQ(cp1252::toLower("AZaz09@[`{"), "azaz09@[`{");
    for (unsigned value = 0xC0; value <= 0xDE; ++value) {
        const auto byte = static_cast<unsigned char>(value);
        EXPECT_EQ(cp1252::toLower(byte), value == 0xD7 ? byte : byte + 0x20) << value;
    }
    EXPECT_EQ(cp1252::toLower(0x8A), 0x9A);
    EXPECT_EQ(cp1252::toLower(0x8C), 0x9C);
    EXPECT_EQ(cp1252::toLower(0x8E), 0x9E);
    EXPECT_EQ(cp1252::toLower(0x9F), 0xFF);
    // Already lower, or no case at all.
    for (const unsigned char same :
         std::array<unsigned char, 8>{0xDF, 0xE0, 0xFF, 0x9A, 0x80, 0x8D, 0xA7, 0xD7}) {
        EXPECT_EQ(cp1252::toLower(same), same);
    }
}

} // namespace
} // namespace pollwick
