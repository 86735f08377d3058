#pragma once
// What the resource manager needs of the application beyond AppInterface, which already
// gives it the shared pictures (AcquireSharedImage), the 3D switch and what image fonts
// are made with: taking back a shared picture it made but could not finish, pictures read
// from a file for fonts, and the sound manager. The application object implements it.

#include "framework/graphics/AppInterface.h"

#include <string>

namespace Zest {

class DDImage;
class SharedImageRef;
class SoundManager;

class ResourceManagerHost : public AppInterface {
public:
    // Drops the reference and, unless another reference took the entry meanwhile, removes
    // the entry and its picture from the shared-image table at once instead of at the next
    // sweep, so that the next use of the same file makes the picture anew.
    virtual void DiscardSharedImage(SharedImageRef& reference) = 0;
    // A new display image of the picture file, owned by the caller; null when the file
    // cannot be read or there is no display yet.
    virtual DDImage* LoadImageFile(const std::string& path, bool commitBits) = 0;
    // Null before start-up has made it.
    virtual SoundManager* GetSoundManager() = 0;
};

} // namespace Zest
