#pragma once
// What the mini-game's entities (spiders, cannons, bears, kill zones) ask of the mini-game
// that made them. The mini-game screen implements it and sets itself as each entity's owner
// right after the world made the entity; an entity without an owner stays inert.

#include "platform/physics/XtremaMath.h"

#include <cstdint>

class xPhysicsPrimitiveEntity;
class xSharkEntity;

class MiniGameOwner {
public:
    virtual ~MiniGameOwner() = default;

    // A cannon made a new shot: the owner puts it into the widget tree and the session's
    // entity list.
    virtual void OnShotFired(xPhysicsPrimitiveEntity* shot) = 0;
    // A hit (a spider's thread cut, a fish eaten) at a point on the screen: 100 points.
    virtual void AddHitScore(const XtremaPHX2D::Vec2& point) = 0;
    virtual void CountFedBear() = 0;
    // A hanging spider reached the cannon: the game ends at once, as not completed.
    virtual void EndGame() = 0;
    virtual void ClearCompleted() = 0;
    // The game is in play (not in its intro, start panel, wave change or finish).
    virtual bool IsPlaying() const = 0;
    // The sliding cannon exists and has been switched on.
    virtual bool IsCannonActive() const = 0;
    // Queues the entity for removal after the current pass; called from inside the physics
    // step, so it must not destroy anything itself.
    virtual void QueueEntityRemoval(xSharkEntity* entity) = 0;
    virtual void PlaySoundEffect(int32_t soundId) = 0;
};
