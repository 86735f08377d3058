#include "game/AppResourceSource.h"

#include "framework/app/ZestAppBase.h"
#include "framework/resources/manager/ResourceManager.h"
#include "game/Res.h"

bool AppResourceSource::LoadGroup(const std::string& group)
{
    return mApp.mResourceManager->LoadResources(group);
}

void AppResourceSource::DeleteGroup(const std::string& group)
{
    mApp.mResourceManager->DeleteResources(group);
}

Zest::Image* AppResourceSource::GetImage(const std::string& id)
{
    // The manager keeps the picture alive until its group is released; the temporary
    // reference only counts it up and down again.
    try {
        return mApp.mResourceManager->GetImageOrThrow(id);
    } catch (const Zest::ResourceManagerException&) {
        return nullptr;
    }
}

bool AppResourceSource::ExtractGroup(const std::string& group)
{
    return ExtractGroupResources(*mApp.mResourceManager, group);
}

void AppResourceSource::ReportFatalError()
{
    mApp.mLoadingFailed = true;
    mApp.ReportResourceError(true);
}
