#pragma once
// The resource groups that hold a habitat's play-screen pictures, and the ids in each.

#include <string>

struct HabitatGroupIds {
    const char* mGroup;
    const char* mBackImage;
    const char* mTopImage;
    const char* mMiniGameImage;
};

// The ids of a habitat resource group; null for a group that is not one of them.
const HabitatGroupIds* FindHabitatGroupIds(const std::string& group);
