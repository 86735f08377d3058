// Loading the manifest's records group by group, unloading them, and handing the loaded
// objects out by id.

#include "framework/resources/manager/ResourceManager.h"

#include "framework/app/common/Assert.h"
#include "framework/app/common/FileHelpers.h"
#include "framework/app/common/StringHelpers.h"
#include "framework/directx/DDImage.h"
#include "framework/graphics/ImageFont.h"
#include "framework/graphics/FontData.h"
#include "framework/graphics/SysFont.h"
#include "framework/resources/ImageLib.h"
#include "framework/resources/manager/ResourceManagerHost.h"
#include "framework/sound/SoundManager.h"

#include <algorithm>

namespace Zest {

namespace {

constexpr char kRefFontPrefix[] = "!ref:";
constexpr size_t kRefFontPrefixLength = sizeof(kRefFontPrefix) - 1;
// The longest tag text of a font that is split into tags; the rest is ignored.
constexpr size_t kMaxTagTextLength = 1023;
constexpr uint32_t kDefaultAlphaComposeColor = 0xFFFFFF;

// Texture hints for the 3D renderer, kept in the image's mTextureFlags.
constexpr int32_t kTextureFewPieces = 1;
constexpr int32_t kTexture4444 = 4;
constexpr int32_t kTexture8888 = 8;

bool IsLoaded(const ResourceManager::BaseRes& record)
{
    switch (record.mType) {
    case ResourceManager::RES_IMAGE:
        return static_cast<const ResourceManager::ImageRes&>(record).mImage.GetImage() != nullptr;
    case ResourceManager::RES_SOUND:
        return static_cast<const ResourceManager::SoundRes&>(record).mSoundId != -1;
    case ResourceManager::RES_FONT:
        return static_cast<const ResourceManager::FontRes&>(record).mFont != nullptr;
    default:
        return false;
    }
}

// The loaded record of that id in the map of that kind's records, or null.
const ResourceManager::BaseRes* FindLoaded(const ResourceManager::ResMap& map, const int32_t kind, const std::string& id)
{
    const auto found = map.find(id);
    if (found == map.end())
        return nullptr;
    ZEST_ASSERT(found->second->mType == kind);
    return IsLoaded(*found->second) ? found->second.get() : nullptr;
}

int CountRecords(const ResourceManager::ResMap& map, const std::string& group)
{
    if (group.empty())
        return static_cast<int>(map.size());
    return static_cast<int>(std::count_if(map.begin(), map.end(), [&](const auto& entry) {
        return entry.second->mResGroup == group && !entry.second->mFromProgram;
    }));
}

// The words of a tag text: runs of ", \r\n\t" separate them.
std::vector<std::string> SplitTags(const std::string& text)
{
    static const char kSeparators[] = ", \r\n\t";
    std::vector<std::string> words;
    size_t start = text.find_first_not_of(kSeparators);
    while (start != std::string::npos) {
        const size_t end = text.find_first_of(kSeparators, start);
        words.push_back(text.substr(start, end == std::string::npos ? std::string::npos : end - start));
        start = end == std::string::npos ? end : text.find_first_not_of(kSeparators, end);
    }
    return words;
}

} // namespace

void ResourceManager::ImageRes::DeleteResource() { mImage.Release(); }

void ResourceManager::SoundRes::DeleteResource()
{
    // Loading sets the id and its sound manager together.
    if (mSoundManager != nullptr)
        mSoundManager->ReleaseSound(mSoundId);
    mSoundId = -1;
    mSoundManager = nullptr;
}

void ResourceManager::FontRes::DeleteResource()
{
    // The font may draw from the picture, so the font goes first.
    delete mFont;
    mFont = nullptr;
    delete mImage;
    mImage = nullptr;
}

ResourceManager::ResourceManager(ResourceManagerHost* const app) : mApplication(app) {}

ResourceManager::~ResourceManager()
{
    for (ResMap* const map : {&mImages, &mSounds, &mFonts}) {
        for (auto& [id, record] : *map)
            record->DeleteResource();
    }
}

void ResourceManager::StartLoadResources(const std::string& group)
{
    mErrorText.clear();
    mFailed = false;
    mCurrentGroup = group;
    mLoadGroupList = &mGroups[group];
    mLoadCursor = mLoadGroupList->begin();
}

bool ResourceManager::LoadNextResource()
{
    if (mFailed || mLoadGroupList == nullptr)
        return false;
    while (mLoadCursor != mLoadGroupList->end()) {
        BaseRes* const record = *mLoadCursor++;
        if (record->mFromProgram || IsLoaded(*record))
            continue;
        switch (record->mType) {
        case RES_IMAGE:
            return DoLoadImage(static_cast<ImageRes*>(record));
        case RES_SOUND:
            return DoLoadSound(static_cast<SoundRes*>(record));
        case RES_FONT:
            return DoLoadFont(static_cast<FontRes*>(record));
        default:
            break;
        }
    }
    return false;
}

bool ResourceManager::LoadResources(const std::string& group)
{
    mErrorText.clear();
    mFailed = false;
    StartLoadResources(group);
    while (LoadNextResource()) {
    }
    if (mFailed)
        return false;
    mLoadedGroupSet.insert(group);
    return true;
}

void ResourceManager::DeleteMap(ResMap& map, const std::string& group)
{
    for (auto& [id, record] : map) {
        if (group.empty() || record->mResGroup == group)
            record->DeleteResource();
    }
}

void ResourceManager::DeleteResources(const std::string& group)
{
    DeleteMap(mImages, group);
    DeleteMap(mSounds, group);
    DeleteMap(mFonts, group);
    mLoadedGroupSet.erase(group);
}

bool ResourceManager::DoLoadImage(ImageRes* const record)
{
    bool created = false;
    SharedImageRef reference;
    if (mApplication != nullptr) {
        ImageLib::gAlphaComposeColor = record->mAlphaColor;
        reference = mApplication->AcquireSharedImage(record->mPath, record->mVariant, &created);
        ImageLib::gAlphaComposeColor = kDefaultAlphaComposeColor;
    }
    MemoryImage* const image = reference.GetDDImage();
    if (image == nullptr)
        return Fail(FormatString("Failed to load image: %s", record->mPath.c_str()));

    // Only the load that made the picture merges alpha into it; later users share the result.
    if (created && ((!record->mAlphaImage.empty() && !LoadAlphaImage(image, record)) ||
                    (!record->mAlphaGridImage.empty() && !LoadAlphaGridImage(image, record)))) {
        mApplication->DiscardSharedImage(reference);
        return false;
    }

    image->CommitBits();
    record->mImage = reference;
    image->mPurgeBits = record->mDropBits;

    auto* const displayImage = dynamic_cast<DDImage*>(image);
    if (record->mWantSurface) {
        image->CommitBits();
        // A display surface cannot hold partial alpha.
        if (!image->mHasAlpha) {
            if (displayImage != nullptr)
                displayImage->mWantDDSurface = true;
            image->mPurgeBits = true;
        }
    }

    if (record->mPalettize) {
        // A picture already in a surface is palettised once it is read back.
        if (displayImage == nullptr || displayImage->mSurface == nullptr)
            image->Palletize();
        else
            image->mWantPalletize = true;
    }

    if (record->mUse4444)
        image->mTextureFlags |= kTexture4444;
    if (record->mUse8888)
        image->mTextureFlags |= kTexture8888;
    if (record->mFewPieces)
        image->mTextureFlags |= kTextureFewPieces;

    if (record->mAnimInfo.mAnimType != AnimInfo::ANIM_NONE)
        image->mAnimInfo = std::make_unique<AnimInfo>(record->mAnimInfo);
    image->mNumRows = record->mRows;
    image->mNumCols = record->mCols;

    if (image->mPurgeBits)
        image->PurgeBits();

    ResourceLoadedHook(record);
    return true;
}

bool ResourceManager::LoadAlphaImage(MemoryImage* const image, const ImageRes* const record)
{
    const std::unique_ptr<ImageLib::Image> alpha(ImageLib::GetImage(record->mAlphaImage, true));
    if (alpha == nullptr)
        return Fail(FormatString("Failed to load image: %s", record->mAlphaImage.c_str()));
    uint32_t* const bits = image->GetBits();
    if (bits == nullptr || alpha->mWidth != image->mWidth || alpha->mHeight != image->mHeight) {
        return Fail(FormatString("AlphaImage size mismatch between %s and %s", record->mPath.c_str(),
                                 record->mAlphaImage.c_str()));
    }
    const size_t count = static_cast<size_t>(image->mWidth) * static_cast<size_t>(image->mHeight);
    for (size_t i = 0; i < count; ++i)
        bits[i] = (bits[i] & 0x00FFFFFF) | (alpha->mBits[i] << 24);
    image->BitsChanged();
    return true;
}

bool ResourceManager::LoadAlphaGridImage(MemoryImage* const image, const ImageRes* const record)
{
    const std::unique_ptr<ImageLib::Image> grid(ImageLib::GetImage(record->mAlphaGridImage, true));
    if (grid == nullptr)
        return Fail(FormatString("Failed to load image: %s", record->mAlphaGridImage.c_str()));
    // The parse keeps the counts at 1 or more; a record made in code is held to that too.
    const int32_t rows = std::max(record->mRows, 1);
    const int32_t cols = std::max(record->mCols, 1);
    const int32_t celWidth = image->mWidth / cols;
    const int32_t celHeight = image->mHeight / rows;
    uint32_t* const bits = image->GetBits();
    if (bits == nullptr || grid->mWidth != celWidth || grid->mHeight != celHeight) {
        return Fail(FormatString("GridAlphaImage size mismatch between %s and %s", record->mPath.c_str(),
                                 record->mAlphaGridImage.c_str()));
    }
    for (int32_t row = 0; row < rows; ++row) {
        for (int32_t col = 0; col < cols; ++col) {
            for (int32_t y = 0; y < celHeight; ++y) {
                uint32_t* const line = bits + static_cast<size_t>(row * celHeight + y) * image->mWidth +
                                       static_cast<size_t>(col) * celWidth;
                const uint32_t* const alphaLine = grid->mBits + static_cast<size_t>(y) * celWidth;
                for (int32_t x = 0; x < celWidth; ++x)
                    line[x] = (line[x] & 0x00FFFFFF) | (alphaLine[x] << 24);
            }
        }
    }
    image->BitsChanged();
    return true;
}

bool ResourceManager::DoLoadSound(SoundRes* const record)
{
    SoundManager* const sounds = mApplication != nullptr ? mApplication->GetSoundManager() : nullptr;
    // Without a host, or before start-up has made the sound manager, no sound can be
    // played; such a sound must not fail its group: the record stays unloaded (mSoundId -1,
    // which GetSoundIdOrThrow refuses) and loading goes on.
    if (sounds == nullptr)
        return true;
    const int id = sounds->GetFreeSoundId();
    if (id < 0)
        return Fail("Out of free sound ids");
    if (!sounds->LoadSound(id, record->mPath))
        return Fail(FormatString("Failed to load sound: %s", record->mPath.c_str()));
    if (record->mVolume >= 0.0)
        sounds->SetBaseVolume(id, record->mVolume);
    if (record->mPanning != 0)
        sounds->SetBasePan(id, record->mPanning);
    record->mSoundId = id;
    record->mSoundManager = sounds;
    ResourceLoadedHook(record);
    return true;
}

bool ResourceManager::DoLoadFont(FontRes* const record)
{
    std::unique_ptr<Font> font;
    std::unique_ptr<Image> picture;
    if (record->mIsSysFont) {
        // Older systems draw bold faces badly, so there the font thickens them itself.
        const bool simulateBold = IsWin9x() && record->mBold;
        auto sysFont = std::make_unique<SysFont>(record->mPath, record->mPointSize, record->mBold && !simulateBold,
                                                 record->mItalic, record->mUnderline);
        sysFont->mSimulateBold = simulateBold;
        sysFont->mDrawShadow = record->mShadow;
        font = std::move(sysFont);
    } else if (record->mImagePath.empty()) {
        if (record->mPath.compare(0, kRefFontPrefixLength, kRefFontPrefix) == 0) {
            const std::string id = record->mPath.substr(kRefFontPrefixLength);
            const Font* const referenced = FindLoadedFont(id);
            if (referenced == nullptr)
                return Fail("Ref font not found: " + id);
            font.reset(referenced->Duplicate());
        } else {
            font = std::make_unique<ImageFont>(mApplication, record->mPath);
        }
    } else {
        picture.reset(mApplication != nullptr ? mApplication->LoadImageFile(record->mImagePath, true) : nullptr);
        if (picture == nullptr)
            return Fail(FormatString("Failed to load image: %s", record->mImagePath.c_str()));
        font = std::make_unique<ImageFont>(picture.get(), record->mPath);
    }

    if (auto* const imageFont = dynamic_cast<ImageFont*>(font.get())) {
        // A font that failed keeps nothing, its picture included, so a later load starts clean.
        if (!imageFont->mFontData->mInitialized)
            return Fail(FormatString("Failed to load font: %s", record->mPath.c_str()));
        if (!record->mTags.empty()) {
            for (const std::string& tag : SplitTags(record->mTags.substr(0, kMaxTagTextLength)))
                imageFont->AddTag(tag);
            imageFont->Prepare();
        }
    }

    record->mImage = picture.release();
    record->mFont = font.release();
    ResourceLoadedHook(record);
    return true;
}

SharedImageRef ResourceManager::GetImageOrThrow(const std::string& id)
{
    if (const BaseRes* const record = FindLoaded(mImages, RES_IMAGE, id))
        return static_cast<const ImageRes*>(record)->mImage;
    Fail(FormatString("Image resource not found: %s", id.c_str()));
    throw ResourceManagerException(GetErrorText());
}

int ResourceManager::GetSoundIdOrThrow(const std::string& id)
{
    if (const BaseRes* const record = FindLoaded(mSounds, RES_SOUND, id))
        return static_cast<const SoundRes*>(record)->mSoundId;
    Fail(FormatString("Sound resource not found: %s", id.c_str()));
    throw ResourceManagerException(GetErrorText());
}

Font* ResourceManager::GetFontOrThrow(const std::string& id)
{
    if (const BaseRes* const record = FindLoaded(mFonts, RES_FONT, id))
        return static_cast<const FontRes*>(record)->mFont;
    Fail(FormatString("Font resource not found: %s", id.c_str()));
    throw ResourceManagerException(GetErrorText());
}

int ResourceManager::GetNumImages(const std::string& group) const { return CountRecords(mImages, group); }

int ResourceManager::GetNumSounds(const std::string& group) const { return CountRecords(mSounds, group); }

int ResourceManager::GetNumFonts(const std::string& group) const { return CountRecords(mFonts, group); }

int ResourceManager::GetNumResources(const std::string& group) const
{
    return GetNumImages(group) + GetNumSounds(group) + GetNumFonts(group);
}

Font* ResourceManager::FindLoadedFont(const std::string& id) const
{
    const BaseRes* const record = FindLoaded(mFonts, RES_FONT, id);
    return record == nullptr ? nullptr : static_cast<const FontRes*>(record)->mFont;
}

} // namespace Zest
