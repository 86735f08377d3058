#include "framework/app/common/StringHelpers.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <string>

namespace {

using namespace Zest;

struct IntCase {
    const char* text;
    bool ok;
    int32_t value;
};

TEST(StringToInt, ParsesDecimalHexAndSign)
{
    const IntCase cases[] = {
        {"0", true, 0},
        {"7", true, 7},
        {"123456", true, 123456},
        {"-42", true, -42},
        {"007", true, 7},
        {"0x1F", true, 31},
        {"0X1f", true, 31},
        {"0xff", true, 255},
        {"0x7FFFFFFF", true, INT32_MAX},
        {"-x5", true, -5}, // the 'x' stands at index 1
        {"x5", false, 0},  // the 'x' stands at index 0
        {"-", true, 0},
        {"0x", true, 0},
    };
    for (const IntCase& c : cases) {
        int32_t out = 99;
        EXPECT_EQ(StringToInt(c.text, &out), c.ok) << "text: \"" << c.text << '"';
        EXPECT_EQ(out, c.value) << "text: \"" << c.text << '"';
    }
}

TEST(StringToInt, RejectsAnyOtherCharacterAndClearsTheResult)
{
    const char* const cases[] = {
        "12a", "", "1x2", "+5", " 5", "5 ", "0x1G", "00x5", "0xx1", "1-", "--1", "1.5", "a",
    };
    for (const char* text : cases) {
        int32_t out = 99;
        EXPECT_FALSE(StringToInt(text, &out)) << "text: \"" << text << '"';
        EXPECT_EQ(out, 0) << "text: \"" << text << '"';
    }
}

TEST(StringToInt, ValuesBeyond32BitsWrapWithoutOverflowing)
{
    const IntCase cases[] = {
        {"4294967296", true, 0},
        {"4294967295", true, -1},
        {"4294967297", true, 1},
        {"2147483648", true, INT32_MIN},
        {"2147483647", true, INT32_MAX},
        {"-2147483648", true, INT32_MIN},
        {"-4294967295", true, 1},
        {"0x100000000", true, 0},
        {"0xFFFFFFFF", true, -1},
        {"0x80000000", true, INT32_MIN},
        {"-0x80000000", false, 0}, // the 'x' stands at index 2
        {"99999999999999999999", true, static_cast<int32_t>(UINT32_C(1661992959))},
    };
    for (const IntCase& c : cases) {
        int32_t out = 99;
        EXPECT_EQ(StringToInt(c.text, &out), c.ok) << "text: \"" << c.text << '"';
        EXPECT_EQ(out, c.value) << "text: \"" << c.text << '"';
    }
}

struct DoubleCase {
    const char* text;
    bool ok;
    double value;
};

TEST(StringToDouble, ParsesDigitsWithOptionalFractionAndSign)
{
    const DoubleCase cases[] = {
        {"3.25", true, 3.25}, {"-.5", true, -0.5}, {"7", true, 7.0},     {"1.", true, 1.0},
        {"0.125", true, 0.125}, {"-12.5", true, -12.5}, {".75", true, 0.75}, {"1.2.3", false, 0.0},
        {"1e3", false, 0.0},  {"", false, 0.0},     {"+1", false, 0.0},  {"1,5", false, 0.0},
        {" 1", false, 0.0},   {"1 ", false, 0.0},   {"1.5x", false, 0.0}, {"-1-", false, 0.0},
    };
    for (const DoubleCase& c : cases) {
        double out = 99.0;
        EXPECT_EQ(StringToDouble(c.text, &out), c.ok) << "text: \"" << c.text << '"';
        EXPECT_DOUBLE_EQ(out, c.value) << "text: \"" << c.text << '"';
    }
}

TEST(FormatThousands, GroupsDigitsInThreesAndGivesEmptyForNegative)
{
    const struct {
        int32_t value;
        const char* expected;
    } cases[] = {
        {0, "0"},
        {999, "999"},
        {1000, "1,000"},
        {12345, "12,345"},
        {100000, "100,000"},
        {1234567, "1,234,567"},
        {INT32_MAX, "2,147,483,647"},
        {-5, ""},
        {INT32_MIN, ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FormatThousands(c.value), c.expected) << "value: " << c.value;
}

TEST(FormatString, FormatsLikePrintfWithoutTruncating)
{
    EXPECT_EQ(FormatString("%d-%s-%.2f-%c", 42, "ab", 1.5, 'z'), "42-ab-1.50-z");
    EXPECT_EQ(FormatString("%s", ""), "");

    const std::string medium(500, 'm');
    EXPECT_EQ(FormatString("%s", medium.c_str()), medium);

    const std::string large(100000, 'L');
    const std::string result = FormatString("<%s>", large.c_str());
    EXPECT_EQ(result.size(), large.size() + 2);
    EXPECT_EQ(result, "<" + large + ">");
}

TEST(Trim, RemovesOnlyLeadingAndTrailingWhiteSpace)
{
    const struct {
        const char* text;
        const char* expected;
    } cases[] = {
        {"", ""},
        {"abc", "abc"},
        {"  abc  ", "abc"},
        {" \t\n\v\f\rabc \t\n\v\f\r", "abc"},
        {" \t\n\v\f\r", ""},
        {"a b\tc", "a b\tc"},
        {"\ta  b\n", "a  b"},
        {"x ", "x"},
        {" x", "x"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Trim(c.text), c.expected) << "text: \"" << c.text << '"';
}

TEST(StringCase, ChangesOnlyAsciiLetters)
{
    const std::string text = "aZ09@[`{ \xC9\xE9\xFF";
    EXPECT_EQ(StringToLower(text), "az09@[`{ \xC9\xE9\xFF");
    EXPECT_EQ(StringToUpper(text), "AZ09@[`{ \xC9\xE9\xFF");
    EXPECT_EQ(StringToLower("HeLLo WORLD"), "hello world");
    EXPECT_EQ(StringToUpper("HeLLo world"), "HELLO WORLD");
}

TEST(WideStrings, Latin1RoundTripsEveryByteValue)
{
    std::string bytes;
    for (int i = 0; i < 256; ++i)
        bytes.push_back(static_cast<char>(i));
    bytes += bytes; // the NUL also stands in the middle
    ASSERT_EQ(bytes.size(), 512u);

    const std::wstring wide = StringToWString(bytes);
    ASSERT_EQ(wide.size(), bytes.size());
    for (size_t i = 0; i < wide.size(); ++i)
        EXPECT_EQ(static_cast<uint32_t>(wide[i]), i % 256) << "index " << i;

    EXPECT_EQ(WStringToString(wide), bytes);
    EXPECT_EQ(AppStringToWString(bytes), wide);
    EXPECT_EQ(WStringToAppString(wide), bytes);
    EXPECT_EQ(StringToAppString(bytes), bytes);
}

TEST(WideStrings, CharactersAbove255BecomeQuestionMarks)
{
    const std::wstring wide = L"a\x20AC" L"b\x100" L"c\xFF";
    EXPECT_EQ(WStringToString(wide), "a?b?c\xFF");
    EXPECT_EQ(WStringToAppString(wide), "a?b?c\xFF");
    std::wstring negative = L"x";
    negative.push_back(static_cast<wchar_t>(-1));
    negative.push_back(L'y');
    EXPECT_EQ(WStringToString(negative), "x?y");
}

struct EntityCase {
    const char* text;
    const char* expected;
};

constexpr EntityCase kEntityCases[] = {
    {"a&lt;b&gt;&amp;", "a<b>&"},
    {"&cr;", "\n"},
    {"&quot;&apos;&nbsp;", "\"' "},
    {"&#65;", "&"},
    {"&foo;", "&"},
    {"&;", "&"},
    {"AT&T", "AT&T"},
    {"&lt", "&lt"},
    {"&LT;", "&"},
    {"&Amp;", "&"},
    {"&amp;lt;", "&lt;"},
    {"&ltx;", "&"},
    {"&l;", "&"},
    {"x;y", "x;y"},
    {"", ""},
    {"plain", "plain"},
    {"&lt;&lt;", "<<"},
};

TEST(DecodeXMLEntities, ReplacesKnownEntitiesAndUnknownOnesWithAmpersand)
{
    for (const EntityCase& c : kEntityCases)
        EXPECT_EQ(DecodeXMLEntities(c.text), c.expected) << "text: \"" << c.text << '"';
}

TEST(DecodeXMLEntities, WideVersionDecodesTheSameWay)
{
    for (const EntityCase& c : kEntityCases) {
        EXPECT_EQ(DecodeXMLEntitiesW(StringToWString(c.text)), StringToWString(c.expected))
            << "text: \"" << c.text << '"';
    }
    EXPECT_EQ(DecodeXMLEntitiesW(L"\x20AC&gt;\x20AC"), L"\x20AC>\x20AC");
}

TEST(FindNoCase, FindsFirstCaseInsensitiveOccurrence)
{
    const struct {
        const char* haystack;
        const char* needle;
        int32_t expected;
    } cases[] = {
        {"Hello World", "WORLD", 6},
        {"Hello World", "hello", 0},
        {"Hello World", "o", 4},
        {"Hello World", "xyz", -1},
        {"Hello", "", 0},
        {"", "", -1},
        {"", "a", -1},
        {"ab", "abc", -1},
        {"abcab", "abx", -1},
        {"abcab", "cAB", 2},
        {"aaab", "AAB", 1},
        {"a[b", "A{B", -1}, // '[' and '{' differ by the case bit but are not letters
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FindNoCase(c.haystack, c.needle), c.expected)
            << "haystack: \"" << c.haystack << "\" needle: \"" << c.needle << '"';
    }
}

} // namespace
