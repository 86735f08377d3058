#pragma once
// What a stage event's carrier asks of the game session that sent it: where its target tile
// is, whether that tile is still free, dropping the lock on it, and the end of the delivery.
// The carrier only holds the tile; the session, which owns the board, answers for it.

#include "platform/physics/XtremaMath.h"

class BoardTile;
class FeatureCarrier;

namespace Zest {
class Image;
} // namespace Zest

class FeatureCarrierOwner {
public:
    virtual ~FeatureCarrierOwner() = default;

    virtual XtremaPHX2D::Vec2 GetTileCenter(const BoardTile* tile) const = 0;
    // The tile carries a lock of some kind (web, bananas, cage...).
    virtual bool IsTileLocked(const BoardTile* tile) const = 0;
    virtual void DropLockOn(BoardTile* tile, Zest::Image* lockImage) = 0;
    // The carrier's work is done: the session leaves the event state and queues the carrier
    // for removal; the carrier must not destroy itself.
    virtual void OnCarrierDone(FeatureCarrier* carrier) = 0;
};
