#include "framework/resources/XMLParser.h"

#include "framework/app/common/StringHelpers.h"
#include "framework/resources/PakFile.h"

#include <algorithm>
#include <cstdio>

namespace Zest {
namespace {

// Content files may come from anywhere, so what one of them can make the parser hold is
// bounded: a file that is nothing but one endless element or an endless chain of open tags
// fails with an error instead of exhausting memory.
constexpr size_t kMaxElementLength = size_t{1} << 20;
constexpr size_t kMaxPushedBackSlack = 256;
constexpr size_t kMaxNestingDepth = 1024;

constexpr char16_t kReplacementChar = u'?';

bool IsWhiteSpace(const char16_t character)
{
    const unsigned low = character & 0xFF;
    return (low >= 9 && low <= 13) || low == 32;
}

char LowByte(const char16_t character) { return static_cast<char>(character & 0xFF); }

char16_t SwapBytes(const char16_t unit) { return static_cast<char16_t>((unit >> 8) | (unit << 8)); }

} // namespace

XMLElement::XMLElement(const XMLElement& other)
    : mType(other.mType), mSection(other.mSection), mValue(other.mValue), mInstruction(other.mInstruction),
      mAttributes(other.mAttributes)
{
    mAttributeOrder.reserve(other.mAttributeOrder.size());
    for (const AttributeMap::iterator& entry : other.mAttributeOrder)
        mAttributeOrder.push_back(mAttributes.find(entry->first));
}

XMLElement& XMLElement::operator=(const XMLElement& other)
{
    if (this != &other) {
        XMLElement copy(other);
        *this = std::move(copy);
    }
    return *this;
}

// Per-call state of NextElement while it reads one element.
struct XMLParser::ElementState {
    std::wstring mAttributeName;
    std::wstring mAttributeValue;
    // Characters of the attributes already added, counted toward the element's length.
    size_t mAttributeLength = 0;
    bool mSawSpace = false;
    bool mInQuotes = false;
    bool mQuoteClosed = false;
    bool mInAttributes = false;
    bool mSawEquals = false;
};

XMLParser::~XMLParser() { CloseFile(); }

void XMLParser::CloseFile()
{
    if (mFile != nullptr)
        PakFClose(mFile);
    mFile = nullptr;
}

bool XMLParser::OpenFile(const std::string& fileName)
{
    CloseFile();
    mPushedBack.clear();
    mFile = PakFOpen(fileName.c_str(), "r");
    if (mFile == nullptr) {
        mLine = 0;
        Fail("Unable to open file " + fileName);
        return false;
    }
    if (!mEncodingForced) {
        PakFSeek(mFile, 0, SEEK_END);
        const int32_t size = PakFTell(mFile);
        PakFSeek(mFile, 0, SEEK_SET);
        // The mark stays in the input; the chosen reader skips it.
        mReadChar = &XMLParser::GetAsciiChar;
        bool isUTF16 = false;
        if (size >= 2) {
            const int first = PakFGetC(mFile);
            const int second = PakFGetC(mFile);
            isUTF16 = (first == 0xFF && second == 0xFE) || (first == 0xFE && second == 0xFF);
            if (isUTF16)
                mReadChar = &XMLParser::GetUTF16Char;
            PakUnGetC(second, mFile);
            PakUnGetC(first, mFile);
        }
        if (!isUTF16 && size >= 3) {
            const int first = PakFGetC(mFile);
            const int second = PakFGetC(mFile);
            const int third = PakFGetC(mFile);
            if (first == 0xEF && second == 0xBB && third == 0xBF)
                mReadChar = &XMLParser::GetUTF8Char;
            PakUnGetC(third, mFile);
            PakUnGetC(second, mFile);
            PakUnGetC(first, mFile);
        }
    }
    mOpenFileName = fileName;
    Init();
    return true;
}

void XMLParser::Fail(const std::string& text)
{
    mError = text;
    mFailed = true;
}

void XMLParser::Init()
{
    mSection.clear();
    mError.clear();
    mLine = 1;
    mFailed = false;
    mAtFirstChar = true;
    mSwapBytes = false;
}

bool XMLParser::AddAttribute(XMLElement* element, const std::string& name, const std::string& value)
{
    const auto [entry, isNew] = element->mAttributes.insert_or_assign(name, value);
    // "/" is the self-closing mark of a tag, not an attribute the caller should iterate.
    if (name != "/")
        element->mAttributeOrder.push_back(entry);
    return isNew;
}

bool XMLParser::ReadByte(uint8_t* byte) { return mFile != nullptr && PakFRead(byte, 1, 1, mFile) == 1; }

bool XMLParser::GetAsciiChar(char16_t* character, bool* /*error*/)
{
    uint8_t byte = 0;
    if (!ReadByte(&byte))
        return false;
    *character = byte;
    return true;
}

bool XMLParser::GetUTF8Char(char16_t* character, bool* error)
{
    for (;;) {
        *error = true;
        uint8_t lead = 0;
        if (!ReadByte(&lead)) {
            *error = false;
            return false;
        }
        uint32_t value = lead;
        if (lead >= 0x80) {
            if ((lead & 0xC0) != 0xC0)
                return false;
            int continuationCount = 0;
            uint32_t payload = 0;
            if ((lead & 0xE0) == 0xC0) {
                continuationCount = 1;
                payload = lead & 0x1F;
            } else if ((lead & 0xF0) == 0xE0) {
                continuationCount = 2;
                payload = lead & 0x0F;
            } else if ((lead & 0xF8) == 0xF0) {
                continuationCount = 3;
                payload = lead & 0x07;
            } else if ((lead & 0xFC) == 0xF8) {
                continuationCount = 4;
                payload = lead & 0x03;
            } else {
                return false;
            }
            value = payload;
            uint8_t firstContinuation = 0;
            for (int i = 0; i < continuationCount; ++i) {
                uint8_t byte = 0;
                if (!ReadByte(&byte) || (byte & 0xC0) != 0x80)
                    return false;
                if (i == 0)
                    firstContinuation = byte;
                value = (value << 6) | (byte & 0x3F);
            }
            const bool overlong = (continuationCount == 1 && (lead == 0xC0 || lead == 0xC1)) ||
                                  (continuationCount == 2 && payload == 0 && (firstContinuation & 0x20) == 0) ||
                                  (continuationCount == 3 && payload == 0 && (firstContinuation & 0x30) == 0) ||
                                  (continuationCount == 4 && payload == 0 && (firstContinuation & 0x38) == 0);
            if (overlong)
                return false;
        }
        if ((value >= 0xD800 && value <= 0xDFFF) || value == 0xFFFE || value == 0xFFFF)
            return false;
        const bool isFirst = mAtFirstChar;
        mAtFirstChar = false;
        if (value == 0xFEFF && isFirst)
            continue;
        *error = false;
        // A character beyond 16 bits cannot be held, so it reads as a placeholder.
        *character = value > 0xFFFF ? kReplacementChar : static_cast<char16_t>(value);
        return true;
    }
}

bool XMLParser::ReadUnit(char16_t* unit, bool* error)
{
    uint8_t bytes[2] = {};
    const size_t count = mFile != nullptr ? PakFRead(bytes, 1, 2, mFile) : 0;
    if (count == 1)
        *error = true; // a lone trailing byte cannot be a unit
    if (count != 2)
        return false;
    *unit = static_cast<char16_t>(bytes[0] | (bytes[1] << 8));
    return true;
}

bool XMLParser::GetUTF16Char(char16_t* character, bool* error)
{
    char16_t unit = 0;
    if (!ReadUnit(&unit, error))
        return false;
    if (mAtFirstChar) {
        mAtFirstChar = false;
        if (unit == 0xFEFF || unit == 0xFFFE) {
            mSwapBytes = unit == 0xFFFE;
            if (!ReadUnit(&unit, error))
                return false;
        }
    }
    if (mSwapBytes)
        unit = SwapBytes(unit);
    if (unit >= 0xD800 && unit <= 0xDFFF) {
        char16_t second = 0;
        if (!ReadUnit(&second, error)) {
            *error = true;
            return false;
        }
        if (mSwapBytes)
            second = SwapBytes(second);
        if (second < 0xDC00 || second > 0xDFFF) {
            *error = true;
            return false;
        }
        // The pair stands for a character beyond 16 bits, which cannot be held.
        unit = kReplacementChar;
    }
    *character = unit;
    return true;
}

bool XMLParser::ReadNextChar(char16_t* character, bool* error)
{
    if (!mPushedBack.empty()) {
        *character = mPushedBack.back();
        mPushedBack.pop_back();
        return true;
    }
    *error = false;
    return (this->*mReadChar)(character, error);
}

bool XMLParser::PushBack(const std::u16string& characters)
{
    // Only a self-closing tag's end tag or one '<' is ever pushed, and each is read back
    // before the next push; a pile beyond that would mean the stack grows without bound.
    if (mPushedBack.size() > kMaxPushedBackSlack) {
        Fail("Element Too Long");
        return false;
    }
    mPushedBack.insert(mPushedBack.end(), characters.rbegin(), characters.rend());
    return true;
}

bool XMLParser::NextElement(XMLElement* element)
{
    for (;;) {
        element->mType = XMLElement::TYPE_NONE;
        element->mSection = mSection;
        element->mValue.clear();
        element->mInstruction.clear();
        element->mAttributeOrder.clear();
        element->mAttributes.clear();

        ElementState state;
        Step step = Step::Continue;
        while (step == Step::Continue) {
            char16_t character = 0;
            bool error = false;
            if (!ReadNextChar(&character, &error)) {
                if (error)
                    Fail("Illegal Character");
                if (element->mType != XMLElement::TYPE_NONE)
                    Fail("Unexpected End of File");
                return false;
            }
            if (character == '\n')
                ++mLine;
            step = HandleChar(element, state, character);
            const size_t held = element->mValue.size() + element->mInstruction.size() +
                                state.mAttributeName.size() + state.mAttributeValue.size() + state.mAttributeLength;
            if (step != Step::Failed && held > kMaxElementLength) {
                Fail("Element Too Long");
                return false;
            }
        }
        if (step == Step::Failed)
            return false;
        if (!state.mAttributeName.empty())
            FinishAttribute(element, state);
        element->mValue = DecodeXMLEntities(element->mValue);
        if (element->mType != XMLElement::TYPE_COMMENT || mReturnComments)
            return true;
    }
}

XMLParser::Step XMLParser::HandleChar(XMLElement* element, ElementState& state, const char16_t character)
{
    int32_t& type = element->mType;
    if (type == XMLElement::TYPE_COMMENT) {
        std::string& body = element->mInstruction;
        body += LowByte(character);
        if (character == '>' && body.size() >= 3 && body.compare(body.size() - 3, 2, "--") == 0) {
            body.resize(body.size() - 3);
            return Step::Finish;
        }
        return Step::Continue;
    }
    if (type == XMLElement::TYPE_INSTRUCTION) {
        const bool inBody = !element->mInstruction.empty() || IsWhiteSpace(character);
        std::string& text = inBody ? element->mInstruction : element->mValue;
        text += LowByte(character);
        if (character == '>' && text.size() >= 2 && text[text.size() - 2] == '?') {
            text.resize(text.size() - 2);
            return Step::Finish;
        }
        return Step::Continue;
    }
    if (character == '"') {
        state.mInQuotes = !state.mInQuotes;
        if (!state.mInQuotes)
            state.mQuoteClosed = true;
        if (type == XMLElement::TYPE_NONE || type == XMLElement::TYPE_TEXT)
            return Store(element, state, character);
        return Step::Continue;
    }
    if (state.mInQuotes)
        return Store(element, state, character);
    if (character == '<') {
        if (type == XMLElement::TYPE_TEXT)
            return PushBack(u"<") ? Step::Finish : Step::Failed;
        if (type == XMLElement::TYPE_NONE) {
            type = XMLElement::TYPE_START;
            return Step::Continue;
        }
        Fail("Unexpected '<'");
        return Step::Failed;
    }
    if (character == '>') {
        if (type == XMLElement::TYPE_START)
            return EndStartTag(element, state);
        if (type == XMLElement::TYPE_END)
            return EndEndTag(element);
        Fail("Unexpected '>'");
        return Step::Failed;
    }
    if (type == XMLElement::TYPE_START && element->mValue.empty()) {
        if (character == '/') {
            type = XMLElement::TYPE_END;
            return Step::Continue;
        }
        if (character == '?') {
            type = XMLElement::TYPE_INSTRUCTION;
            return Step::Continue;
        }
    }
    if (IsWhiteSpace(character)) {
        if (!element->mValue.empty())
            state.mSawSpace = true;
        if (type == XMLElement::TYPE_START && element->mValue == "!--")
            type = XMLElement::TYPE_COMMENT;
        return Step::Continue;
    }
    if (character <= 32) {
        Fail("Illegal Character");
        return Step::Failed;
    }
    return Store(element, state, character);
}

XMLParser::Step XMLParser::Store(XMLElement* element, ElementState& state, const char16_t character)
{
    int32_t& type = element->mType;
    if (type == XMLElement::TYPE_NONE)
        type = XMLElement::TYPE_TEXT;
    if (type == XMLElement::TYPE_TEXT || type == XMLElement::TYPE_END) {
        // A run of white space between stored characters becomes one space.
        if (state.mSawSpace) {
            element->mValue += ' ';
            state.mSawSpace = false;
        }
        element->mValue += LowByte(character);
        return Step::Continue;
    }

    // A start tag: its name, then, after white space, its attributes.
    if (!state.mInAttributes) {
        if (!state.mSawSpace) {
            element->mValue += LowByte(character);
            return Step::Continue;
        }
        state.mInAttributes = true;
        state.mSawSpace = false;
        state.mSawEquals = false;
    }
    if (state.mSawSpace) {
        // White space ends the pending attribute unless it only separates the name from its
        // '=' or the '=' from its value.
        const bool finishes = state.mSawEquals ? !state.mAttributeValue.empty() || state.mQuoteClosed
                                               : character != '=';
        if (finishes)
            FinishAttribute(element, state);
        state.mSawSpace = false;
    }
    if (character == '=') {
        state.mSawEquals = true;
        state.mQuoteClosed = false;
    } else if (state.mSawEquals) {
        state.mAttributeValue += static_cast<wchar_t>(character);
    } else {
        state.mAttributeName += static_cast<wchar_t>(character);
    }
    return Step::Continue;
}

std::string XMLParser::FinishAttribute(XMLElement* element, ElementState& state)
{
    std::string name = WStringToAppString(DecodeXMLEntitiesW(state.mAttributeName));
    const std::string value = WStringToAppString(DecodeXMLEntitiesW(state.mAttributeValue));
    state.mAttributeLength += name.size() + value.size();
    AddAttribute(element, name, value);
    state.mAttributeName.clear();
    state.mAttributeValue.clear();
    state.mSawEquals = false;
    return name;
}

XMLParser::Step XMLParser::EndStartTag(XMLElement* element, ElementState& state)
{
    std::string& name = element->mValue;
    bool selfClosing = state.mAttributeName == L"/";
    if (!selfClosing) {
        if (!state.mAttributeName.empty()) {
            // A last attribute value ending in '/' is read as the tag's self-closing mark.
            const std::string attributeName = FinishAttribute(element, state);
            const std::string value = element->mAttributes.at(attributeName);
            if (!value.empty() && value.back() == '/') {
                AddAttribute(element, attributeName, DecodeXMLEntities(value.substr(0, value.size() - 1)));
                selfClosing = true;
            }
        } else if (!name.empty() && name.back() == '/') {
            name.pop_back();
            selfClosing = true;
        }
    }

    // Both the number of open tags and the length of their path are bounded, so that a file
    // of endlessly opened tags cannot make the path (copied into every element) grow unbounded.
    const auto slashes = static_cast<size_t>(std::count(mSection.begin(), mSection.end(), '/'));
    const size_t depth = mSection.empty() ? 1 : slashes + 2;
    if (depth > kMaxNestingDepth || mSection.size() + 1 + name.size() > kMaxElementLength) {
        Fail("Nesting Too Deep");
        return Step::Failed;
    }
    if (selfClosing) {
        std::u16string endTag = u"</";
        for (const char byte : name)
            endTag += static_cast<char16_t>(static_cast<unsigned char>(byte));
        endTag += u'>';
        if (!PushBack(endTag))
            return Step::Failed;
        state.mAttributeName.clear();
    }
    if (!mSection.empty())
        mSection += '/';
    mSection += name;
    return Step::Finish;
}

XMLParser::Step XMLParser::EndEndTag(XMLElement* element)
{
    const size_t slash = mSection.rfind('/');
    if (slash == std::string::npos && mSection.empty()) {
        Fail("Unexpected End");
        return Step::Failed;
    }
    const std::string openName = slash == std::string::npos ? mSection : mSection.substr(slash + 1);
    if (openName != element->mValue) {
        Fail("End '" + element->mValue + "' Doesn't Match Start '" + openName + "'");
        return Step::Failed;
    }
    mSection.resize(slash == std::string::npos ? 0 : slash);
    return Step::Finish;
}

} // namespace Zest
