#include "framework/graphics/DescParser.h"

#include "tests/support/TemporaryFolder.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace Zest {
namespace {

// Records each command in its written form with the line and text the parser reports for
// it, and every error with the line of the command that caused it. A command word FAIL
// makes the handler refuse the command.
class RecordingParser : public DescParser {
public:
    struct Handled {
        std::string mCommand;
        int32_t mLine;
        std::string mText;
    };

    ~RecordingParser() override
    {
        for (const auto& [name, value] : mDefines) {
            delete value;
        }
    }

    bool Error(const std::string& message) override
    {
        mErrorLine = mCommandStartLine;
        return DescParser::Error(message);
    }

    bool HandleCommand(const ListDataElement& command) override
    {
        mHandled.push_back({DataElementToString(command), mCommandStartLine, mCommandText});
        return DataElementToString(*command.mElements.front()) != "FAIL";
    }

    void Define(const std::string& name, DataElement* value) { mDefines[name] = value; }

    // The one element a command written as text parses to.
    std::unique_ptr<ListDataElement> Parse(const std::string& text)
    {
        auto list = std::make_unique<ListDataElement>();
        size_t position = 0;
        EXPECT_TRUE(ParseToList(text, list.get(), false, &position)) << mLastError;
        return list;
    }

    const std::string& LastError() const { return mLastError; }
    int32_t CommandStartLine() const { return mCommandStartLine; }
    const std::string& CommandText() const { return mCommandText; }

    std::vector<Handled> mHandled;
    int32_t mErrorLine = -1;
};

std::string Handled(const RecordingParser& parser)
{
    std::string result;
    for (const auto& handled : parser.mHandled) {
        result += handled.mCommand + ";";
    }
    return result;
}

struct TokenCase {
    const char* mText;
    // The handled command in written form, or "" when none is handled.
    const char* mCommand;
    const char* mError;
};

TEST(DescParserTokenise, CutsCommandsIntoWordsQuotesAndNestedLists)
{
    const TokenCase cases[] = {
        {"Cmd a,b  c", "(Cmd, a, b, c)", ""},
        {"Cmd (1 2 (3 4))", "(Cmd, (1, 2, (3, 4)))", ""},
        {"Cmd (1)(2) ()", "(Cmd, (1), (2), ())", ""},
        {"Cmd (a)b", "(Cmd, (a), b)", ""},
        {"Cmd \"a;b, (c)\"", "(Cmd, \"a;b, (c)\")", ""},
        {"Cmd 'say \"hi\"'", "(Cmd, 'say \"hi\"')", ""},
        {"Cmd 'x\\'y'", "(Cmd, 'x'y')", ""},
        {"Cmd a\\ b\\,c", "(Cmd, a b,c)", ""},
        {"Cmd \\(", "(Cmd, ()", ""},
        {"Cmd a\\", "(Cmd, a)", ""},
        {"Cmd \\", "(Cmd)", ""},
        {"\t\n, ,", "", ""},
        {"Cmd x(1)", "", "Unexpected List Start"},
        {"Cmd 1)", "", "Unexpected List End"},
        {"Cmd (1 (2)", "", "Unterminated List"},
        {"Cmd \"a", "", "Unterminated Double Quotes"},
        {"Cmd 'a\\'", "", "Unterminated Single Quotes"},
        {"Cmd ('a)'", "", "Unterminated List"},
        {"(1) Cmd", "", "Missing Command"},
    };
    for (const TokenCase& testCase : cases) {
        RecordingParser parser;
        const bool expectSuccess = testCase.mError[0] == '\0';
        EXPECT_EQ(parser.ParseDescriptorLine(testCase.mText), expectSuccess) << testCase.mText;
        EXPECT_EQ(parser.LastError(), testCase.mError) << testCase.mText;
        const std::string expected = testCase.mCommand[0] == '\0' ? "" : std::string(testCase.mCommand) + ";";
        EXPECT_EQ(Handled(parser), expected) << testCase.mText;
    }
}

TEST(DescParserTokenise, AcceptsSixtyFourNestedListsAndRefusesDeeperOnes)
{
    RecordingParser accepted;
    EXPECT_TRUE(accepted.ParseDescriptorLine("Cmd " + std::string(64, '(') + std::string(64, ')')));
    ASSERT_EQ(accepted.mHandled.size(), 1U);

    for (const size_t depth : {size_t{65}, size_t{200000}}) {
        RecordingParser refused;
        EXPECT_FALSE(refused.ParseDescriptorLine("Cmd " + std::string(depth, '(') + std::string(depth, ')')));
        EXPECT_EQ(refused.LastError(), "Unterminated List");
        EXPECT_TRUE(refused.mHandled.empty());
    }
}

class DescParserFileTest : public ::testing::Test {
protected:
    std::string Write(const std::string& content) const { return mFolder.Write("font.txt", content); }

    const Tests::TemporaryFolder mFolder;
};

struct ReadCase {
    const char* mContent;
    std::vector<RecordingParser::Handled> mCommands;
};

TEST_F(DescParserFileTest, ReadsCommandsWithTheirFirstLineAcrossCommentsAndQuotes)
{
    const ReadCase cases[] = {
        {"", {}},
        {"# only\n\n   \t# comments\n\n", {}},
        {"Cmd a\n  b\n  c;", {{"(Cmd, a, b, c)", 1, "Cmd a\nb\nc"}}},
        {"# heading\nCmd x;", {{"(Cmd, x)", 2, "Cmd x"}}},
        {"\n\nA 1;\nB 2", {{"(A, 1)", 3, "A 1"}, {"(B, 2)", 4, "B 2"}}},
        {"A 1;#rest\nB 2;", {{"(A, 1)", 1, "A 1"}, {"(B, 2)", 2, "B 2"}}},
        {"A 1 # 2;", {{"(A, 1, #, 2)", 1, "A 1 # 2"}}},
        {"A 1\r\nB;\r\n", {{"(A, 1, B)", 1, "A 1\nB"}}},
        {"A \"x;\ny\";", {{"(A, \"x;\ny\")", 1, "A \"x;\ny\""}}},
        {"A 'it''s';", {{"(A, 'it''s')", 1, "A 'it''s'"}}},
        {"A \"x\\\"y\";", {{"(A, \"x\"y\")", 1, "A \"x\\\"y\""}}},
        {"A '\\\\' b\\;", {{"(A, '\\', b)", 1, "A '\\\\' b\\"}}},
        {";;\n;", {}},
    };
    for (const ReadCase& testCase : cases) {
        RecordingParser parser;
        EXPECT_TRUE(parser.LoadDescriptor(Write(testCase.mContent))) << testCase.mContent;
        ASSERT_EQ(parser.mHandled.size(), testCase.mCommands.size()) << testCase.mContent;
        for (size_t i = 0; i < testCase.mCommands.size(); ++i) {
            EXPECT_EQ(parser.mHandled[i].mCommand, testCase.mCommands[i].mCommand) << testCase.mContent;
            EXPECT_EQ(parser.mHandled[i].mLine, testCase.mCommands[i].mLine) << testCase.mContent;
            EXPECT_EQ(parser.mHandled[i].mText, testCase.mCommands[i].mText) << testCase.mContent;
        }
        EXPECT_EQ(parser.CommandStartLine(), 0);
        EXPECT_TRUE(parser.CommandText().empty());
    }
}

struct FailureCase {
    const char* mContent;
    const char* mHandledBefore;
    const char* mError;
    int32_t mErrorLine;
};

TEST_F(DescParserFileTest, StopsAtTheFailingCommandAndReportsItsLine)
{
    const FailureCase cases[] = {
        {"A;\nB (1;\nC;", "(A);", "Unterminated List", 2},
        {"A;\n# note\n\n  B x(1);\nC;", "(A);", "Unexpected List Start", 4},
        {"A;B);C;", "(A);", "Unexpected List End", 1},
        {"A;\n\nB \"open;\nC;", "(A);", "Unterminated Double Quotes", 3},
        {"A;\n(1) B;", "(A);", "Missing Command", 2},
        {"A 'x\\", "", "Unterminated Single Quotes", 1},
        {"A;\nFAIL 1;\nC;", "(A);(FAIL, 1);", "", -1},
    };
    for (const FailureCase& testCase : cases) {
        RecordingParser parser;
        EXPECT_FALSE(parser.LoadDescriptor(Write(testCase.mContent))) << testCase.mContent;
        EXPECT_EQ(Handled(parser), testCase.mHandledBefore) << testCase.mContent;
        EXPECT_EQ(parser.LastError(), testCase.mError) << testCase.mContent;
        EXPECT_EQ(parser.mErrorLine, testCase.mErrorLine) << testCase.mContent;
        EXPECT_EQ(parser.CommandStartLine(), 0);
        EXPECT_TRUE(parser.CommandText().empty());
    }
}

TEST_F(DescParserFileTest, MissingFileFailsWithoutHandlingAnything)
{
    RecordingParser parser;
    EXPECT_FALSE(parser.LoadDescriptor(mFolder.File("absent.txt").string()));
    EXPECT_TRUE(parser.mHandled.empty());
}

TEST(DescParserWords, UnquoteAndIsLiteral)
{
    const std::pair<const char*, const char*> unquoted[] = {
        {"plain", "plain"}, {"'it''s'", "it's"}, {"'x'y'", "xy"}, {"\"a'b\"", "a'b"},
        {"a'b", "a'b"},     {"'", ""},        {"", ""},
    };
    for (const auto& [word, expected] : unquoted) {
        EXPECT_EQ(DescParser::Unquote(word), expected) << word;
    }
    const std::pair<const char*, bool> literals[] = {
        {"7x", true}, {"-1", true}, {"+", true}, {"'a'", true}, {"\"", true}, {"NAME", false}, {".5", false}, {"", false},
    };
    for (const auto& [word, expected] : literals) {
        EXPECT_EQ(DescParser::IsLiteral(word), expected) << word;
    }
}

TEST(DescParserValues, GetValuesUnquotesCopiesLiteralsAndResolvesDefines)
{
    RecordingParser parser;
    parser.Define("NAME", new SingleDataElement("5"));
    ListDataElement defined;
    defined.mElements.push_back(new SingleDataElement("a"));
    parser.Define("PAIR", defined.Duplicate());

    ListDataElement out;
    out.mElements.push_back(new SingleDataElement("stale"));
    auto source = parser.Parse("1 Name \"t\" (pair -2)");
    source->mElements.push_back(new SingleDataElement(""));
    EXPECT_TRUE(parser.GetValues(*source, &out));
    EXPECT_EQ(DescParser::DataElementToString(out), "(1, 5, t, ((a), -2))");

    EXPECT_FALSE(parser.GetValues(*parser.Parse("1 Other"), &out));
    EXPECT_EQ(parser.LastError(), "Unable to Dereference \"Other\"");
}

TEST(DescParserValues, DataToIntVectorKeepsNumbersBeforeTheFirstBadOne)
{
    RecordingParser parser;
    std::vector<int32_t> numbers;
    EXPECT_FALSE(parser.DataToIntVector(*parser.Parse("(1 2 3x)")->mElements[0], &numbers));
    EXPECT_EQ(numbers, (std::vector<int32_t>{1, 2}));

    EXPECT_FALSE(parser.DataToIntVector(*parser.Parse("(1 2 x)")->mElements[0], &numbers));
    EXPECT_TRUE(numbers.empty());
    EXPECT_EQ(parser.LastError(), "Unable to Dereference \"x\"");

    parser.Define("SIZES", parser.Parse("(4 0x10)")->mElements[0]->Duplicate());
    EXPECT_TRUE(parser.DataToIntVector(SingleDataElement("sizes"), &numbers));
    EXPECT_EQ(numbers, (std::vector<int32_t>{4, 16}));

    std::vector<double> scales;
    EXPECT_TRUE(parser.DataToDoubleVector(*parser.Parse("(0.5 '-2')")->mElements[0], &scales));
    EXPECT_EQ(scales, (std::vector<double>{0.5, -2.0}));
}

TEST(DescParserValues, DataToStringVectorNeedsAListOfWords)
{
    RecordingParser parser;
    parser.Define("ONE", new SingleDataElement("1"));
    std::vector<std::string> texts{"stale"};

    EXPECT_FALSE(parser.DataToStringVector(SingleDataElement("one"), &texts));
    EXPECT_TRUE(texts.empty());
    EXPECT_TRUE(parser.LastError().empty());

    EXPECT_FALSE(parser.DataToStringVector(SingleDataElement("none"), &texts));
    EXPECT_EQ(parser.LastError(), "Unable to Dereference \"none\"");

    EXPECT_FALSE(parser.DataToStringVector(*parser.Parse("(a (b))")->mElements[0], &texts));
    EXPECT_TRUE(texts.empty());

    EXPECT_TRUE(parser.DataToStringVector(*parser.Parse("('x y' one)")->mElements[0], &texts));
    EXPECT_EQ(texts, (std::vector<std::string>{"x y", "1"}));
}

TEST(DescParserValues, DataToStringTakesWordsAndSingleDefinesOnly)
{
    RecordingParser parser;
    parser.Define("FACE", new SingleDataElement("'Sans ''Bold'"));
    parser.Define("LIST", new ListDataElement);
    std::string text = "stale";

    EXPECT_TRUE(parser.DataToString(SingleDataElement("face"), &text));
    EXPECT_EQ(text, "Sans 'Bold");
    EXPECT_TRUE(parser.DataToString(SingleDataElement("\"plain\""), &text));
    EXPECT_EQ(text, "plain");
    EXPECT_FALSE(parser.DataToString(SingleDataElement("List"), &text));
    EXPECT_TRUE(text.empty());
    EXPECT_FALSE(parser.DataToString(ListDataElement(), &text));
}

TEST(DescParserValues, DataToListExpandsInPlaceListsAndCopiesDefinedOnes)
{
    RecordingParser parser;
    parser.Define("N", new SingleDataElement("3"));
    parser.Define("ROW", parser.Parse("(1 (2))")->mElements[0]->Duplicate());

    ListDataElement out;
    EXPECT_TRUE(parser.DataToList(*parser.Parse("(n 'q')")->mElements[0], &out));
    EXPECT_EQ(DescParser::DataElementToString(out), "(3, q)");

    EXPECT_TRUE(parser.DataToList(SingleDataElement("row"), &out));
    EXPECT_EQ(DescParser::DataElementToString(out), "(1, (2))");

    EXPECT_FALSE(parser.DataToList(SingleDataElement("n"), &out));
    EXPECT_FALSE(parser.DataToList(SingleDataElement("missing"), &out));
    EXPECT_TRUE(parser.LastError().empty());
}

TEST(DescParserElements, ListCopiesAreDeepAndIndependent)
{
    RecordingParser parser;
    const auto original = parser.Parse("(a (b c))");
    ListDataElement copy(*original);
    ListDataElement assigned = *parser.Parse("(old)");
    assigned = *original;
    const std::unique_ptr<DataElement> duplicate(original->Duplicate());

    static_cast<SingleDataElement*>(static_cast<ListDataElement*>(original->mElements[0])->mElements[0])->mText =
        "changed";
    for (const DataElement* const list : {static_cast<const DataElement*>(&copy), static_cast<const DataElement*>(&assigned),
                                          static_cast<const DataElement*>(duplicate.get())}) {
        EXPECT_EQ(DescParser::DataElementToString(*list), "((a, (b, c)))");
    }
    const ListDataElement& self = assigned;
    assigned = self;
    EXPECT_EQ(DescParser::DataElementToString(assigned), "((a, (b, c)))");
}

} // namespace
} // namespace Zest
