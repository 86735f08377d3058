#include "framework/resources/XMLParser.h"

#include "tests/support/TemporaryFolder.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace {

using namespace Zest;
using namespace std::string_literals;

constexpr size_t kOneMiB = size_t{1} << 20;

struct ParseResult {
    std::vector<XMLElement> mElements;
    bool mFailed = false;
    std::string mError;
    int mLine = 0;
};

ParseResult ParseFile(const std::string& path, const bool returnComments = false)
{
    XMLParser parser;
    parser.mReturnComments = returnComments;
    ParseResult result;
    if (parser.OpenFile(path)) {
        XMLElement element;
        while (parser.NextElement(&element))
            result.mElements.push_back(element);
    }
    result.mFailed = parser.HasFailed();
    result.mError = parser.GetErrorText();
    result.mLine = parser.GetCurrentLineNum();
    return result;
}

// One line per element: kind, value, section, body and the attributes in reading order.
std::string Describe(const XMLElement& element)
{
    static const char* const kTypeNames[] = {"none", "start", "end", "text", "pi", "comment"};
    std::string text = std::string(kTypeNames[element.mType]) + " '" + element.mValue + "' @" + element.mSection;
    if (!element.mInstruction.empty())
        text += " #'" + element.mInstruction + "'";
    for (const XMLElement::AttributeMap::iterator& entry : element.mAttributeOrder)
        text += " " + entry->first + "='" + entry->second + "'";
    return text;
}

std::vector<std::string> DescribeAll(const std::vector<XMLElement>& elements)
{
    std::vector<std::string> lines;
    for (const XMLElement& element : elements)
        lines.push_back(Describe(element));
    return lines;
}

std::string Latin1ToUTF8(const std::string& text)
{
    std::string out = "\xEF\xBB\xBF";
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80) {
            out += c;
        } else {
            out += static_cast<char>(0xC0 | (byte >> 6));
            out += static_cast<char>(0x80 | (byte & 0x3F));
        }
    }
    return out;
}

std::string Latin1ToUTF16(const std::string& text, const bool bigEndian)
{
    std::string out = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (const char c : text) {
        if (bigEndian)
            out += '\0';
        out += c;
        if (!bigEndian)
            out += '\0';
    }
    return out;
}

class XMLParserFiles : public testing::Test {
protected:
    const Tests::TemporaryFolder mFolder;
};

TEST_F(XMLParserFiles, AllFourEncodingsOfADocumentGiveTheSameElements)
{
    const std::string document = "<?xml version=\"1.0\"?>\n"
                                 "<root lang=\"caf\xE9\" id=\"7\">\n"
                                 "  <item name = \"na\xEFve\"/>\n"
                                 "  Gr\xFC\xDF  &amp;\tmore\n"
                                 "  <!-- said \xAB hi \xBB -->\n"
                                 "</root>\n";
    const ParseResult latin1 = ParseFile(mFolder.Write("latin1.xml", document), true);
    ASSERT_FALSE(latin1.mFailed) << latin1.mError;
    const std::vector<std::string> expected = {
        "pi 'xml' @ #' version=\"1.0\"'",
        "start 'root' @ lang='caf\xE9' id='7'",
        "start 'item' @root name='na\xEFve' name='na\xEFve'",
        "end 'item' @root/item",
        "text 'Gr\xFC\xDF & more' @root",
        "comment '!--' @root #'said \xAB hi \xBB '",
        "end 'root' @root",
    };
    EXPECT_EQ(DescribeAll(latin1.mElements), expected);
    EXPECT_EQ(latin1.mLine, 7);

    const std::vector<std::pair<std::string, std::string>> encodings = {
        {"utf8.xml", Latin1ToUTF8(document)},
        {"utf16le.xml", Latin1ToUTF16(document, false)},
        {"utf16be.xml", Latin1ToUTF16(document, true)},
    };
    for (const auto& [name, bytes] : encodings) {
        SCOPED_TRACE(name);
        const ParseResult result = ParseFile(mFolder.Write(name, bytes), true);
        ASSERT_FALSE(result.mFailed) << result.mError;
        EXPECT_EQ(DescribeAll(result.mElements), expected);
        ASSERT_EQ(result.mElements.size(), latin1.mElements.size());
        for (size_t i = 0; i < result.mElements.size(); ++i)
            EXPECT_EQ(result.mElements[i].mAttributes, latin1.mElements[i].mAttributes);
        EXPECT_EQ(result.mLine, latin1.mLine);
    }
}

TEST_F(XMLParserFiles, CharactersBeyondLatin1AreNarrowedAsDocumented)
{
    struct Case {
        const char* mName;
        std::string mBytes;
        const char* mExpectedStart;
        const char* mExpectedText;
    };
    const std::vector<Case> cases = {
        // Without a mark every byte is one character, even a valid UTF-8 sequence.
        {"no mark", "<a v=\"\xC3\xA9\">\xC3\xA9</a>", "start 'a' @ v='\xC3\xA9'", "text '\xC3\xA9' @a"},
        // Text keeps the low byte of a character; attribute values turn it into '?'.
        {"utf-8 three bytes", "\xEF\xBB\xBF<a v=\"\xE2\x82\xAC\">\xE2\x82\xAC</a>", "start 'a' @ v='?'",
         "text '\xAC' @a"},
        // Beyond 16 bits the reader itself gives '?'.
        {"utf-8 four bytes", "\xEF\xBB\xBF<a v=\"\xF0\x9F\x98\x80\">\xF0\x9F\x98\x80</a>", "start 'a' @ v='?'",
         "text '?' @a"},
        {"utf-16 surrogate pair", "\xFF\xFE<\0a\0>\0\x3D\xD8\x00\xDE<\0/\0a\0>\0"s, "start 'a' @",
         "text '?' @a"},
        // A mark in the middle of a file is an ordinary character, not skipped.
        {"utf-8 later mark", "\xEF\xBB\xBF<a>x\xEF\xBB\xBF</a>", "start 'a' @", "text 'x\xFF' @a"},
    };
    for (const Case& testCase : cases) {
        SCOPED_TRACE(testCase.mName);
        const ParseResult result = ParseFile(mFolder.Write("doc.xml", testCase.mBytes));
        ASSERT_FALSE(result.mFailed) << result.mError;
        const std::vector<std::string> expected = {testCase.mExpectedStart, testCase.mExpectedText, "end 'a' @a"};
        EXPECT_EQ(DescribeAll(result.mElements), expected);
    }
}

TEST_F(XMLParserFiles, EdgeCasesGiveTheDocumentedElements)
{
    struct Case {
        const char* mName;
        const char* mDocument;
        bool mReturnComments;
        std::vector<std::string> mExpected;
    };
    const std::vector<Case> cases = {
        {"white space in text folds to one space", "<a>  hello \t\n  world  </a>", false,
         {"start 'a' @", "text 'hello world' @a", "end 'a' @a"}},
        {"nested sections", "<a><b>t</b></a>", false,
         {"start 'a' @", "start 'b' @a", "text 't' @a/b", "end 'b' @a/b", "end 'a' @a"}},
        {"self-closing tag", "<b/>", false, {"start 'b' @", "end 'b' @b"}},
        {"self-closing with a space before the slash", "<b x=\"1\" />", false, {"start 'b' @ x='1'", "end 'b' @b"}},
        // The slash first lands in the value; re-reading the value without it repeats the name.
        {"self-closing right after a value", "<b x=\"1\"/>", false, {"start 'b' @ x='1' x='1'", "end 'b' @b"}},
        {"a value ending in a slash closes the tag", "<b path=\"dir/\">", false,
         {"start 'b' @ path='dir' path='dir'", "end 'b' @b"}},
        {"spaces around the equals sign", "<a b = \"x y\" c></a>", false, {"start 'a' @ b='x y' c=''", "end 'a' @a"}},
        {"unquoted values and an empty quoted one", "<a p=1 q=\"\" r=2></a>", false,
         {"start 'a' @ p='1' q='' r='2'", "end 'a' @a"}},
        {"a repeated name keeps the latest value", "<a k=\"1\" k=\"2\"></a>", false,
         {"start 'a' @ k='2' k='2'", "end 'a' @a"}},
        {"an equals sign inside quotes is dropped", "<a v=\"a=b\"></a>", false, {"start 'a' @ v='ab'", "end 'a' @a"}},
        {"markup characters inside quotes are kept", "<a v=\"<x> /?\"></a>", false,
         {"start 'a' @ v='<x> /?'", "end 'a' @a"}},
        {"processing instruction", "<?xml version=\"1.0\"?><r/>", false,
         {"pi 'xml' @ #' version=\"1.0\"'", "start 'r' @", "end 'r' @r"}},
        {"comment skipped", "<a><!-- note --></a>", false, {"start 'a' @", "end 'a' @a"}},
        {"comment returned", "<a><!-- note --></a>", true,
         {"start 'a' @", "comment '!--' @a #'note '", "end 'a' @a"}},
        {"comment markup without white space is a start tag", "<!--x-->", true, {"start '!--x--' @"}},
        {"entities in text and attributes", "<a v=\"&quot;q&amp;\">x &lt; y</a>", false,
         {"start 'a' @ v='\"q&'", "text 'x < y' @a", "end 'a' @a"}},
        {"quotes in text are kept", "<a>say \"hi  there\"</a>", false,
         {"start 'a' @", "text 'say \"hi  there\"' @a", "end 'a' @a"}},
        {"white space around tag names", "<a >x</a >", false, {"start 'a' @", "text 'x' @a", "end 'a' @a"}},
        {"empty document", " \n ", false, {}},
    };
    for (const Case& testCase : cases) {
        SCOPED_TRACE(testCase.mName);
        const ParseResult result = ParseFile(mFolder.Write("doc.xml", testCase.mDocument), testCase.mReturnComments);
        EXPECT_FALSE(result.mFailed) << result.mError;
        EXPECT_EQ(DescribeAll(result.mElements), testCase.mExpected);
    }
}

TEST_F(XMLParserFiles, LinesAreCountedInsideCommentsInstructionsAndQuotes)
{
    const ParseResult result = ParseFile(mFolder.Write("doc.xml", "<?pi\n?><!--\n--><a v=\"\n\">\n</a>"));
    ASSERT_FALSE(result.mFailed) << result.mError;
    EXPECT_EQ(result.mElements.size(), 3u);
    EXPECT_EQ(result.mLine, 5);
}

TEST_F(XMLParserFiles, MalformedInputFailsWithTheTextAndLineWhereItStopped)
{
    struct Case {
        const char* mName;
        std::string mBytes;
        std::string mError;
        int mLine;
        size_t mElementsBefore;
    };
    const std::string tooLongText = "<a>" + std::string(kOneMiB + 1, 'x') + "</a>";
    const std::string tooLongValue = "<a v=\"" + std::string(kOneMiB + 1, 'x') + "\">";
    const std::string tooLongComment = "<!-- " + std::string(kOneMiB + 1, 'x') + " -->";
    const std::string tooLongPath = "<" + std::string(kOneMiB / 2, 'a') + "><" + std::string(kOneMiB / 2, 'b') + ">";
    std::string tooDeep;
    for (size_t i = 0; i < 1025; ++i)
        tooDeep += "<a>";
    const std::vector<Case> cases = {
        {"control character", "<a>\n\x01</a>", "Illegal Character", 2, 1},
        {"end inside a tag", "<a>\n<b", "Unexpected End of File", 2, 1},
        {"end inside text", "<a>\ntext", "Unexpected End of File", 2, 1},
        {"end inside a quoted text", "<a>\n\"x</a>", "Unexpected End of File", 2, 1},
        {"'<' inside a tag", "<a\n<b>", "Unexpected '<'", 2, 0},
        {"'<' inside an end tag", "<a></a<>", "Unexpected '<'", 1, 1},
        {"'>' outside a tag", "<a>\n</a>\n>", "Unexpected '>'", 3, 2},
        {"end tag with nothing open", "\n</a>", "Unexpected End", 2, 0},
        {"end tag naming another tag", "<a>\n</b>", "End 'b' Doesn't Match Start 'a'", 2, 1},
        {"too long text", tooLongText, "Element Too Long", 1, 1},
        {"too long attribute value", tooLongValue, "Element Too Long", 1, 0},
        {"too long skipped comment", tooLongComment, "Element Too Long", 1, 0},
        {"too deep nesting", tooDeep, "Nesting Too Deep", 1, 1024},
        {"too long path of open tags", tooLongPath, "Nesting Too Deep", 1, 1},
        {"utf-8 stray continuation byte", "\xEF\xBB\xBF<a>\n\x80</a>", "Illegal Character", 2, 1},
        {"utf-8 overlong slash", "\xEF\xBB\xBF<a>\xC0\xAF</a>", "Illegal Character", 1, 1},
        {"utf-8 overlong three bytes", "\xEF\xBB\xBF<a>\xE0\x80\xAF</a>", "Illegal Character", 1, 1},
        {"utf-8 encoded surrogate", "\xEF\xBB\xBF<a>\xED\xA0\x80</a>", "Illegal Character", 1, 1},
        {"utf-8 six-byte lead", "\xEF\xBB\xBF<a>\xFC\x80\x80\x80\x80\x80</a>", "Illegal Character", 1, 1},
        {"utf-8 cut short at the end", "\xEF\xBB\xBF<a>\xE2\x82", "Illegal Character", 1, 1},
        // A bad sequence inside an element is reported as the element's unexpected end.
        {"utf-8 bad byte inside a tag", "\xEF\xBB\xBF<a\xFF>", "Unexpected End of File", 1, 0},
        {"utf-16 unpaired surrogate", "\xFF\xFE<\0a\0>\0\x3D\xD8<\0"s, "Illegal Character", 1, 1},
        {"utf-16 odd trailing byte", "\xFF\xFE<\0a\0>\0x"s, "Illegal Character", 1, 1},
    };
    for (const Case& testCase : cases) {
        SCOPED_TRACE(testCase.mName);
        const ParseResult result = ParseFile(mFolder.Write("bad.xml", testCase.mBytes));
        EXPECT_TRUE(result.mFailed);
        EXPECT_EQ(result.mError, testCase.mError);
        EXPECT_EQ(result.mLine, testCase.mLine);
        EXPECT_EQ(result.mElements.size(), testCase.mElementsBefore);
    }
}

TEST_F(XMLParserFiles, LimitsLetElementsAndNestingUpToTheirBound)
{
    std::string deepest;
    for (size_t i = 0; i < 1024; ++i)
        deepest += "<a>";
    const std::vector<std::string> documents = {
        "<a>" + std::string(kOneMiB, 'x') + "</a>",
        deepest,
    };
    for (const std::string& document : documents) {
        const ParseResult result = ParseFile(mFolder.Write("big.xml", document));
        EXPECT_FALSE(result.mFailed) << result.mError;
    }
}

TEST_F(XMLParserFiles, MissingFileFailsWithLineZeroAndReadsNothing)
{
    XMLParser parser;
    const std::string path = mFolder.Write("present.xml", "<a/>").string() + ".absent";
    EXPECT_FALSE(parser.OpenFile(path));
    EXPECT_TRUE(parser.HasFailed());
    EXPECT_EQ(parser.GetErrorText(), "Unable to open file " + path);
    EXPECT_EQ(parser.GetCurrentLineNum(), 0);
    XMLElement element;
    EXPECT_FALSE(parser.NextElement(&element));
}

TEST_F(XMLParserFiles, ReopeningResetsTheStateOfThePreviousFile)
{
    XMLParser parser;
    ASSERT_TRUE(parser.OpenFile(mFolder.Write("first.xml", "<a>\n</b>")));
    XMLElement element;
    while (parser.NextElement(&element)) {
    }
    ASSERT_TRUE(parser.HasFailed());

    const std::string second = mFolder.Write("second.xml", "<b/>");
    ASSERT_TRUE(parser.OpenFile(second));
    EXPECT_FALSE(parser.HasFailed());
    EXPECT_EQ(parser.GetErrorText(), "");
    EXPECT_EQ(parser.GetCurrentLineNum(), 1);
    EXPECT_EQ(parser.GetFileName(), second);
    ASSERT_TRUE(parser.NextElement(&element));
    EXPECT_EQ(Describe(element), "start 'b' @");
}

TEST_F(XMLParserFiles, CopiedAndMovedElementsOwnTheirAttributeOrder)
{
    std::optional<XMLElement> original(std::in_place);
    {
        XMLParser parser;
        ASSERT_TRUE(parser.OpenFile(mFolder.Write("doc.xml", "<a z=\"1\" y=\"2\" z=\"3\">")));
        ASSERT_TRUE(parser.NextElement(&*original));
    }
    const std::string expected = "start 'a' @ z='3' y='2' z='3'";
    const XMLElement copy(*original);
    XMLElement assigned;
    assigned.mAttributes["old"] = "x";
    assigned.mAttributeOrder.push_back(assigned.mAttributes.begin());
    assigned = *original;
    original.reset();

    EXPECT_EQ(Describe(copy), expected);
    EXPECT_EQ(Describe(assigned), expected);
    const XMLElement moved(std::move(assigned));
    EXPECT_EQ(Describe(moved), expected);
    XMLElement moveAssigned;
    moveAssigned = XMLElement(copy);
    EXPECT_EQ(Describe(moveAssigned), expected);
}

} // namespace
