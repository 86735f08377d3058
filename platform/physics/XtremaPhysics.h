#pragma once
// The 2D physics library the game calls: one world per process, created at start-up,
// stepped once per drawn frame and destroyed at exit, reached through g_ptrSDK.
//
// Units are the game's: pixels with y downwards, radians, and time in updates (a step of
// 1.0 is one 10 ms update).

#include <memory>

namespace XtremaPHX2D {

class XtremaPhysicsSDK {
public:
    // The engine's side of the world, for the library's own parts.
    struct World;

    XtremaPhysicsSDK();
    ~XtremaPhysicsSDK();
    XtremaPhysicsSDK(const XtremaPhysicsSDK&) = delete;
    XtremaPhysicsSDK& operator=(const XtremaPhysicsSDK&) = delete;

    // Advances the world by `step` updates. A step that is not above 0 leaves it as it is.
    void updateF(float step);

    World& world() { return *mWorld; }

private:
    std::unique_ptr<World> mWorld;
};

// The world, or null before xtrCreateXtremaSDK and after xtrDestroyXtremaSDK.
extern XtremaPhysicsSDK* g_ptrSDK;

// Creates the world and publishes it in g_ptrSDK; while one exists, returns that one.
XtremaPhysicsSDK* xtrCreateXtremaSDK();
// Destroys the world and clears g_ptrSDK; nothing happens without one.
void xtrDestroyXtremaSDK();

} // namespace XtremaPHX2D
