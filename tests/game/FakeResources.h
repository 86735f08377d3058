#pragma once
// A resource source for game tests: every id of a loadable group is a picture whose file
// path is the id, so a test can tell which id a creature or a habitat took its picture
// from; extracting a group points its picture variables at such pictures, until the source
// goes. Groups can be made to fail and ids to be missing; a fatal report is counted instead
// of ending the test program.

#include "framework/graphics/Image.h"
#include "game/Res.h"
#include "game/ResourceGroupSource.h"

#include <map>
#include <set>
#include <string>
#include <vector>

namespace Tests {

class FakeResources : public ResourceGroupSource {
public:
    ~FakeResources() override
    {
        for (Zest::Image** const variable : mFilledVariables)
            *variable = nullptr;
    }

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

    bool ExtractGroup(const std::string& group) override
    {
        for (int32_t id = 0; id < RESOURCE_ID_COUNT; ++id) {
            const ResourceEntry& entry = gResourceTable[id];
            if (entry.mGroup != group || entry.mKind != ResourceKind::Image)
                continue;
            if (mMissingImages.count(entry.mId) != 0)
                return false;
            Zest::Image& image = mImages[entry.mId];
            image.mFilePath = entry.mId;
            auto* const variable = static_cast<Zest::Image**>(entry.mVariable);
            *variable = &image;
            mFilledVariables.push_back(variable);
        }
        return true;
    }

    void ReportFatalError() override { ++mFatalReports; }

    std::set<std::string> mFailingGroups;
    std::set<std::string> mMissingImages;
    std::vector<std::string> mLoadedGroups;
    std::vector<std::string> mDeletedGroups;
    std::vector<std::string> mRequestedImages;
    std::map<std::string, Zest::Image> mImages;
    std::vector<Zest::Image**> mFilledVariables;
    int mFatalReports = 0;
};

// The file path of a picture handed out by FakeResources, "-" for none.
inline std::string IdOf(const Zest::Image* const image)
{
    return image != nullptr ? image->mFilePath : "-";
}

} // namespace Tests
