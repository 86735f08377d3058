#pragma once
// After a habitat's level report, over the world map: the partner calls the guide, a memo
// says the habitat is done and shows its award, and the awards screen hands the award over.
// Leaving the awards screen starts the next habitat's game, or returns to the main menu
// when no habitat is left; after the tenth habitat's award one more Continue ends with the
// credits.

#include "game/screens/BasicMenu.h"

#include <cstdint>

namespace Zest {
class Graphics;
class WidgetManager;
} // namespace Zest

class ReceivingAwardsHost;

class ReceivingAwardsScreen : public BasicMenu {
public:
    // Values of mStep.
    enum Step : int32_t {
        STEP_PHONE_CALL = 0,
        STEP_MEMO = 1,
        STEP_AWARDS_SCREEN = 2,
        // The tenth habitat's award has been handed over.
        STEP_FINAL = 3,
    };
    static constexpr int32_t kOverlayPriority = 55;
    // The song ids of the call and of the memo.
    static constexpr int32_t kCallSong = 11;
    static constexpr int32_t kMemoSong = 14;
    // What the profile's habitat reads once the adventure has no habitat left.
    static constexpr const char* kNoHabitatName = "Invalid_uninitialized";

    // The host must outlive the screen; the application sizes it to the whole screen.
    ReceivingAwardsScreen(ReceivingAwardsHost* app, int32_t nextLevel);

    // Makes the Continue button and starts the call's music.
    void AddedToManager(Zest::WidgetManager* manager) override;
    void Draw(Zest::Graphics* g) override;
    void DrawOverlay(Zest::Graphics* g) override;

    // The Continue button, and the awards screen's Back after any award but the tenth
    // habitat's.
    void AdvanceStory();
    // The awards screen's Back after the tenth habitat's award.
    void JumpToLastStep();

    // The level after the finished habitat; the award handed over is mNextLevel - 1.
    int32_t mNextLevel;
    int32_t mStep = STEP_PHONE_CALL;
    // Continue presses so far.
    int32_t mPage = 0;
    // 1 while the partner speaks, 0 while the guide answers.
    int32_t mAugustSpeaking = 1;
    // Not owned.
    ReceivingAwardsHost* mApp;

private:
    // The speech cloud and the text of whoever speaks.
    void DrawPhoneCall(Zest::Graphics* g) const;
    // The memo with the habitat's lines and its award.
    void DrawMemo(Zest::Graphics* g) const;
    // After the awards screen: the next habitat's game, or the main menu when none is left.
    void Leave();
    // After the tenth habitat's award: the main menu with the credits over it.
    void EndAdventure();
};
