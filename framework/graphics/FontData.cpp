#include "framework/graphics/FontData.h"

#include "framework/app/common/PathHelpers.h"
#include "framework/app/common/StringHelpers.h"
#include "framework/graphics/AppInterface.h"
#include "framework/graphics/Image.h"
#include "framework/resources/PakFile.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <limits>
#include <memory>

namespace Zest {
namespace {

constexpr char kInvalidParameterType[] = "Invalid Paramater Type";
constexpr char kListSizeMismatch[] = "List Size Mismatch";

const std::string* WordOf(const DataElement& element)
{
    return element.mIsList ? nullptr : &static_cast<const SingleDataElement&>(element).mText;
}

// The word as written, converted; define names are not resolved.
bool WordToInt(const DataElement& element, int32_t* const value)
{
    const std::string* const word = WordOf(element);
    return word != nullptr && StringToInt(*word, value);
}

// An already expanded list of `count` words that are all integers.
bool ListToInts(const DataElement& element, const size_t count, std::vector<int32_t>* const values)
{
    values->clear();
    if (!element.mIsList) {
        return false;
    }
    const auto& list = static_cast<const ListDataElement&>(element);
    if (list.mElements.size() != count) {
        return false;
    }
    for (const DataElement* const item : list.mElements) {
        int32_t value = 0;
        if (!WordToInt(*item, &value)) {
            return false;
        }
        values->push_back(value);
    }
    return true;
}

// Keeps sums of values read from a file out of signed overflow.
int32_t ClampToInt32(const int64_t value)
{
    return static_cast<int32_t>(std::clamp<int64_t>(value, std::numeric_limits<int32_t>::min(),
                                                    std::numeric_limits<int32_t>::max()));
}

int32_t DefaultHeightOf(const FontLayer& layer)
{
    int64_t height = 0;
    for (const CharData& charData : layer.mCharData) {
        height = std::max(height, int64_t{charData.mImageRect.mHeight} + charData.mOffset.mY);
    }
    return ClampToInt32(height);
}

// Reads the way "%d" does: white space, an optional sign, then decimal digits. The first
// character that ends the number is put back; values beyond 32 bits are clamped.
bool ReadInt(PakFileHandle* const file, int32_t* const value)
{
    int character = PakFGetC(file);
    while (character != EOF && std::isspace(character)) {
        character = PakFGetC(file);
    }
    const bool negative = character == '-';
    if (character == '-' || character == '+') {
        character = PakFGetC(file);
    }
    int64_t magnitude = 0;
    bool anyDigit = false;
    while (character != EOF && std::isdigit(character)) {
        anyDigit = true;
        magnitude = std::min<int64_t>(magnitude * 10 + (character - '0'), int64_t{1} << 32);
        character = PakFGetC(file);
    }
    if (character != EOF) {
        PakUnGetC(character, file);
    }
    if (!anyDigit) {
        return false;
    }
    *value = ClampToInt32(negative ? -magnitude : magnitude);
    return true;
}

// Reads the way "%1s" does: the first character that is not white space.
bool ReadNonBlank(PakFileHandle* const file, char* const out)
{
    int character = PakFGetC(file);
    while (character != EOF && std::isspace(character)) {
        character = PakFGetC(file);
    }
    if (character == EOF) {
        return false;
    }
    *out = static_cast<char>(character);
    return true;
}

uint8_t CodeOf(const std::string& oneCharacter) { return static_cast<uint8_t>(oneCharacter[0]); }

} // namespace

FontData::FontData()
{
    for (size_t i = 0; i < mCharMap.size(); ++i) {
        mCharMap[i] = static_cast<uint8_t>(i);
    }
}

FontData::~FontData()
{
    for (const auto& [name, value] : mDefines) {
        delete value;
    }
}

void FontData::Ref() { ++mRefCount; }

void FontData::DeRef()
{
    if (--mRefCount == 0) {
        delete this;
    }
}

bool FontData::Load(AppInterface* const app, const std::string& fileName)
{
    if (mInitialized) {
        return false;
    }
    mApp = app;
    mCommandText.clear();
    mFontErrorHeader = "Font Descriptor Error in " + fileName + "\r\n";
    mSourceFile = fileName;
    mInitialized = LoadDescriptor(fileName);
    return true;
}

bool FontData::LoadLegacy(Image* const image, const std::string& fileName)
{
    if (mInitialized || image == nullptr) {
        return false;
    }
    FontLayer& layer = mFontLayerList.emplace_back(this);
    mFontLayerMap[""] = &layer;
    layer.mImage = image;
    layer.mDefaultHeight = image->GetHeight();
    layer.mAscent = image->GetHeight();

    PakFileHandle* const file = PakFOpen(fileName.c_str(), "r");
    if (file == nullptr) {
        return false;
    }
    const std::unique_ptr<PakFileHandle, int (*)(PakFileHandle*)> closer(file, PakFClose);
    mSourceFile = fileName;

    int32_t spaceWidth = 0;
    int32_t ascent = 0;
    if (!ReadInt(file, &spaceWidth) || !ReadInt(file, &ascent)) {
        return false;
    }
    layer.mCharData[' '].mWidth = spaceWidth;
    layer.mAscent = ascent;

    int64_t x = 0;
    for (;;) {
        char character = 0;
        int32_t width = 0;
        if (!ReadNonBlank(file, &character)) {
            break;
        }
        ReadInt(file, &width);
        // Glyphs lie side by side, so one that would start or end outside the picture
        // means the file does not belong to it.
        if (width < 0 || x + width > image->GetWidth()) {
            return false;
        }
        CharData& charData = layer.mCharData[static_cast<uint8_t>(character)];
        charData.mImageRect = Rect(static_cast<int32_t>(x), 0, width, image->GetHeight());
        charData.mWidth = width;
        x += width;
    }

    for (int upper = 'A'; upper <= 'Z'; ++upper) {
        const int lower = upper - 'A' + 'a';
        if (layer.mCharData[upper].mWidth == 0 && layer.mCharData[lower].mWidth != 0) {
            mCharMap[upper] = static_cast<uint8_t>(lower);
        }
    }
    for (int lower = 'a'; lower <= 'z'; ++lower) {
        const int upper = lower - 'a' + 'A';
        if (layer.mCharData[lower].mWidth == 0 && layer.mCharData[upper].mWidth != 0) {
            mCharMap[lower] = static_cast<uint8_t>(upper);
        }
    }
    mInitialized = true;
    return true;
}

bool FontData::Error(const std::string& message)
{
    DescParser::Error(message);
    if (mApp != nullptr) {
        std::string text = mFontErrorHeader + message;
        if (!mCommandText.empty()) {
            text += FormatString(" on Line %d:\r\n\r\n", mCommandStartLine) + mCommandText;
        }
        mApp->ShowErrorPopup(text);
    }
    return false;
}

bool FontData::GetLayer(const DataElement& element, FontLayer** const layer)
{
    *layer = nullptr;
    const std::string* const word = WordOf(element);
    if (word == nullptr) {
        return false;
    }
    const auto found = mFontLayerMap.find(StringToUpper(*word));
    if (found == mFontLayerMap.end()) {
        return Error("Undefined Layer");
    }
    *layer = found->second;
    return true;
}

bool FontData::DataToColor(const DataElement& element, Color* const color)
{
    if (const std::string* const word = WordOf(element)) {
        int32_t packed = 0;
        if (!StringToInt(*word, &packed)) {
            return false;
        }
        *color = Color(static_cast<uint32_t>(packed));
        return true;
    }
    std::vector<double> fractions;
    if (!DataToDoubleVector(element, &fractions) || fractions.size() != 4) {
        return false;
    }
    std::array<int32_t, 4> channels{};
    for (size_t i = 0; i < channels.size(); ++i) {
        const double scaled = std::trunc(fractions[i] * 255.0);
        // Converting a double an int cannot hold is undefined; such a colour is refused.
        if (!(scaled >= std::numeric_limits<int32_t>::min() && scaled <= std::numeric_limits<int32_t>::max())) {
            return false;
        }
        channels[i] = static_cast<int32_t>(scaled);
    }
    *color = Color(channels[0], channels[1], channels[2], channels[3]);
    return true;
}

bool FontData::HandleCommand(const ListDataElement& command)
{
    using Handler = bool (*)(FontData&, const ListDataElement&);
    struct CommandEntry {
        const char* mName;
        size_t mParameterCount;
        Handler mHandler;
    };
    static const CommandEntry kCommands[] = {
        {"Define", 3, [](FontData& f, const ListDataElement& c) { return f.DoDefine(c); }},
        {"CreateHorzSpanRectList", 4,
         [](FontData& f, const ListDataElement& c) { return f.DoCreateHorzSpanRectList(c); }},
        {"SetDefaultPointSize", 2,
         [](FontData& f, const ListDataElement& c) {
             return f.GetInt(c, 1, &f.mDefaultPointSize) || f.Error(kInvalidParameterType);
         }},
        {"SetCharMap", 3, [](FontData& f, const ListDataElement& c) { return f.DoSetCharMap(c); }},
        {"CreateLayer", 2, [](FontData& f, const ListDataElement& c) { return f.DoCreateLayer(c, false); }},
        {"CreateLayerFrom", 3, [](FontData& f, const ListDataElement& c) { return f.DoCreateLayer(c, true); }},
        {"LayerRequireTags", 3,
         [](FontData& f, const ListDataElement& c) { return f.DoLayerTags(c, &FontLayer::mRequiredTags); }},
        {"LayerExcludeTags", 3,
         [](FontData& f, const ListDataElement& c) { return f.DoLayerTags(c, &FontLayer::mExcludedTags); }},
        {"LayerPointRange", 4, [](FontData& f, const ListDataElement& c) { return f.DoLayerPointRange(c); }},
        {"LayerSetPointSize", 3,
         [](FontData& f, const ListDataElement& c) { return f.DoLayerSetInt(c, &FontLayer::mPointSize); }},
        {"LayerSetHeight", 3,
         [](FontData& f, const ListDataElement& c) { return f.DoLayerSetInt(c, &FontLayer::mHeight); }},
        {"LayerSetImage", 3, [](FontData& f, const ListDataElement& c) { return f.DoLayerSetImage(c); }},
        {"LayerSetDrawMode", 3, [](FontData& f, const ListDataElement& c) { return f.DoLayerSetDrawMode(c); }},
        {"LayerSetColorMult", 3,
         [](FontData& f, const ListDataElement& c) { return f.DoLayerSetColor(c, &FontLayer::mColorMult); }},
        {"LayerSetColorAdd", 3,
         [](FontData& f, const ListDataElement& c) { return f.DoLayerSetColor(c, &FontLayer::mColorAdd); }},
        {"LayerSetAscent", 3,
         [](FontData& f, const ListDataElement& c) { return f.DoLayerSetInt(c, &FontLayer::mAscent); }},
        {"LayerSetAscentPadding", 3,
         [](FontData& f, const ListDataElement& c) { return f.DoLayerSetInt(c, &FontLayer::mAscentPadding); }},
        {"LayerSetLineSpacingOffset", 3,
         [](FontData& f, const ListDataElement& c) { return f.DoLayerSetInt(c, &FontLayer::mLineSpacingOffset); }},
        {"LayerSetOffset", 3, [](FontData& f, const ListDataElement& c) { return f.DoLayerSetOffset(c); }},
        {"LayerSetCharWidths", 4,
         [](FontData& f, const ListDataElement& c) { return f.DoLayerSetCharInts(c, &CharData::mWidth); }},
        {"LayerSetSpacing", 3,
         [](FontData& f, const ListDataElement& c) { return f.DoLayerSetInt(c, &FontLayer::mSpacing); }},
        {"LayerSetImageMap", 4, [](FontData& f, const ListDataElement& c) { return f.DoLayerSetImageMap(c); }},
        {"LayerSetCharOffsets", 4,
         [](FontData& f, const ListDataElement& c) { return f.DoLayerSetCharOffsets(c); }},
        {"LayerSetKerningPairs", 4,
         [](FontData& f, const ListDataElement& c) { return f.DoLayerSetKerningPairs(c); }},
        {"LayerSetBaseOrder", 3,
         [](FontData& f, const ListDataElement& c) { return f.DoLayerSetInt(c, &FontLayer::mBaseOrder); }},
        {"LayerSetCharOrders", 4,
         [](FontData& f, const ListDataElement& c) { return f.DoLayerSetCharInts(c, &CharData::mOrder); }},
    };

    const std::string* const word = command.mElements.empty() ? nullptr : WordOf(*command.mElements.front());
    if (word == nullptr) {
        return Error("Unknown Command");
    }
    const std::string upperWord = StringToUpper(*word);
    for (const CommandEntry& entry : kCommands) {
        if (StringToUpper(entry.mName) == upperWord) {
            if (command.mElements.size() != entry.mParameterCount) {
                return Error("Invalid Number of Parameters");
            }
            return entry.mHandler(*this, command);
        }
    }
    return Error("Unknown Command");
}

bool FontData::GetInt(const ListDataElement& command, const size_t index, int32_t* const value)
{
    return WordToInt(*command.mElements[index], value);
}

bool FontData::DoDefine(const ListDataElement& command)
{
    const std::string* const nameWord = WordOf(*command.mElements[1]);
    if (nameWord == nullptr || IsLiteral(*nameWord)) {
        return Error(kInvalidParameterType);
    }
    const std::string name = StringToUpper(*nameWord);
    const DataElement& source = *command.mElements[2];
    std::unique_ptr<DataElement> value;
    if (source.mIsList) {
        auto list = std::make_unique<ListDataElement>();
        if (!GetValues(static_cast<const ListDataElement&>(source), list.get())) {
            return false;
        }
        value = std::move(list);
    } else if (const DataElement* const define = FindDefine(*WordOf(source))) {
        // Copied before the old value goes, which may be this very define.
        value.reset(define->Duplicate());
    } else {
        value.reset(source.Duplicate());
    }
    DataElement*& slot = mDefines[name];
    delete slot;
    slot = value.release();
    return true;
}

bool FontData::DoCreateHorzSpanRectList(const ListDataElement& command)
{
    const std::string* const nameWord = WordOf(*command.mElements[1]);
    std::vector<int32_t> rect;
    std::vector<int32_t> widths;
    if (nameWord == nullptr || !DataToIntVector(*command.mElements[2], &rect) || rect.size() != 4 ||
        !DataToIntVector(*command.mElements[3], &widths)) {
        return Error(kInvalidParameterType);
    }
    auto list = std::make_unique<ListDataElement>();
    int64_t x = rect[0];
    for (const int32_t width : widths) {
        auto entry = std::make_unique<ListDataElement>();
        for (const int64_t number : {x, int64_t{rect[1]}, int64_t{width}, int64_t{rect[3]}}) {
            // Wraps like the 32-bit sum of the widths it stands for.
            entry->mElements.push_back(new SingleDataElement(FormatString("%d", static_cast<int32_t>(number))));
        }
        list->mElements.push_back(entry.release());
        x += width;
    }
    DataElement*& slot = mDefines[StringToUpper(*nameWord)];
    delete slot;
    slot = list.release();
    return true;
}

bool FontData::DoSetCharMap(const ListDataElement& command)
{
    std::vector<std::string> from;
    std::vector<std::string> to;
    if (!DataToStringVector(*command.mElements[1], &from) || !DataToStringVector(*command.mElements[2], &to)) {
        return Error(kInvalidParameterType);
    }
    if (from.size() != to.size()) {
        return Error(kListSizeMismatch);
    }
    bool allValid = true;
    for (size_t i = 0; i < from.size(); ++i) {
        if (from[i].size() != 1 || to[i].size() != 1) {
            allValid = false;
            continue;
        }
        mCharMap[CodeOf(from[i])] = CodeOf(to[i]);
    }
    return allValid || Error(kInvalidParameterType);
}

bool FontData::DoCreateLayer(const ListDataElement& command, const bool copy)
{
    const std::string* const nameWord = WordOf(*command.mElements[1]);
    if (nameWord == nullptr) {
        return Error(kInvalidParameterType);
    }
    FontLayer* source = nullptr;
    if (copy && !GetLayer(*command.mElements[2], &source)) {
        return Error(kInvalidParameterType);
    }
    FontLayer& layer = source != nullptr ? mFontLayerList.emplace_back(*source) : mFontLayerList.emplace_back(this);
    if (!mFontLayerMap.emplace(StringToUpper(*nameWord), &layer).second) {
        // The layer stays in the list without a name and the file goes on loading.
        Error("Layer Already Exists");
    }
    return true;
}

bool FontData::DoLayerTags(const ListDataElement& command, std::vector<std::string> FontLayer::* const tags)
{
    FontLayer* layer = nullptr;
    std::vector<std::string> values;
    if (!GetLayer(*command.mElements[1], &layer) || !DataToStringVector(*command.mElements[2], &values)) {
        return Error(kInvalidParameterType);
    }
    for (const std::string& value : values) {
        (layer->*tags).push_back(StringToUpper(value));
    }
    return true;
}

bool FontData::DoLayerPointRange(const ListDataElement& command)
{
    FontLayer* layer = nullptr;
    int32_t minimum = 0;
    int32_t maximum = 0;
    if (!GetLayer(*command.mElements[1], &layer) || !GetInt(command, 2, &minimum) || !GetInt(command, 3, &maximum)) {
        return Error(kInvalidParameterType);
    }
    layer->mMinPointSize = minimum;
    layer->mMaxPointSize = maximum;
    return true;
}

bool FontData::DoLayerSetInt(const ListDataElement& command, int32_t FontLayer::* const field)
{
    FontLayer* layer = nullptr;
    int32_t value = 0;
    if (!GetLayer(*command.mElements[1], &layer) || !GetInt(command, 2, &value)) {
        return Error(kInvalidParameterType);
    }
    layer->*field = value;
    return true;
}

bool FontData::DoLayerSetImage(const ListDataElement& command)
{
    FontLayer* layer = nullptr;
    std::string fileName;
    if (!GetLayer(*command.mElements[1], &layer) || !DataToString(*command.mElements[2], &fileName)) {
        return Error(kInvalidParameterType);
    }
    if (mApp == nullptr) {
        return Error("Failed to Load Image");
    }
    bool created = false;
    SharedImageRef image = mApp->AcquireSharedImage(GetFullPath(fileName, GetFileDir(mSourceFile)), "", &created);
    if (image.GetImage() == nullptr) {
        return Error("Failed to Load Image");
    }
    if (created && image.GetDDImage() != nullptr) {
        image.GetDDImage()->Palletize();
    }
    layer->mImage = image;
    return true;
}

bool FontData::DoLayerSetDrawMode(const ListDataElement& command)
{
    FontLayer* layer = nullptr;
    int32_t mode = 0;
    if (!GetLayer(*command.mElements[1], &layer) || !GetInt(command, 2, &mode) ||
        (mode != DRAWMODE_NORMAL && mode != DRAWMODE_ADDITIVE)) {
        return Error(kInvalidParameterType);
    }
    layer->mDrawMode = mode;
    return true;
}

bool FontData::DoLayerSetColor(const ListDataElement& command, Color FontLayer::* const field)
{
    FontLayer* layer = nullptr;
    Color color;
    if (!GetLayer(*command.mElements[1], &layer) || !DataToColor(*command.mElements[2], &color)) {
        return Error(kInvalidParameterType);
    }
    layer->*field = color;
    return true;
}

bool FontData::DoLayerSetOffset(const ListDataElement& command)
{
    FontLayer* layer = nullptr;
    std::vector<int32_t> offset;
    if (!GetLayer(*command.mElements[1], &layer) || !DataToIntVector(*command.mElements[2], &offset) ||
        offset.size() != 2) {
        return Error(kInvalidParameterType);
    }
    layer->mOffset = Point{offset[0], offset[1]};
    return true;
}

bool FontData::GetLayerAndLists(const ListDataElement& command, FontLayer** const layer,
                                std::vector<std::string>* const keys, ListDataElement* const values)
{
    if (!GetLayer(*command.mElements[1], layer) || !DataToStringVector(*command.mElements[2], keys) ||
        !DataToList(*command.mElements[3], values)) {
        return Error(kInvalidParameterType);
    }
    if (keys->size() != values->mElements.size()) {
        return Error(kListSizeMismatch);
    }
    return true;
}

bool FontData::DoLayerSetCharInts(const ListDataElement& command, int32_t CharData::* const field)
{
    FontLayer* layer = nullptr;
    std::vector<std::string> characters;
    ListDataElement values;
    if (!GetLayerAndLists(command, &layer, &characters, &values)) {
        return false;
    }
    std::vector<int32_t> numbers;
    if (!ListToInts(values, values.mElements.size(), &numbers)) {
        return Error(kInvalidParameterType);
    }
    bool allValid = true;
    for (size_t i = 0; i < characters.size(); ++i) {
        if (characters[i].size() != 1) {
            allValid = false;
            continue;
        }
        layer->mCharData[CodeOf(characters[i])].*field = numbers[i];
    }
    return allValid || Error(kInvalidParameterType);
}

bool FontData::DoLayerSetImageMap(const ListDataElement& command)
{
    FontLayer* layer = nullptr;
    std::vector<std::string> characters;
    ListDataElement rects;
    if (!GetLayerAndLists(command, &layer, &characters, &rects)) {
        return false;
    }
    const Image* const image = layer->mImage.GetImage();
    if (image == nullptr) {
        return Error("Layer image not set");
    }
    bool allValid = true;
    for (size_t i = 0; i < characters.size(); ++i) {
        std::vector<int32_t> rect;
        if (characters[i].size() != 1 || !ListToInts(*rects.mElements[i], 4, &rect)) {
            allValid = false;
            continue;
        }
        const int64_t x = rect[0];
        const int64_t y = rect[1];
        const int64_t width = rect[2];
        const int64_t height = rect[3];
        if (x < 0 || y < 0 || width < 0 || height < 0 || x + width > image->GetWidth() ||
            y + height > image->GetHeight()) {
            return Error("Image rectangle out of bounds");
        }
        layer->mCharData[CodeOf(characters[i])].mImageRect = Rect(rect[0], rect[1], rect[2], rect[3]);
    }
    layer->mDefaultHeight = DefaultHeightOf(*layer);
    return allValid || Error(kInvalidParameterType);
}

bool FontData::DoLayerSetCharOffsets(const ListDataElement& command)
{
    FontLayer* layer = nullptr;
    std::vector<std::string> characters;
    ListDataElement points;
    if (!GetLayerAndLists(command, &layer, &characters, &points)) {
        return false;
    }
    bool allValid = true;
    for (size_t i = 0; i < characters.size(); ++i) {
        std::vector<int32_t> point;
        if (characters[i].size() != 1 || !ListToInts(*points.mElements[i], 2, &point)) {
            allValid = false;
            continue;
        }
        layer->mCharData[CodeOf(characters[i])].mOffset = Point{point[0], point[1]};
    }
    return allValid || Error(kInvalidParameterType);
}

bool FontData::DoLayerSetKerningPairs(const ListDataElement& command)
{
    FontLayer* layer = nullptr;
    std::vector<std::string> pairs;
    ListDataElement values;
    if (!GetLayerAndLists(command, &layer, &pairs, &values)) {
        return false;
    }
    std::vector<int32_t> offsets;
    if (!ListToInts(values, values.mElements.size(), &offsets)) {
        return Error(kInvalidParameterType);
    }
    bool allValid = true;
    for (size_t i = 0; i < pairs.size(); ++i) {
        if (pairs[i].size() != 2) {
            allValid = false;
            continue;
        }
        const auto first = static_cast<uint8_t>(pairs[i][0]);
        const auto second = static_cast<uint8_t>(pairs[i][1]);
        // Only the low 8 bits are kept, read back as a signed byte.
        layer->mCharData[first].mKerningOffsets[second] = static_cast<int8_t>(offsets[i] & 0xFF);
    }
    return allValid || Error(kInvalidParameterType);
}

} // namespace Zest
