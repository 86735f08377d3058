#pragma once
// References to images: a SharedImageRef either shares one entry of the application's table
// of shared images (one image per file name and variant, counted) or holds a plain image of
// its own. Dropping the last reference to an entry does not free its image: it raises the
// application's shared-images-unused flag, and the application's sweep frees the entries
// left without references.

#include "framework/graphics/Image.h"
#include "framework/graphics/MemoryImage.h"

#include <atomic>
#include <cstdint>

namespace Zest {

// One entry of the application's table. The table owns it and its image; references only
// count it. Not copyable: references point at the entry, so it must stay where it is.
struct SharedImage {
    // The loaded display image (a display image is a MemoryImage); null until loaded.
    MemoryImage* mImage = nullptr;
    // The main thread and the loading thread both take and drop references.
    std::atomic<int32_t> mRefCount{0};
};

class SharedImageRef {
public:
    SharedImageRef() = default;
    // Shares the other's entry and borrows its plain image; the copy never owns that image.
    SharedImageRef(const SharedImageRef& other);
    ~SharedImageRef();

    // Shares the other's entry; the other's plain image is not taken over.
    SharedImageRef& operator=(const SharedImageRef& other);
    // Shares the entry; a null entry leaves the reference empty.
    SharedImageRef& operator=(SharedImage* entry);
    // Holds the image as the plain image, owned when mOwnsUnshared is set.
    SharedImageRef& operator=(Image* image);

    // Deletes the plain image when owned and drops the entry; mOwnsUnshared keeps its value.
    void Release();

    // The plain image when there is one, else the shared entry's image.
    Image* GetImage() const;
    operator Image*() const { return GetImage(); }
    // The shared entry's image, or null without an entry.
    MemoryImage* GetDDImage() const;

    SharedImage* mSharedImage = nullptr;
    Image* mUnsharedImage = nullptr;
    bool mOwnsUnshared = false;

private:
    void ReleaseShared();
};

} // namespace Zest
