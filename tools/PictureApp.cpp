#include "tools/PictureApp.h"

#include "framework/app/common/StringHelpers.h"
#include "framework/graphics/MemoryImage.h"
#include "framework/resources/ImageLib.h"

#include <cstdio>
#include <memory>

namespace Tools {

namespace {

void Describe(Zest::NativeDisplay& display, const int bits, const uint32_t red, const uint32_t green,
              const uint32_t blue, const int redBits, const int greenBits, const int blueBits, const int redShift,
              const int greenShift, const int blueShift)
{
    display.mRGBBits = bits;
    display.mRedMask = red;
    display.mGreenMask = green;
    display.mBlueMask = blue;
    display.mRedBits = redBits;
    display.mGreenBits = greenBits;
    display.mBlueBits = blueBits;
    display.mRedShift = redShift;
    display.mGreenShift = greenShift;
    display.mBlueShift = blueShift;
}

} // namespace

PictureApp::PictureApp(const Layout layout)
{
    if (layout == Layout::Rgb888)
        Describe(mDisplay, 32, 0x00FF0000, 0x0000FF00, 0x000000FF, 8, 8, 8, 16, 8, 0);
    else
        Describe(mDisplay, 16, 0xF800, 0x07E0, 0x001F, 5, 6, 5, 11, 5, 0);
}

PictureApp::~PictureApp()
{
    for (auto& entry : mSharedImages)
        delete entry.second.mImage;
}

void PictureApp::RegisterImage(Zest::MemoryImage* image) { mImages.insert(image); }

void PictureApp::UnregisterImage(Zest::MemoryImage* image)
{
    mImages.erase(image);
    Remove3DData(image);
}

void PictureApp::SetSharedImagesUnused() { mSharedImagesUnused = true; }

const uint8_t* PictureApp::GetSaturationTable() { return Zest::DefaultSaturationTable(); }

bool PictureApp::Is3DEnabled() { return m3DEnabled; }

const Zest::NativeDisplay* PictureApp::GetNativeDisplay() { return &mDisplay; }

void PictureApp::Remove3DData(Zest::MemoryImage* image) { image->mTextureData = nullptr; }

bool PictureApp::RecoverBits(Zest::MemoryImage*) { return false; }

Zest::SharedImageRef PictureApp::AcquireSharedImage(const std::string& file, const std::string& variant,
                                                    bool* created)
{
    const auto key = std::make_pair(Zest::StringToUpper(file), Zest::StringToUpper(variant));
    const bool isNew = mSharedImages.find(key) == mSharedImages.end();
    Zest::SharedImage& entry = mSharedImages[key];
    if (isNew) {
        auto* image = new Zest::MemoryImage(this);
        if (file.empty() || file[0] != '!') {
            const std::unique_ptr<ImageLib::Image> picture(ImageLib::GetImage(file, true));
            if (picture == nullptr) {
                delete image;
                image = nullptr;
            } else {
                image->SetBits(picture->mBits, picture->mWidth, picture->mHeight, true);
            }
        }
        entry.mImage = image;
    }
    if (created != nullptr)
        *created = isNew;
    Zest::SharedImageRef reference;
    reference = &entry;
    return reference;
}

Zest::MemoryImage* PictureApp::CopyImage(Zest::Image* image)
{
    auto* memory = dynamic_cast<Zest::MemoryImage*>(image);
    return memory != nullptr ? new Zest::MemoryImage(*memory) : nullptr;
}

void PictureApp::SetCursor(const int kind) { mCursorKind = kind; }

const Zest::DisplaySettings& PictureApp::GetDisplaySettings() { return mDisplaySettings; }

bool PictureApp::IsPopupShowing() { return mPopupShowing; }

void PictureApp::SetVSyncTimingBroken() { mVSyncTimingBroken = true; }

void PictureApp::On3DTestFinished() { ++m3DTestFinishedCount; }

void PictureApp::ShowErrorPopup(const std::string& text) { std::fprintf(stderr, "%s\n", text.c_str()); }

bool WritePNG(Zest::MemoryImage& image, const std::string& path)
{
    ImageLib::Image picture;
    picture.mWidth = image.mWidth;
    picture.mHeight = image.mHeight;
    picture.mBits = image.GetBits();
    const bool written = ImageLib::WritePNGImage(path, &picture);
    // The pixels stay the image's.
    picture.mBits = nullptr;
    return written;
}

} // namespace Tools
