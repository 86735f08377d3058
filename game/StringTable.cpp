#include "game/StringTable.h"

#include "framework/app/common/Debug.h"
#include "framework/resources/XMLParser.h"

namespace {

// Keys are the elements directly inside the top-level element.
const char* const kKeySection = "Strings";
const char* const kValueAttribute = "value";

} // namespace

bool StringTable::Load(const std::string& fileName, std::string* message)
{
    Zest::XMLParser parser;
    if (!parser.OpenFile(fileName)) {
        *message = parser.GetErrorText();
        return false;
    }
    Zest::XMLElement element;
    while (parser.NextElement(&element)) {
        if (element.mType != Zest::XMLElement::TYPE_START || element.mSection != kKeySection)
            continue;
        const auto value = element.mAttributes.find(kValueAttribute);
        SetString(element.mValue, value != element.mAttributes.end() ? value->second : std::string());
    }
    // The texts read so far stay usable; the content check reports a damaged file in full.
    if (parser.HasFailed())
        Zest::OutputDebug("%s\r\n", parser.GetErrorText().c_str());
    return true;
}

std::string StringTable::GetString(const std::string& key) const
{
    const auto found = mStrings.find(key);
    return found != mStrings.end() ? found->second : kNotFoundPrefix + key;
}

void StringTable::SetString(const std::string& key, const std::string& text) { mStrings[key] = text; }

std::string GetGameString(const std::string& key) { return StringTableHolder::Instance().GetString(key); }
