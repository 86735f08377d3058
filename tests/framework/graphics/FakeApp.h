#pragma once
// An application for drawing tests: it keeps the set of live images and reports a display
// of 32-bit (8-8-8) or 16-bit (5-6-5) layout.

#include "framework/graphics/AppInterface.h"
#include "framework/graphics/MemoryImage.h"
#include "framework/graphics/SharedImage.h"
#include "framework/resources/ImageLib.h"

#include <gtest/gtest.h>

#include <cctype>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace Tests {

class FakeApp : public Zest::AppInterface {
public:
    enum class Layout { Rgb888, Rgb565 };

    explicit FakeApp(const Layout layout = Layout::Rgb888)
    {
        if (layout == Layout::Rgb888)
            Describe(32, 0x00FF0000, 0x0000FF00, 0x000000FF, 8, 8, 8, 16, 8, 0);
        else
            Describe(16, 0xF800, 0x07E0, 0x001F, 5, 6, 5, 11, 5, 0);
    }

    void RegisterImage(Zest::MemoryImage* image) override { mImages.insert(image); }
    void UnregisterImage(Zest::MemoryImage* image) override
    {
        mImages.erase(image);
        Remove3DData(image);
    }
    void SetSharedImagesUnused() override { mSharedImagesUnused = true; }
    const uint8_t* GetSaturationTable() override { return Zest::DefaultSaturationTable(); }
    bool Is3DEnabled() override { return m3DEnabled; }
    const Zest::NativeDisplay* GetNativeDisplay() override { return &mDisplay; }
    void Remove3DData(Zest::MemoryImage* image) override { image->mTextureData = nullptr; }
    bool RecoverBits(Zest::MemoryImage* image) override { return false; }

    // Pictures load through the image readers; a name beginning with '!' is an empty image.
    Zest::SharedImageRef AcquireSharedImage(const std::string& file, const std::string& variant,
                                            bool* created) override
    {
        const auto key = std::make_pair(Upper(file), Upper(variant));
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

    Zest::MemoryImage* CopyImage(Zest::Image* image) override
    {
        auto* memory = dynamic_cast<Zest::MemoryImage*>(image);
        return memory != nullptr ? new Zest::MemoryImage(*memory) : nullptr;
    }

    void ShowErrorPopup(const std::string& text) override { mPopups.push_back(text); }

    ~FakeApp() override
    {
        for (auto& entry : mSharedImages)
            delete entry.second.mImage;
    }

    std::set<Zest::MemoryImage*> mImages;
    std::map<std::pair<std::string, std::string>, Zest::SharedImage> mSharedImages;
    std::vector<std::string> mPopups;
    bool mSharedImagesUnused = false;
    bool m3DEnabled = false;
    Zest::NativeDisplay mDisplay;

private:
    static std::string Upper(std::string text)
    {
        for (char& c : text)
            c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        return text;
    }

    void Describe(const int bits, const uint32_t red, const uint32_t green, const uint32_t blue, const int redBits,
                  const int greenBits, const int blueBits, const int redShift, const int greenShift,
                  const int blueShift)
    {
        mDisplay.mRGBBits = bits;
        mDisplay.mRedMask = red;
        mDisplay.mGreenMask = green;
        mDisplay.mBlueMask = blue;
        mDisplay.mRedBits = redBits;
        mDisplay.mGreenBits = greenBits;
        mDisplay.mBlueBits = blueBits;
        mDisplay.mRedShift = redShift;
        mDisplay.mGreenShift = greenShift;
        mDisplay.mBlueShift = blueShift;
    }
};

// Installs a fake application for one test.
class DrawingTest : public ::testing::Test {
protected:
    void SetUp() override { Zest::SetAppInterface(&mApp); }
    void TearDown() override { Zest::SetAppInterface(nullptr); }

    FakeApp mApp;
};

} // namespace Tests
