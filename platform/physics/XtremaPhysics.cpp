#include "platform/physics/XtremaPhysics.h"

#include "platform/physics/Assert.h"
#include "platform/physics/World.h"

#include <cstdio>
#include <cstdlib>

namespace XtremaPHX2D {

XtremaPhysicsSDK* g_ptrSDK = nullptr;

XtremaPhysicsSDK::XtremaPhysicsSDK()
    : mConfigurator(std::make_unique<xConfigurator>()),
      mMaterials(std::make_unique<xMaterialDispatcher>()),
      mCategories(std::make_unique<xCategoryDispatcher>()),
      mWorld(std::make_unique<World>(*this))
{
}

XtremaPhysicsSDK::~XtremaPhysicsSDK() = default;

void XtremaPhysicsSDK::updateF(const float step)
{
    if (!(step > 0.0f) || mConfigurator->mPaused)
        return;
    mWorld->Step(step);
}

xEntity* XtremaPhysicsSDK::createEntity(xEntityDesc& desc)
{
    mWorld->AssertOutsideStep();
    xEntity* const entity = desc.newEntity();
    if (entity == nullptr)
        return nullptr;
    mWorld->mEntities.insert(entity);
    entity->buildPhysics(&desc);
    return entity;
}

void XtremaPhysicsSDK::destroyEntity(xEntity* const entity)
{
    if (entity == nullptr)
        return;
    if (mWorld->mEntities.count(entity) == 0) {
        std::fprintf(stderr, "Physics: an entity that is not in the world was not destroyed\n");
        return;
    }
    mWorld->DestroyEntity(entity);
}

xConfigurator& xConfigurator::Instance()
{
    XTR_ASSERT(g_ptrSDK != nullptr);
    return g_ptrSDK->configurator();
}

xMaterialDispatcher& xMaterialDispatcher::Instance()
{
    XTR_ASSERT(g_ptrSDK != nullptr);
    return g_ptrSDK->materials();
}

xCategoryDispatcher& xCategoryDispatcher::Instance()
{
    XTR_ASSERT(g_ptrSDK != nullptr);
    return g_ptrSDK->categories();
}

World& CurrentWorld()
{
    XTR_ASSERT(g_ptrSDK != nullptr);
    return g_ptrSDK->world();
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

void FailAssertion(const char* const condition, const char* const file, const int line)
{
    std::fprintf(stderr, "%s:%d: assumption failed: %s\n", file, line, condition);
    std::fflush(stderr);
    std::abort();
}

} // namespace XtremaPHX2D
