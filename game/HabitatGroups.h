#pragma once
// The resource groups that hold a habitat's play-screen pictures, and the variables of the
// two pictures a habitat keeps.

#include <string>

namespace Zest {
class Image;
}

struct HabitatGroupIds {
    const char* mGroup;
    // Resource variables, filled when the group is extracted.
    Zest::Image* const* mBackImage;
    Zest::Image* const* mTopImage;
};

// The ids of a habitat resource group; null for a group that is not one of them.
const HabitatGroupIds* FindHabitatGroupIds(const std::string& group);
