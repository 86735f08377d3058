#pragma once
// One stage of a habitat: its goal creatures with the numbers still to collect, its board
// mode, the events it may fire and a few switches. A plain value: the session plays a copy
// of the habitat's stage and counts collected creatures against that copy.
//
// A goal whose creature is null (a saved game may name a creature the habitat no longer
// has) can never be collected: counting, activating and judging the stage pass over it,
// while the totals of what was collected keep it.

#include <cstdint>
#include <vector>

class Creature;

// The board's selection rule in a stage.
enum StageMode : int32_t {
    MODE_FOOD_CHAIN = 0,
    MODE_MATCH_SAME = 1,
    MODE_MATCH_PAIRS = 2,
    MODE_MATCH_SEARCH = 3,
};

// What a stage event delivers onto the board.
enum StageEventKind : int32_t {
    EVENT_SPIDER_WEB = 0,
    EVENT_BANANAS = 1,
};

struct StageGoal {
    // A goal listed with this count puts its creature on the board without counting it.
    static constexpr int32_t NOT_COUNTED = -1;

    Creature* mCreature;
    // Still to collect; NOT_COUNTED for a creature that is only dealt.
    int32_t mCount;
};

class Stage {
public:
    // Power items and stage events are on in a stage whose mPowerItems is not negative.
    static constexpr int32_t POWER_ITEMS_ON = 400;
    static constexpr int32_t POWER_ITEMS_OFF = -1;
    // The session states a roll reads and writes: play, and the wait for an event's
    // carrier. The session's own state names must agree with them.
    static constexpr int32_t ROLL_STATE_PLAY = 5;
    static constexpr int32_t ROLL_STATE_EVENT = 8;

    void AddGoal(Creature* creature, int32_t count);
    void AddEvent(int32_t kind, int32_t chance);

    int32_t GetGoalCount() const { return static_cast<int32_t>(mGoals.size()); }
    StageGoal GetGoal(int32_t index) const;
    // The goal's count as it stood when the stage was added to its habitat; NOT_COUNTED
    // for a goal without a target.
    int32_t GetGoalTarget(int32_t index) const;

    // Takes one collected creature off the first open goal of that creature; false when it
    // had no open goal, or the goal was already met.
    bool CountCreature(const Creature* creature);
    // No counted goal has anything left to collect.
    bool AllGoalsDone() const;
    // Every goal count becomes 0, the uncounted ones too.
    void ClearGoalCounts();
    // The targets become the current goal counts.
    void ResetTargets();
    // Lets every goal creature, counted or not, be dealt onto the board.
    void ActivateCreatures() const;
    // The mean over the counted targets of known creatures of the percent collected,
    // truncated; a stage without such targets is complete.
    int32_t GetCompletionPercent() const;
    // Creatures collected towards the counted targets.
    int32_t GetCollectedTotal() const;
    // After a chain taken in play (ROLL_STATE_PLAY): draws one of the stage's events and
    // whether it fires by its percent chance, both from the runtime's generator. A fired
    // event sets `state` to ROLL_STATE_EVENT and `event` to its kind; otherwise the state
    // stays in play and `event` is -1. In any other state nothing changes.
    void RollEvent(int32_t& state, int32_t& event) const;

    // StageEventKind of each event, with its percent chance in the parallel list.
    std::vector<int32_t> mEventKinds;
    std::vector<int32_t> mEventChances;
    int32_t mMode = MODE_FOOD_CHAIN;
    // Still to be played.
    bool mPending = false;
    // No role in play; kept with the stage and in the saved game.
    int32_t mExtraA = -1;
    int32_t mExtraB = 0;
    // Position in the habitat's list; -1 until the habitat adds it.
    int32_t mIndex = -1;
    int32_t mPowerItems = POWER_ITEMS_OFF;
    // Plate laid under every cell at the start; -1 none.
    int32_t mPlateKind = -1;
    // Percent chance that the survivor game breaks in once the stage is past 60 percent.
    int32_t mPanicChance = 0;
    // The highest frame shape the board may pick in food chain and match same.
    int32_t mMaxFrameShape = 1;
    // Parallel to mGoals.
    std::vector<int32_t> mGoalTargets;
    std::vector<StageGoal> mGoals;

private:
    // Calls visit(goal, target) for each goal whose target is not NOT_COUNTED.
    template <typename Visit>
    void ForEachTarget(Visit visit) const;
};
