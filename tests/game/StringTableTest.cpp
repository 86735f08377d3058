#include "game/StringTable.h"

#include "tests/support/TemporaryFolder.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// A table read from a strings file written into a temporary folder.
class StringTableTest : public ::testing::Test {
protected:
    bool Load(const std::string& text)
    {
        const std::string path = (mFolder.Path() / "strings.xml").string();
        Tests::WriteBytes(path, text);
        return mTable.Load(path, &mMessage);
    }

    Tests::TemporaryFolder mFolder;
    StringTable mTable;
    std::string mMessage;
};

TEST_F(StringTableTest, KeysAreTheDirectChildrenOfStringsAndALaterDefinitionWins)
{
    ASSERT_TRUE(Load("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                     "<Strings>\n"
                     "  <BTN_DONE value=\"Done\"/>\n"
                     "  <btn_done value=\"lower case\"/>\n"
                     "  <LBL_TWICE value=\"first\"/>\n"
                     "  <LBL_TWICE value=\"second\"/>\n"
                     "  <LBL_EMPTY/>\n"
                     "  <LBL_ENTITY value=\"Fish &amp; chips\"/>\n"
                     "  <GROUP><LBL_NESTED value=\"too deep\"/></GROUP>\n"
                     "</Strings>\n"
                     "<Other><LBL_OTHER value=\"not a key\"/></Other>\n"));

    struct Lookup {
        const char* mKey;
        const char* mText;
    };
    const Lookup lookups[] = {
        {"BTN_DONE", "Done"},
        {"btn_done", "lower case"},
        {"LBL_TWICE", "second"},
        {"LBL_EMPTY", ""},
        {"LBL_ENTITY", "Fish & chips"},
        {"GROUP", ""},
        {"LBL_NESTED", "error::not found LBL_NESTED"},
        {"LBL_OTHER", "error::not found LBL_OTHER"},
        {"Strings", "error::not found Strings"},
        {"", "error::not found "},
    };
    for (const Lookup& lookup : lookups)
        EXPECT_EQ(mTable.GetString(lookup.mKey), lookup.mText) << "key \"" << lookup.mKey << "\"";
}

TEST_F(StringTableTest, AParseErrorKeepsTheKeysReadBeforeIt)
{
    EXPECT_TRUE(Load("<Strings>\n"
                     "  <LBL_BEFORE value=\"kept\"/>\n"
                     "  <LBL_BROKEN value=\"unterminated/>\n"
                     "  <LBL_AFTER value=\"lost\"/>\n"
                     "</Strings>\n"));
    EXPECT_EQ(mTable.GetString("LBL_BEFORE"), "kept");
    EXPECT_EQ(mTable.GetString("LBL_AFTER"), "error::not found LBL_AFTER");
}

TEST_F(StringTableTest, AFileThatCannotBeOpenedIsRefusedWithItsNameAndLeavesTheTableAsItWas)
{
    mTable.SetString("LBL_KEPT", "kept");
    EXPECT_FALSE(mTable.Load((mFolder.Path() / "missing.xml").string(), &mMessage));
    EXPECT_NE(mMessage.find("missing.xml"), std::string::npos) << mMessage;
    EXPECT_EQ(mTable.GetString("LBL_KEPT"), "kept");
}

} // namespace
