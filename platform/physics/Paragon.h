#pragma once
// What bodies and shapes have in common: an owning entity, a placement in the world, and
// a life in two steps. A description makes the object; activate puts it into the world.
// Until then it only remembers its placement.

#include "platform/physics/XtremaMath.h"

namespace XtremaPHX2D {

class xEntity;

class xParagon {
public:
    virtual ~xParagon();
    xParagon(const xParagon&) = delete;
    xParagon& operator=(const xParagon&) = delete;

    void setOwner(xEntity* owner) { mOwner = owner; }
    xEntity* getOwner() const { return mOwner; }

    // Puts the object into the world, once; call it after setOwner.
    virtual void activate() = 0;
    bool isActivated() const { return mActivated; }

    virtual Vec3 absPlacement() const = 0;
    // Moves the object and wakes what it overlaps there; not allowed inside a step.
    virtual void setAbsPlacement(const Vec3& placement) = 0;

protected:
    xParagon();

    bool mActivated = false;

private:
    xEntity* mOwner = nullptr;
};

} // namespace XtremaPHX2D
