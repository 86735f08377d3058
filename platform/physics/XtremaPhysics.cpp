#include "platform/physics/XtremaPhysics.h"

#include "platform/physics/World.h"

namespace XtremaPHX2D {
namespace {

// Box2D's usual solver iterations; the game's bodies are few and slow.
constexpr int kVelocityIterations = 8;
constexpr int kPositionIterations = 3;

} // namespace

XtremaPhysicsSDK* g_ptrSDK = nullptr;

XtremaPhysicsSDK::XtremaPhysicsSDK() : mWorld(std::make_unique<World>())
{
    // Every contact is reported at most once per step, which continuous collision's extra
    // sub-steps would break.
    mWorld->mWorld.SetContinuousPhysics(false);
}

XtremaPhysicsSDK::~XtremaPhysicsSDK() = default;

void XtremaPhysicsSDK::updateF(const float step)
{
    if (!(step > 0.0f))
        return;
    mWorld->mWorld.Step(step * kSecondsPerUpdate, kVelocityIterations, kPositionIterations);
}

XtremaPhysicsSDK* xtrCreateXtremaSDK()
{
    if (g_ptrSDK == nullptr)
        g_ptrSDK = new XtremaPhysicsSDK();
    return g_ptrSDK;
}

void xtrDestroyXtremaSDK()
{
    delete g_ptrSDK;
    g_ptrSDK = nullptr;
}

} // namespace XtremaPHX2D
