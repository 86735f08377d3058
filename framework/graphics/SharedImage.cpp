#include "framework/graphics/SharedImage.h"

#include "framework/graphics/AppInterface.h"

namespace Zest {

SharedImageRef::SharedImageRef(const SharedImageRef& other)
    : mSharedImage(other.mSharedImage), mUnsharedImage(other.mUnsharedImage)
{
    if (mSharedImage != nullptr)
        mSharedImage->mRefCount.fetch_add(1);
}

SharedImageRef::~SharedImageRef()
{
    Release();
}

SharedImageRef& SharedImageRef::operator=(const SharedImageRef& other)
{
    // Self-assignment keeps everything, the plain image included.
    if (this != &other)
        *this = other.mSharedImage;
    return *this;
}

SharedImageRef& SharedImageRef::operator=(SharedImage* const entry)
{
    // When the entry is the one already shared, counting it before dropping the old reference
    // keeps its count from passing through zero, which would report an entry in use as unused.
    if (entry != nullptr)
        entry->mRefCount.fetch_add(1);
    Release();
    mSharedImage = entry;
    return *this;
}

SharedImageRef& SharedImageRef::operator=(Image* const image)
{
    // Assigning the plain image already held must not delete it.
    if (image == mUnsharedImage) {
        ReleaseShared();
        return *this;
    }
    Release();
    mUnsharedImage = image;
    return *this;
}

void SharedImageRef::Release()
{
    if (mOwnsUnshared)
        delete mUnsharedImage;
    mUnsharedImage = nullptr;
    ReleaseShared();
}

Image* SharedImageRef::GetImage() const
{
    return mUnsharedImage != nullptr ? mUnsharedImage : GetDDImage();
}

MemoryImage* SharedImageRef::GetDDImage() const
{
    return mSharedImage != nullptr ? mSharedImage->mImage : nullptr;
}

void SharedImageRef::ReleaseShared()
{
    if (mSharedImage == nullptr)
        return;
    // fetch_sub yields the count before the drop, so of threads dropping references at once
    // exactly one sees it reach zero and reports it. Without an application there is no
    // table to sweep and nothing to report to.
    if (mSharedImage->mRefCount.fetch_sub(1) == 1) {
        if (AppInterface* const app = GetAppInterface(); app != nullptr)
            app->SetSharedImagesUnused();
    }
    mSharedImage = nullptr;
}

} // namespace Zest
