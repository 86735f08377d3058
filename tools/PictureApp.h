#pragma once
// An application for the project's tools, benchmarks and tests, which draw without a
// window: it keeps the set of live images, reports a 32-bit (8-8-8) or 16-bit (5-6-5)
// display and loads shared pictures through the image readers. Error popups go to stderr
// unless a subclass records them; the cursor is only remembered.

#include "framework/graphics/AppInterface.h"
#include "framework/graphics/SharedImage.h"

#include <map>
#include <set>
#include <string>
#include <utility>

namespace Zest {
class MemoryImage;
}

namespace Tools {

// Writes the image's pixels as a PNG file; false when the file cannot be written.
bool WritePNG(Zest::MemoryImage& image, const std::string& path);

class PictureApp : public Zest::AppInterface {
public:
    enum class Layout { Rgb888, Rgb565 };

    explicit PictureApp(Layout layout = Layout::Rgb888);
    ~PictureApp() override;
    PictureApp(const PictureApp&) = delete;
    PictureApp& operator=(const PictureApp&) = delete;

    void RegisterImage(Zest::MemoryImage* image) override;
    void UnregisterImage(Zest::MemoryImage* image) override;
    void SetSharedImagesUnused() override;
    const uint8_t* GetSaturationTable() override;
    bool Is3DEnabled() override;
    const Zest::NativeDisplay* GetNativeDisplay() override;
    void Remove3DData(Zest::MemoryImage* image) override;
    bool RecoverBits(Zest::MemoryImage* image) override;
    // A name beginning with '!' is an empty image; a picture that does not load gives an
    // entry without image.
    Zest::SharedImageRef AcquireSharedImage(const std::string& file, const std::string& variant,
                                            bool* created) override;
    Zest::MemoryImage* CopyImage(Zest::Image* image) override;
    void ShowErrorPopup(const std::string& text) override;
    void SetCursor(int kind) override;
    const Zest::DisplaySettings& GetDisplaySettings() override;
    bool IsPopupShowing() override;
    void SetVSyncTimingBroken() override;
    void On3DTestFinished() override;

    std::set<Zest::MemoryImage*> mImages;
    // Keyed by upper-case (file, variant).
    std::map<std::pair<std::string, std::string>, Zest::SharedImage> mSharedImages;
    bool mSharedImagesUnused = false;
    bool m3DEnabled = false;
    // The kind of the last SetCursor.
    int mCursorKind = 0;
    Zest::DisplaySettings mDisplaySettings;
    bool mPopupShowing = false;
    bool mVSyncTimingBroken = false;
    int m3DTestFinishedCount = 0;
    Zest::NativeDisplay mDisplay;
};

} // namespace Tools
