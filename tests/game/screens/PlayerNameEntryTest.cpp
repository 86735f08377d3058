#include "game/screens/PlayerNameEntry.h"

#include "framework/widgets/ListWidget.h"
#include "game/screens/MenuItem.h"
#include "game/screens/CustomEditWidget.h"
#include "game/screens/SelectProfile.h"
#include "tests/game/screens/ProfileScreenTestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace Tests {
namespace {

using Zest::Color;

constexpr int kEnterKey = 13;
constexpr int kBackspaceKey = 8;

class PlayerNameEntryTest : public ProfileScreenTest {
protected:
    void SetUp() override
    {
        ProfileScreenTest::SetUp();
        mMenu = ShowMainMenu();
        mEntry = OpenNameEntry();
        mServices.TakeLog();
    }

    CustomEditWidget& Field() { return *mEntry->mNameEdit; }
    // The field draws with its own copy of the label font.
    std::vector<RunRecordingFont::Run>& FieldRuns() { return static_cast<RunRecordingFont&>(*Field().mFont).mRuns; }

    // Characters as typed on the keyboard, to the widget with the focus.
    void Type(const std::string& text)
    {
        for (const char c : text)
            mManager.KeyChar(c);
    }

    void ClearField() { Field().SetText(""); }

    // The dialog drawn over a grey screen: the corner shows whether it darkened the screen;
    // the panel picture lies at its place either way.
    void ExpectDrawnOverGrey(const Color& corner)
    {
        FillScreen(kBehindGrey);
        Zest::Graphics g(&mScreen);
        mEntry->Draw(&g);
        EXPECT_TRUE(ShowsColor(corner, Pixel(5, 5)));
        EXPECT_TRUE(ShowsColor(Color(220, 200, 160), Pixel(kPanelX + 5, kPanelY + 5)));
    }

    // Enter after the name: the profile is current and the dialog has left (it is deleted
    // later, by the recording services).
    void EnterName(const std::string& name)
    {
        Type(name);
        mManager.KeyDown(kEnterKey);
        ASSERT_NE(mProfileHost.GetCurrentProfile(), nullptr);
        EXPECT_EQ(mProfileHost.GetCurrentProfile()->mName, name);
        EXPECT_FALSE(mManager.HasWidget(mEntry));
    }

    MainMenu* mMenu = nullptr;
    PlayerNameEntry* mEntry = nullptr;
};

// ---------------------------------------------------------------------------------------
// The dialog

TEST_F(PlayerNameEntryTest, TheFieldHoldsTheDefaultNameWithTheFocusAboveTheDoneButton)
{
    EXPECT_EQ(mEntry->GetRect(), Zest::Rect(0, 0, 800, 600));
    EXPECT_EQ(mEntry->mPanelX, kPanelX);
    EXPECT_EQ(mEntry->mPanelY, kPanelY);

    CustomEditWidget& field = Field();
    EXPECT_TRUE(mManager.HasWidget(&field));
    EXPECT_EQ(field.GetRect(), Zest::Rect(kPanelX + 60, kPanelY + 130, 280, 60));
    EXPECT_TRUE(field.mHasFocus);
    EXPECT_EQ(field.mString, "Explorer");
    EXPECT_EQ(field.mCursorPos, 8) << "the cursor at the end";
    EXPECT_EQ(field.mMaxChars, 15);
    EXPECT_EQ(field.GetColor(0), Color(0, 0, 0, 128));
    EXPECT_EQ(field.GetColor(1), Color(55, 55, 55));
    EXPECT_EQ(field.GetColor(2), Color::White);
    EXPECT_EQ(field.GetColor(3), Color(0, 0, 55));
    EXPECT_EQ(field.GetColor(4), Color::White) << "the field's own";

    ASSERT_EQ(mEntry->mItems.size(), 1u);
    // Centred in the 415-pixel layout box, 80 above its 500-pixel bottom.
    ExpectDialogButton(*mEntry->mItems[0], "Done", Zest::Rect(kPanelX + (415 - 200) / 2, kPanelY + 420, 200, 50),
                       1.0f);
}

TEST_F(PlayerNameEntryTest, TypingReplacesTheDefaultNameAndStopsAtFifteenCharacters)
{
    Type("Ann");
    EXPECT_EQ(Field().mString, "Ann") << "the default name is selected, so typing replaces it";
    Type(" of the Amazon river");
    EXPECT_EQ(Field().mString, "Ann of the Amaz");
}

TEST_F(PlayerNameEntryTest, ALongDefaultNameStaysWholeUntilTheFirstEdit)
{
    StringTableHolder::Instance().SetString("LABEL_DEFAULTNAME", "A rather long default name");
    mManager.RemoveWidget(mEntry);
    delete mEntry;
    mEntry = OpenNameEntry();
    EXPECT_EQ(Field().mString, "A rather long default name");
    mManager.KeyDown(36); // Home: the selection goes, the text stays.
    Type("!");
    EXPECT_EQ(Field().mString, "!A rather long ");
}

TEST_F(PlayerNameEntryTest, ThirteenCharactersAreRefusedAndEveryOtherIsTaken)
{
    ClearField();
    for (const char refused : std::string("#$%&()*+-.:@^")) {
        SCOPED_TRACE(refused);
        Type(std::string(1, refused));
        EXPECT_EQ(Field().mString, "");
    }
    const std::string accepted = std::string(" '09Az!\",/;<=>?[\\]_`{|}~") + '\x80' + '\xff';
    for (const char c : accepted) {
        SCOPED_TRACE(static_cast<int>(static_cast<unsigned char>(c)));
        ClearField();
        Type(std::string(1, c));
        EXPECT_EQ(Field().mString, std::string(1, c));
    }
}

// ---------------------------------------------------------------------------------------
// Done

TEST_F(PlayerNameEntryTest, EnterWithANameMakesItCurrentBringsTheMenuBackClosesAndSaves)
{
    mMenu->DisableItems();
    ASSERT_NO_FATAL_FAILURE(EnterName("Ann"));

    EXPECT_EQ(mServices.TakeLog(), (Log{"add profile 'Ann'", "remove name entry", "save profiles"}));
    for (const MenuItem* const item : mMenu->mItems) {
        EXPECT_TRUE(item->mVisible);
        EXPECT_EQ(item->mFadeState, FADE_IN);
    }
    EXPECT_FALSE(mManager.HasWidget(&Field())) << "the field leaves with the dialog";
    EXPECT_TRUE(mEntry->mItems.empty()) << "the Done button goes for good";
    mEntry = nullptr;
}

TEST_F(PlayerNameEntryTest, EnterWithAnEmptyFieldDoesNothingButDoneNamesAnEmptyProfile)
{
    // Emptied from the keyboard: the default name is selected, so one Backspace takes it.
    mManager.KeyDown(kBackspaceKey);
    ASSERT_EQ(Field().mString, "");
    mServices.TakeLog();
    mManager.KeyDown(kEnterKey);
    EXPECT_EQ(mServices.TakeLog(), Log{});
    EXPECT_TRUE(mManager.HasWidget(mEntry));

    Click(*mEntry->mItems[0]);
    EXPECT_EQ(mServices.TakeLog(), (Log{kClickLogged, "add profile ''",
                                        "remove name entry", "save profiles"}));
    ASSERT_NE(mProfileHost.GetCurrentProfile(), nullptr);
    EXPECT_EQ(mProfileHost.GetCurrentProfile()->mName, "");
    mEntry = nullptr;
}

// ---------------------------------------------------------------------------------------
// Drawing

TEST_F(PlayerNameEntryTest, ThePanelDarkensTheScreenAndCarriesItsTitleAndHint)
{
    // (0, 0, 0, 75) over grey.
    ExpectDrawnOverGrey(kShadedGrey);
    ASSERT_EQ(mLabelFont.mRuns.size(), 2u);
    const int titleX = (800 - 100) / 2;
    EXPECT_EQ(mLabelFont.mRuns[0].mX, titleX + 1);
    EXPECT_EQ(mLabelFont.mRuns[0].mY, kPanelY + 36);
    EXPECT_EQ(mLabelFont.mRuns[0].mColor, Color::White);
    EXPECT_EQ(mLabelFont.mRuns[1].mX, titleX);
    EXPECT_EQ(mLabelFont.mRuns[1].mY, kPanelY + 35);
    EXPECT_EQ(mLabelFont.mRuns[1].mColor, Color(0, 130, 49));
    ASSERT_EQ(mStoryFont.mRuns.size(), 1u);
    EXPECT_EQ(mStoryFont.mRuns[0].mText, "Up to 15");
    EXPECT_EQ(mStoryFont.mRuns[0].mX, kPanelX + (415 - 80) / 2);
    EXPECT_EQ(mStoryFont.mRuns[0].mY, kPanelY + 210);
    EXPECT_EQ(mStoryFont.mRuns[0].mColor, kTestTextColor);
}

struct CaretCase {
    const char* mName;
    int32_t mCursor;
    int32_t mAnchor;
    bool mShowingCursor;
    // Filled columns of the field, or none when both are 0.
    int mFirstFilled;
    int mLastFilled;
};

// "Ann" is 30 pixels wide, so it starts at 4 + (280 - 30) / 2 = 129 in the field.
TEST_F(PlayerNameEntryTest, TheFieldCentresItsTextWithTheCaretOrSelectionOverIt)
{
    const CaretCase cases[] = {
        {"caret at the end", 3, -1, true, 159, 160},
        {"caret hidden by its blink", 3, -1, false, 0, 0},
        {"caret at the start", 0, -1, true, 129, 130},
        {"selection of the whole name", 3, 0, true, 129, 158},
    };
    Type("Ann");
    CustomEditWidget& field = Field();
    for (const CaretCase& test : cases) {
        SCOPED_TRACE(test.mName);
        field.mCursorPos = test.mCursor;
        field.mHilitePos = test.mAnchor;
        field.mShowingCursor = test.mShowingCursor;
        FieldRuns().clear();
        mScreen.ClearRect(Zest::Rect(0, 0, 800, 600));
        Zest::Graphics g(&mScreen);
        g.Translate(field.mX, field.mY);
        field.Draw(&g);

        ASSERT_EQ(FieldRuns().size(), 2u) << "the text, and again in the selection's colour";
        EXPECT_EQ(FieldRuns()[0].mText, "Ann");
        EXPECT_EQ(FieldRuns()[0].mX, 129);
        EXPECT_EQ(FieldRuns()[0].mColor, Color::White);
        const int row = field.mY + 30;
        for (int x = 120; x < 170; ++x) {
            const bool filled = x >= test.mFirstFilled && x <= test.mLastFilled && test.mLastFilled != 0;
            const int blue = static_cast<int>(Pixel(field.mX + x, row) & 0xFF);
            EXPECT_EQ(blue > 0, filled) << "column " << x;
        }
    }
}

TEST_F(PlayerNameEntryTest, WithoutTheFocusTheFieldDrawsItsTextOnce)
{
    Type("Ann");
    mManager.SetFocus(nullptr);
    Zest::Graphics g(&mScreen);
    FieldRuns().clear();
    Field().Draw(&g);
    EXPECT_EQ(FieldRuns().size(), 1u);
}

// ---------------------------------------------------------------------------------------
// Over the profile selection

// Opened from the profile selection (its Create new button, or after the last profile was
// deleted): the dialog lies over the selection, which has darkened the screen already.
class PlayerNameEntryOverSelectionTest : public PlayerNameEntryTest {
protected:
    void SetUp() override
    {
        ProfileScreenTest::SetUp();
        mProfileHost.mProfiles.AddProfile(std::make_unique<PlayerProfile>("Ann"));
        mProfileHost.mProfiles.AddProfile(std::make_unique<PlayerProfile>("Bob"));
        mMenu = ShowMainMenu();
        mMenu->DisableItems();
        mSelection = OpenSelectProfile();
        mSelection->mProfileList->SetSelect(1);
        mEntry = OpenNameEntry();
        mServices.TakeLog();
    }

    SelectProfile* mSelection = nullptr;
};

TEST_F(PlayerNameEntryOverSelectionTest, DoneRefreshesTheSelectionsListInsteadOfBringingTheMenuBack)
{
    ASSERT_NO_FATAL_FAILURE(EnterName("Dan"));

    EXPECT_EQ(mServices.TakeLog(),
              (Log{"add profile 'Dan'", "fill profile list", "remove name entry", "save profiles"}));
    const Zest::ListWidget& list = *mSelection->mProfileList;
    EXPECT_EQ(list.mLines, (std::vector<std::string>{"Ann", "Bob", "Dan"}));
    EXPECT_EQ(list.mSelectIndex, 0);
    for (const MenuItem* const item : mMenu->mItems)
        EXPECT_FALSE(item->mVisible) << "the main menu's buttons stay hidden behind the selection";
    EXPECT_TRUE(mManager.HasWidget(mSelection));
    mEntry = nullptr;
}

TEST_F(PlayerNameEntryOverSelectionTest, ThePanelDoesNotDarkenTheScreenASecondTime)
{
    ExpectDrawnOverGrey(kBehindGrey);
    EXPECT_EQ(mLabelFont.mRuns.size(), 2u) << "the title all the same";
}

} // namespace
} // namespace Tests
