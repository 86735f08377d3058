#pragma once
// One habitat: its creatures and power items, the food web between them and the stages a
// player works through in it. Built in code once after the title screen, registered by
// name and kept for the rest of the run; a game session plays one habitat at a time.

#include "game/Creature.h"
#include "game/FoodLink.h"
#include "game/Stage.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace Zest {
class Image;
}

class GameRandom;
class ResourceGroupSource;
class TileCounts;

class Habitat {
public:
    explicit Habitat(const std::string& name);
    Habitat(const Habitat&) = delete;
    Habitat& operator=(const Habitat&) = delete;

    std::string GetName() const { return mName; }

    // Takes the creature and gives it the next position in the list.
    void AddCreature(std::unique_ptr<Creature> creature);
    void AddFoodLink(Creature* predator, Creature* prey);
    // One of the two eats the other.
    bool IsFoodLink(const Creature* a, const Creature* b) const;
    // The first creature whose display name is exactly the name; null when none is.
    Creature* FindCreature(const std::string& name) const;
    // Appends a pending copy of the stage at the next position, its targets its goal counts.
    void AddStage(const Stage& stage);

    // Once every creature, link and stage is in: the predator lists and the goal total.
    void Finalize();
    void BuildPredatorLists();
    // The sum of the counted goals of every stage.
    void ComputeTotalGoals();

    // Copies the first pending stage into the target and lets only its creatures be dealt;
    // false, changing nothing, when every stage is done.
    bool StartNextStage(Stage& target);
    void MarkStageDone(int32_t stageIndex);
    // Every stage pending again, nothing collected.
    void ResetStages();
    // A continued game: the stages before the index done, the creatures of every stage up
    // to it dealt, nothing collected yet.
    void ResumeAtStage(int32_t stageIndex);
    void ClearActiveCreatures();
    // Counts the goals the stage still had open as collected.
    void AddStageProgress(const Stage& stage);
    // The creature for a new tile of the board in that row (0 at the top); `initialFill`
    // while a new board is first filled. Mostly the rarest dealt creature on the board,
    // else a random one, now and then an item. Null without a board.
    Creature* PickCreatureForCell(GameRandom& random, int32_t row, const TileCounts* board, bool initialFill) const;
    // A random item the board may take (under its caps, never in a new board's bottom row),
    // else a random dealt creature.
    Creature* PickRandomCreature(GameRandom& random, int32_t row, const TileCounts* board, bool initialFill) const;
    // Collected goals over all goals; 0 for a habitat without goals.
    float GetProgress() const;

    // Loads the habitat's resource group and takes its play-screen pictures. A group the
    // game cannot load ends the program; false when the source let it go on.
    bool LoadResources(ResourceGroupSource& resources);
    void UnloadResources(ResourceGroupSource& resources);

    // 1 to 4 in build order.
    int32_t mNumber = -1;
    std::string mMusicFile;
    std::string mName;
    // Goal creatures collected over all stages of the running game.
    int32_t mCollectedGoals = 0;
    int32_t mTotalGoals = 0;
    std::vector<std::unique_ptr<Creature>> mCreatures;
    std::vector<FoodLink> mFoodLinks;
    // In play order.
    std::vector<Stage> mStages;
    // The play screen's pictures, set when the resource group loads, and the label.
    Zest::Image* mBackImage = nullptr;
    Zest::Image* mTopImage = nullptr;
    Zest::Image* mLabelImage = nullptr;
    // Build order from 0: the index of the habitat's award, mini-game and world-map point.
    int32_t mIndex = -1;
    std::string mResourceGroup = "undefined";
};
