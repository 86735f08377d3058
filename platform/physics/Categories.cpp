#include "platform/physics/Categories.h"

#include <cstdio>

namespace XtremaPHX2D {
namespace {

bool IsPairValue(const int value)
{
    return value == PAIR_NO_CONTACT || value == PAIR_CONTACT || value == PAIR_CALLBACKS_ONLY;
}

std::pair<const xCollisionCategory*, const xCollisionCategory*> PairKey(const xCollisionCategory* a,
                                                                         const xCollisionCategory* b)
{
    return a->categoryID() < b->categoryID() ? std::make_pair(a, b) : std::make_pair(b, a);
}

} // namespace

xCategoryDispatcher::xCategoryDispatcher()
{
    mDefault = createCategory("default", PAIR_CONTACT);
    createCategory("solid_geometry", PAIR_CONTACT);
}

xCollisionCategory* xCategoryDispatcher::createCategory(const std::string& name, const int value)
{
    if (!IsPairValue(value)) {
        std::fprintf(stderr, "Physics: category \"%s\" not made: %d is not 1, 2 or 4\n", name.c_str(), value);
        return nullptr;
    }
    std::unique_ptr<xCollisionCategory>& slot = mCategories[name];
    if (slot == nullptr)
        slot = std::make_unique<xCollisionCategory>(name, static_cast<ePairValue>(value));
    return slot.get();
}

bool xCategoryDispatcher::registerCategoryPair(const std::string& first, const std::string& second, const int value)
{
    const auto a = mCategories.find(first);
    const auto b = mCategories.find(second);
    if (a == mCategories.end() || b == mCategories.end() || !IsPairValue(value)) {
        std::fprintf(stderr, "Physics: pair \"%s\" and \"%s\" not registered: unknown category or %d not 1, 2 or 4\n",
                     first.c_str(), second.c_str(), value);
        return false;
    }
    mPairs[PairKey(a->second.get(), b->second.get())] = static_cast<ePairValue>(value);
    return true;
}

xCollisionCategory* xCategoryDispatcher::obtainCategory(const std::string& name)
{
    const auto found = mCategories.find(name);
    if (found != mCategories.end())
        return found->second.get();
    return createCategory(name, PAIR_CONTACT);
}

ePairValue xCategoryDispatcher::pairValue(const xCollisionCategory& first, const xCollisionCategory& second) const
{
    const auto found = mPairs.find(PairKey(&first, &second));
    if (found != mPairs.end())
        return found->second;
    return first.value() == PAIR_NO_CONTACT || second.value() == PAIR_NO_CONTACT ? PAIR_NO_CONTACT : PAIR_CONTACT;
}

} // namespace XtremaPHX2D
