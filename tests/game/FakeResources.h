#pragma once
// A resource source for game tests: every id of a loadable group is a picture whose file
// path is the id, so a test can tell which id a creature or a habitat took its picture
// from. Groups can be made to fail and ids to be missing; a fatal report is counted
// instead of ending the test program.

#include "framework/graphics/Image.h"
#include "game/ResourceGroupSource.h"

#include <map>
#include <set>
#include <string>
#include <vector>

namespace Tests {

class FakeResources : public ResourceGroupSource {
public:
    bool LoadGroup(const std::string& group) override
    {
        mLoadedGroups.push_back(group);
        return mFailingGroups.count(group) == 0;
    }

    void DeleteGroup(const std::string& group) override { mDeletedGroups.push_back(group); }

    Zest::Image* GetImage(const std::string& id) override
    {
        mRequestedImages.push_back(id);
        if (mMissingImages.count(id) != 0)
            return nullptr;
        Zest::Image& image = mImages[id];
        image.mFilePath = id;
        return &image;
    }

    void ReportFatalError() override { ++mFatalReports; }

    std::set<std::string> mFailingGroups;
    std::set<std::string> mMissingImages;
    std::vector<std::string> mLoadedGroups;
    std::vector<std::string> mDeletedGroups;
    std::vector<std::string> mRequestedImages;
    std::map<std::string, Zest::Image> mImages;
    int mFatalReports = 0;
};

// The file path of a picture handed out by FakeResources, "-" for none.
inline std::string IdOf(const Zest::Image* const image)
{
    return image != nullptr ? image->mFilePath : "-";
}

} // namespace Tests
