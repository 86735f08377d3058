// Reading the resource manifest into records. The parse stops at the first error; the
// records made until then stay in the maps and groups.

#include "framework/resources/manager/ResourceManager.h"

#include "framework/app/common/PathHelpers.h"
#include "framework/app/common/StringHelpers.h"
#include "framework/resources/manager/ResourceManagerHost.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace Zest {

namespace {

const std::string* FindAttribute(const XMLElement& element, const char* name)
{
    const auto found = element.mAttributes.find(name);
    return found == element.mAttributes.end() ? nullptr : &found->second;
}

bool HasAttribute(const XMLElement& element, const char* name) { return FindAttribute(element, name) != nullptr; }

// The attribute's value, or the empty text when it is absent.
std::string AttributeText(const XMLElement& element, const char* name)
{
    const std::string* const value = FindAttribute(element, name);
    return value == nullptr ? std::string() : *value;
}

// Reads a decimal attribute with atoi when it is present.
void ReadIntAttribute(const XMLElement& element, const char* name, int32_t* out)
{
    if (const std::string* const value = FindAttribute(element, name))
        *out = std::atoi(value->c_str());
}

// A list of decimals separated by ',': every piece is read with atoi, so an empty text
// gives one 0 and a trailing ',' a last 0.
std::vector<int32_t> ParseIntVector(const std::string& text)
{
    std::vector<int32_t> values;
    size_t start = 0;
    for (;;) {
        values.push_back(std::atoi(text.c_str() + start));
        const size_t comma = text.find(',', start);
        if (comma == std::string::npos)
            return values;
        start = comma + 1;
    }
}

// The animation type named by the manifest, or -1 for an unknown name.
int32_t AnimTypeOf(const std::string& name)
{
    static const char* const kNames[] = {"none", "once", "pingpong", "loop"};
    const std::string lower = StringToLower(name);
    for (int32_t type = 0; type < 4; ++type) {
        if (lower == kNames[type])
            return type;
    }
    return -1;
}

constexpr char kSysFontPrefix[] = "!sys:";
constexpr size_t kSysFontPrefixLength = sizeof(kSysFontPrefix) - 1;

} // namespace

bool ResourceManager::Fail(const std::string& text)
{
    if (mFailed)
        return false;
    mFailed = true;
    mErrorText = text;
    if (mParser != nullptr) {
        if (mParser->GetCurrentLineNum() > 0)
            mErrorText += FormatString(" on Line %d", mParser->GetCurrentLineNum());
        if (!mParser->GetFileName().empty())
            mErrorText += " in File '" + mParser->GetFileName() + "'";
    }
    return false;
}

bool ResourceManager::ParseResourcesFile(const std::string& fileName)
{
    mParser = std::make_unique<XMLParser>();
    if (!mParser->OpenFile(fileName)) {
        Fail("Resource file not found: " + fileName);
    } else {
        // Items before the root element are passed over; the first start tag decides.
        XMLElement element;
        bool rootFound = false;
        while (mParser->NextElement(&element)) {
            if (element.mType != XMLElement::TYPE_START)
                continue;
            if (element.mValue == "ResourceManifest") {
                rootFound = true;
                DoParseResources();
            }
            break;
        }
        if (mParser->HasFailed())
            Fail(mParser->GetErrorText());
        if (!rootFound)
            Fail("Expecting ResourceManifest tag");
    }
    mParser.reset();
    return !mFailed;
}

bool ResourceManager::DoParseResources()
{
    XMLElement element;
    while (!mParser->HasFailed() && mParser->NextElement(&element)) {
        if (element.mType == XMLElement::TYPE_START) {
            if (element.mValue != "Resources") {
                Fail("Invalid Section '" + element.mValue + "'");
                break;
            }
            mCurrentGroup = AttributeText(element, "id");
            if (mCurrentGroup.empty()) {
                Fail("No id specified.");
                break;
            }
            mGroups[mCurrentGroup];
            if (!ParseResources())
                break;
        } else if (element.mType == XMLElement::TYPE_TEXT) {
            Fail("Element Not Expected '" + element.mValue + "'");
            break;
        }
    }
    if (mParser->HasFailed())
        Fail(mParser->GetErrorText());
    return !mFailed;
}

bool ResourceManager::ParseResources()
{
    using Handler = bool (ResourceManager::*)(const XMLElement&);
    struct Entry {
        const char* mName;
        Handler mHandler;
    };
    static const Entry kHandlers[] = {
        {"Image", &ResourceManager::ParseImageResource},
        {"Sound", &ResourceManager::ParseSoundResource},
        {"Font", &ResourceManager::ParseFontResource},
        {"SetDefaults", &ResourceManager::ParseSetDefaults},
    };

    XMLElement element;
    while (mParser->NextElement(&element)) {
        switch (element.mType) {
        case XMLElement::TYPE_START: {
            const auto entry = std::find_if(std::begin(kHandlers), std::end(kHandlers),
                                            [&](const Entry& e) { return element.mValue == e.mName; });
            if (entry == std::end(kHandlers))
                return Fail("Invalid Section '" + element.mValue + "'");
            if (!(this->*entry->mHandler)(element))
                return false;
            // Nothing may stand inside a resource element.
            if (!mParser->NextElement(&element))
                return false;
            if (element.mType != XMLElement::TYPE_END)
                return Fail("Unexpected element found.");
            break;
        }
        case XMLElement::TYPE_TEXT:
            return Fail("Element Not Expected '" + element.mValue + "'");
        case XMLElement::TYPE_END:
            return true;
        default:
            break;
        }
    }
    return false;
}

bool ResourceManager::ParseCommonResource(const XMLElement& element, std::unique_ptr<BaseRes>& record, ResMap& map)
{
    const std::string path = AttributeText(element, "path");
    if (path.empty())
        return Fail("No path specified.");

    BaseRes& res = *record;
    res.mXMLAttributes = element.mAttributes;
    res.mFromProgram = false;
    if (path[0] == '!') {
        res.mPath = path;
        res.mFromProgram = path == "!program";
    } else {
        res.mPath = mPathPrefix + path;
    }
    const std::string* const id = FindAttribute(element, "id");
    res.mId = mIdPrefix + (id != nullptr ? *id : GetFileName(res.mPath));
    res.mResGroup = mCurrentGroup;

    const auto [slot, inserted] = map.try_emplace(res.mId);
    if (!inserted)
        return Fail("Resource already defined.");
    slot->second = std::move(record);
    mGroups[mCurrentGroup].push_back(slot->second.get());
    return true;
}

bool ResourceManager::ParseImageResource(const XMLElement& element)
{
    std::unique_ptr<BaseRes> owned = std::make_unique<ImageRes>();
    auto* const res = static_cast<ImageRes*>(owned.get());
    // From here on the map owns the record, also when a later attribute fails.
    if (!ParseCommonResource(element, owned, mImages))
        return false;

    res->mPalettize = !HasAttribute(element, "nopal");
    res->mUse4444 = HasAttribute(element, "a4r4g4b4");
    res->mUse8888 = HasAttribute(element, "a8r8g8b8");
    res->mWantSurface = HasAttribute(element, "ddsurface");
    const bool is3D = mApplication != nullptr && mApplication->Is3DEnabled();
    res->mDropBits = HasAttribute(element, "nobits") || HasAttribute(element, is3D ? "nobits3d" : "nobits2d");
    res->mFewPieces = HasAttribute(element, "minsubdivide");
    if (const std::string* const alphaImage = FindAttribute(element, "alphaimage"))
        res->mAlphaImage = mPathPrefix + *alphaImage;
    if (const std::string* const alphaColor = FindAttribute(element, "alphacolor"))
        std::sscanf(alphaColor->c_str(), "%x", &res->mAlphaColor);
    res->mVariant = AttributeText(element, "variant");
    if (const std::string* const alphaGrid = FindAttribute(element, "alphagrid"))
        res->mAlphaGridImage = mPathPrefix + *alphaGrid;
    // A grid has at least one cel each way: the cel size divides the picture by these, and
    // a count read as 0 or less stands for the default single cel.
    ReadIntAttribute(element, "rows", &res->mRows);
    ReadIntAttribute(element, "cols", &res->mCols);
    res->mRows = std::max(res->mRows, 1);
    res->mCols = std::max(res->mCols, 1);

    if (const std::string* const anim = FindAttribute(element, "anim")) {
        const int32_t animType = AnimTypeOf(*anim);
        if (animType < 0)
            return Fail("Invalid animation type.");
        AnimInfo& info = res->mAnimInfo;
        info.mAnimType = animType;
        if (animType != AnimInfo::ANIM_NONE) {
            int32_t beginDelay = 0;
            int32_t endDelay = 0;
            ReadIntAttribute(element, "framedelay", &info.mFrameDelay);
            ReadIntAttribute(element, "begindelay", &beginDelay);
            ReadIntAttribute(element, "enddelay", &endDelay);
            if (const std::string* const delays = FindAttribute(element, "perframedelay"))
                info.mPerFrameDelay = ParseIntVector(*delays);
            if (const std::string* const frameMap = FindAttribute(element, "framemap"))
                info.mFrameMap = ParseIntVector(*frameMap);
            info.Compute(std::max(res->mRows, res->mCols), beginDelay, endDelay);
        }
    }
    return true;
}

bool ResourceManager::ParseSoundResource(const XMLElement& element)
{
    std::unique_ptr<BaseRes> owned = std::make_unique<SoundRes>();
    auto* const res = static_cast<SoundRes*>(owned.get());
    if (!ParseCommonResource(element, owned, mSounds))
        return false;
    if (const std::string* const volume = FindAttribute(element, "volume"))
        std::sscanf(volume->c_str(), "%lf", &res->mVolume);
    if (const std::string* const pan = FindAttribute(element, "pan"))
        std::sscanf(pan->c_str(), "%d", &res->mPanning);
    return true;
}

bool ResourceManager::ParseFontResource(const XMLElement& element)
{
    std::unique_ptr<BaseRes> owned = std::make_unique<FontRes>();
    auto* const res = static_cast<FontRes*>(owned.get());
    if (!ParseCommonResource(element, owned, mFonts))
        return false;
    res->mImagePath = AttributeText(element, "image");
    res->mTags = AttributeText(element, "tags");
    if (res->mPath.compare(0, kSysFontPrefixLength, kSysFontPrefix) == 0) {
        res->mIsSysFont = true;
        res->mPath = res->mPath.substr(kSysFontPrefixLength);
        ReadIntAttribute(element, "size", &res->mPointSize);
        if (res->mPointSize <= 0)
            return Fail("SysFont needs point size");
        res->mBold = HasAttribute(element, "bold");
        res->mItalic = HasAttribute(element, "italic");
        res->mShadow = HasAttribute(element, "shadow");
        res->mUnderline = HasAttribute(element, "underline");
    }
    return true;
}

bool ResourceManager::ParseSetDefaults(const XMLElement& element)
{
    // An empty path means no prefix at all: a lone "/" would make every later path absolute.
    if (const std::string* const path = FindAttribute(element, "path"))
        mPathPrefix = path->empty() ? std::string() : RemoveTrailingSlash(*path) + "/";
    if (const std::string* const idPrefix = FindAttribute(element, "idprefix"))
        mIdPrefix = RemoveTrailingSlash(*idPrefix);
    return true;
}

} // namespace Zest
