#pragma once
// What the drawing code and the widgets need of the application: the set of live images and
// the shared-image flag (kept under the display lock), the saturation table of additive
// drawing, the 3D switch, the display's pixel layout, the 3D renderer's textures of an
// image, shared pictures, error popups and the mouse cursor. The application object
// implements it; tests install a fake.

#include "framework/app/common/Ratio.h"
#include "framework/graphics/NativeDisplay.h"

#include <cstdint>
#include <string>

namespace Zest {

class Image;
class MemoryImage;
class SharedImageRef;

// The mouse cursors the widgets ask for.
enum CursorKind {
    CURSOR_POINTER = 0,
    CURSOR_HAND = 1,
    // The open grabbing hand, over what can be dragged.
    CURSOR_DRAG = 2,
    // The text insertion bar, over an edit field.
    CURSOR_TEXT = 3,
};

// What the display reads of the application when it sets itself up.
struct DisplaySettings {
    // The draw buffer's size and the full-screen mode's bits per pixel.
    int32_t mWidth = 800;
    int32_t mHeight = 600;
    int32_t mColorDepth = 32;
    // Choose 3D from the capability test.
    bool mAutoEnable3D = false;
    // 3D was chosen (the stored setting).
    bool mTest3D = false;
    // Video memory in megabytes that 3D needs and that it is recommended with.
    int32_t mMinVidMemory3D = 6;
    int32_t mRecVidMemory3D = 14;
    // Only written to the display's log.
    Ratio mHackAspect{4, 3};
    // Full screen presents by page flipping (refused on tablets).
    bool mAllowPageFlipping = true;
};

class AppInterface {
public:
    virtual ~AppInterface() = default;

    virtual void RegisterImage(MemoryImage* image) = 0;
    // Also drops the image's texture data.
    virtual void UnregisterImage(MemoryImage* image) = 0;
    // A shared image lost its last reference; the next sweep frees unused ones.
    virtual void SetSharedImagesUnused() = 0;

    // 512 entries: entry i is min(i, 255), for adding two 8-bit channels.
    virtual const uint8_t* GetSaturationTable() = 0;
    virtual bool Is3DEnabled() = 0;
    // Null before the display exists.
    virtual const NativeDisplay* GetNativeDisplay() = 0;

    // Drops the image's textures in the 3D renderer (clears its texture data).
    virtual void Remove3DData(MemoryImage* image) = 0;
    // Copies the picture back from the image's textures into its pixels; false when the
    // textures do not hold a current picture.
    virtual bool RecoverBits(MemoryImage* image) = 0;

    // A reference to the image shared under (file, variant), letter case ignored; a new
    // entry is loaded from the file (or made empty for a name beginning with '!', for the
    // caller to draw) and reported through `created`.
    virtual SharedImageRef AcquireSharedImage(const std::string& file, const std::string& variant,
                                              bool* created) = 0;
    // A new image holding a copy of the whole picture; the caller owns it.
    virtual MemoryImage* CopyImage(Image* image) = 0;
    // Shows an error the user must see; it does not end the program.
    virtual void ShowErrorPopup(const std::string& text) = 0;
    // Shows the cursor of that kind (CursorKind) from now on.
    virtual void SetCursor(int kind) = 0;

    virtual const DisplaySettings& GetDisplaySettings() = 0;
    // A message box or other popup is up; full screen then presents without flipping.
    virtual bool IsPopupShowing() = 0;
    // The monitor's refresh rate could not be read or lay outside 60..100 Hz, so frame
    // timing must not follow it.
    virtual void SetVSyncTimingBroken() = 0;
    // The 3D capability test ran now (its results were not stored from an earlier run).
    virtual void On3DTestFinished() = 0;
};

// The process's application, or null while there is none (images then register nowhere).
AppInterface* GetAppInterface();
void SetAppInterface(AppInterface* app);

// The 512-entry saturation table, for code that draws without an application.
const uint8_t* DefaultSaturationTable();

} // namespace Zest
