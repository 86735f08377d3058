#pragma once
// The world's settings. The game writes them directly; every step reads them afresh.

#include "platform/physics/XtremaMath.h"

namespace XtremaPHX2D {

class xConfigurator {
public:
    // The configurator of the world in g_ptrSDK; there must be one.
    static xConfigurator& Instance();

    // What gravity adds to every body's velocity per update, in pixels per update. A shot
    // flies the parabola of this gravity exactly: nothing else slows a body in flight.
    Vec2 mGravity{0.0f, 0.0f};
    // A paused world ignores its steps.
    bool mPaused = false;
    // Warm starting: contacts begin each step with the last step's impulses.
    bool mFlagA = false;
    // Forces keep acting on later steps, until the body falls asleep; else a force acts
    // during one step.
    bool mFlagB = false;
    // Ask entities to show which bodies sleep; the library itself draws nothing.
    bool mShowSleeping = false;
    // Keep every body awake: no body falls asleep on its own.
    bool mFlagC = false;
    // A body whose speed stays below mParamA pixels per update and whose spin stays below
    // mParamB radians per update for half a second (50 updates) falls asleep: it stops
    // exactly until something wakes it.
    float mParamA = 0.01822f;
    float mParamB = 0.01822f;
    // Two shapes that meet slower than mParamC pixels per update do not bounce apart.
    float mParamC = 0.9986f;
};

} // namespace XtremaPHX2D
