#pragma once
// Collision categories and what happens when shapes of two categories meet.
//
// The value of a pair of categories:
//   1  no contact: the shapes pass through each other and nobody is told;
//   2  contact: the owners of both shapes get onCollision, each with its own shape first and
//      the normal pointing from its own shape to the other; if either returns false, the
//      shapes pass through each other for this step;
//   4  callbacks only: both owners are told as for 2, and the shapes always pass.
// A pair never registered takes 1 when either category was created with the value 1, and
// 2 otherwise. The library's own categories "default" and "solid_geometry" count as 2, and
// so does a category first named by setCollisionCategory.

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <utility>

namespace XtremaPHX2D {

enum ePairValue : int {
    PAIR_NO_CONTACT = 1,
    PAIR_CONTACT = 2,
    PAIR_CALLBACKS_ONLY = 4,
};

class xCollisionCategory {
public:
    xCollisionCategory(std::string name, ePairValue value) : mName(std::move(name)), mValue(value) {}

    const std::string& categoryID() const { return mName; }
    // The value of the category's unregistered pairs, as given at its creation.
    ePairValue value() const { return mValue; }

private:
    std::string mName;
    ePairValue mValue;
};

class xCategoryDispatcher {
public:
    xCategoryDispatcher();

    // The dispatcher of the world in g_ptrSDK; there must be one.
    static xCategoryDispatcher& Instance();

    // Registers a category; a name already known keeps its first value and is returned.
    // A value other than 1, 2 or 4 is refused with a message, and null is returned.
    xCollisionCategory* createCategory(const std::string& name, int value);
    // Sets the value of a pair, in either order; a later registration replaces an earlier
    // one. False, with a message, for an unknown category or a value other than 1, 2 or 4.
    bool registerCategoryPair(const std::string& first, const std::string& second, int value);
    // The category of that name, created with the value 2 when it is new.
    xCollisionCategory* obtainCategory(const std::string& name);
    xCollisionCategory* defaultCategory() const { return mDefault; }

    ePairValue pairValue(const xCollisionCategory& first, const xCollisionCategory& second) const;

private:
    std::map<std::string, std::unique_ptr<xCollisionCategory>> mCategories;
    std::map<std::pair<const xCollisionCategory*, const xCollisionCategory*>, ePairValue> mPairs;
    xCollisionCategory* mDefault = nullptr;
};

} // namespace XtremaPHX2D
