#pragma once
// What a story or tip page asks of the running game it lies over: the habitat played, the
// introduction's collected items, and the way back into play once the page has closed (the
// session's state and board phase, the head-up display's buttons and blinks, the frame
// check, the survivor game's first infection, the resume) and the page's own removal.

#include <cstdint>

class StoryHost {
public:
    // The session states and board phases a closing page sets, in the session's numbers
    // (the application pins them against the session's own names).
    enum SessionStateValue : int32_t {
        SESSION_PLAY = 5,
        SESSION_STAGE_START = 12,
        SESSION_MINI_GAME_START = 15,
    };
    enum BoardPhaseValue : int32_t {
        BOARD_IDLE = 2,
        BOARD_DEAL_IN = 3,
        BOARD_SETTLE = 5,
    };
    // The introduction's items, in the order they are offered.
    enum IntroItem : int32_t {
        ITEM_TEST_TUBES = 0,
        ITEM_DIARY = 1,
        ITEM_BACKPACK = 2,
    };

    virtual ~StoryHost() = default;

    // The index of the habitat the running session plays.
    virtual int32_t GetSessionHabitatIndex() const = 0;
    // The player took the item: the session fades in its part of the head-up display.
    virtual void CollectIntroItem(IntroItem item) = 0;

    virtual void SetSessionState(int32_t state) = 0;
    virtual void SetBoardPhase(int32_t phase) = 0;
    virtual void CreateHudButtons() = 0;
    virtual void CheckFrame() = 0;
    virtual void SetElementsBlink(bool on) = 0;
    virtual void SetBackpackBlink(bool on) = 0;
    virtual void InfectRandomTile() = 0;
    virtual void ResumeBoard() = 0;

    // Takes the open page out of the widget tree; it is deleted after the current update.
    virtual void RemoveStoryScreens() = 0;
};
