#include "framework/graphics/DescParser.h"

#include "framework/app/common/StringHelpers.h"
#include "framework/resources/PakFile.h"

#include <cstdio>
#include <memory>

namespace Zest {
namespace {

// Lists come from content files, and each nesting level is one level of recursion here and
// in every walk over the tree; deeper nesting is refused instead of exhausting the stack.
constexpr int32_t kMaxListDepth = 64;

constexpr int32_t kSeparateOnSemicolon = 1;

bool IsSeparator(const char character)
{
    return character == ' ' || character == '\t' || character == '\n' || character == ',';
}

bool IsQuote(const char character) { return character == '\'' || character == '"'; }

} // namespace

DataElement* SingleDataElement::Duplicate() const { return new SingleDataElement(*this); }

ListDataElement::ListDataElement() { mIsList = true; }

ListDataElement::ListDataElement(const ListDataElement& other) : DataElement(other)
{
    mElements.reserve(other.mElements.size());
    for (const DataElement* const element : other.mElements) {
        mElements.push_back(element->Duplicate());
    }
}

ListDataElement& ListDataElement::operator=(const ListDataElement& other)
{
    if (this != &other) {
        // Copy first, so that assigning a list one of its own sublists reads it intact.
        ListDataElement copy(other);
        Clear();
        mElements.swap(copy.mElements);
    }
    return *this;
}

ListDataElement::~ListDataElement() { Clear(); }

DataElement* ListDataElement::Duplicate() const { return new ListDataElement(*this); }

void ListDataElement::Clear()
{
    for (const DataElement* const element : mElements) {
        delete element;
    }
    mElements.clear();
}

// The reader's flags for the command being read, and the line count of the file.
struct DescParser::ReadState {
    int32_t mLine = 0;
    bool mAtLineStart = true;
    bool mInComment = false;
    bool mInSingleQuotes = false;
    bool mInDoubleQuotes = false;
    // A backslash inside quotes is held back until the next character shows what it escapes.
    bool mBackslashPending = false;
};

bool DescParser::Error(const std::string& message)
{
    mLastError = message;
    return false;
}

DataElement* DescParser::FindDefine(const std::string& name) const
{
    const auto found = mDefines.find(StringToUpper(name));
    return found == mDefines.end() ? nullptr : found->second;
}

bool DescParser::LoadDescriptor(const std::string& fileName)
{
    mCommandStartLine = 0;
    mLastError.clear();
    PakFileHandle* const file = PakFOpen(fileName.c_str(), "r");
    if (file == nullptr) {
        return false;
    }
    ReadState state;
    bool succeeded = true;
    for (;;) {
        const int character = PakFGetC(file);
        const bool atEnd = character == EOF;
        if (atEnd || ReadCharacter(character, &state)) {
            if (!mCommandText.empty() && !ParseDescriptorLine(mCommandText)) {
                succeeded = false;
                break;
            }
            mCommandText.clear();
            if (atEnd) {
                break;
            }
            state = ReadState{state.mLine};
        }
    }
    mCommandText.clear();
    mCommandStartLine = 0;
    PakFClose(file);
    return succeeded;
}

bool DescParser::ReadCharacter(const int character, ReadState* const state)
{
    if (character == '\r') {
        return false;
    }
    if (character == '\n') {
        ++state->mLine;
    }
    if (state->mAtLineStart) {
        if (character == ' ' || character == '\t' || character == '\n') {
            return false;
        }
        state->mAtLineStart = false;
        state->mInComment = character == '#';
    }
    if (state->mInComment) {
        if (character == '\n') {
            state->mInComment = false;
            state->mAtLineStart = true;
        }
        return false;
    }

    const bool quoted = state->mInSingleQuotes || state->mInDoubleQuotes;
    if (character == '\\' && quoted) {
        if (state->mBackslashPending) {
            AppendCommandText("\\\\", *state);
        }
        state->mBackslashPending = !state->mBackslashPending;
        return false;
    }
    // An escaped quote is written but does not open or close quoting.
    if (character == '\'' && !state->mInDoubleQuotes) {
        if (!state->mBackslashPending) {
            state->mInSingleQuotes = !state->mInSingleQuotes;
        }
    } else if (character == '"' && !state->mInSingleQuotes) {
        if (!state->mBackslashPending) {
            state->mInDoubleQuotes = !state->mInDoubleQuotes;
        }
    } else if (character == ';' && !quoted && (mSeparatorFlags & kSeparateOnSemicolon) != 0) {
        return true;
    }

    std::string text = state->mBackslashPending ? "\\" : "";
    text += static_cast<char>(character);
    state->mBackslashPending = false;
    AppendCommandText(text, *state);
    if (character == '\n') {
        state->mAtLineStart = true;
    }
    return false;
}

void DescParser::AppendCommandText(const std::string& text, const ReadState& state)
{
    if (mCommandText.empty()) {
        mCommandStartLine = state.mLine + 1;
    }
    mCommandText += text;
}

bool DescParser::ParseDescriptorLine(const std::string& commandText)
{
    ListDataElement command;
    size_t position = 0;
    if (!ParseToList(commandText, &command, false, &position)) {
        return false;
    }
    if (command.mElements.empty()) {
        return true;
    }
    if (command.mElements.front()->mIsList) {
        return Error("Missing Command");
    }
    return HandleCommand(command);
}

bool DescParser::ParseToList(const std::string& text, ListDataElement* const out, const bool expectListEnd,
                             size_t* const position)
{
    return ParseListLevel(text, out, expectListEnd, position, 0);
}

bool DescParser::ParseListLevel(const std::string& text, ListDataElement* const out, const bool expectListEnd,
                                size_t* const position, const int32_t depth)
{
    SingleDataElement* word = nullptr;
    bool inSingleQuotes = false;
    bool inDoubleQuotes = false;
    while (*position < text.size()) {
        char character = text[(*position)++];
        if (character == '\\') {
            // A backslash that ends the text has nothing to escape and is dropped.
            if (*position == text.size()) {
                break;
            }
            character = text[(*position)++];
        } else if (character == '\'' && !inDoubleQuotes) {
            inSingleQuotes = !inSingleQuotes;
        } else if (character == '"' && !inSingleQuotes) {
            inDoubleQuotes = !inDoubleQuotes;
        } else if (!inSingleQuotes && !inDoubleQuotes) {
            if (IsSeparator(character)) {
                word = nullptr;
                continue;
            }
            if (character == '(') {
                if (word != nullptr) {
                    return Error("Unexpected List Start");
                }
                if (depth == kMaxListDepth) {
                    return Error("Unterminated List");
                }
                auto list = std::make_unique<ListDataElement>();
                if (!ParseListLevel(text, list.get(), true, position, depth + 1)) {
                    return false;
                }
                out->mElements.push_back(list.release());
                continue;
            }
            if (character == ')') {
                return expectListEnd ? true : Error("Unexpected List End");
            }
        }
        if (word == nullptr) {
            word = new SingleDataElement;
            out->mElements.push_back(word);
        }
        word->mText += character;
    }
    if (inSingleQuotes) {
        return Error("Unterminated Single Quotes");
    }
    if (inDoubleQuotes) {
        return Error("Unterminated Double Quotes");
    }
    if (expectListEnd) {
        return Error("Unterminated List");
    }
    return true;
}

bool DescParser::IsLiteral(const std::string& word)
{
    if (word.empty()) {
        return false;
    }
    const char first = word.front();
    return (first >= '0' && first <= '9') || first == '-' || first == '+' || IsQuote(first);
}

std::string DescParser::Unquote(const std::string& word)
{
    if (word.empty() || !IsQuote(word.front())) {
        return word;
    }
    const char quote = word.front();
    std::string result;
    for (size_t i = 1; i < word.size(); ++i) {
        if (word[i] != quote || word[i - 1] == quote) {
            result += word[i];
        }
    }
    return result;
}

std::string DescParser::DataElementToString(const DataElement& element)
{
    if (!element.mIsList) {
        return static_cast<const SingleDataElement&>(element).mText;
    }
    const auto& list = static_cast<const ListDataElement&>(element);
    std::string result = "(";
    for (size_t i = 0; i < list.mElements.size(); ++i) {
        if (i > 0) {
            result += ", ";
        }
        result += DataElementToString(*list.mElements[i]);
    }
    return result + ")";
}

bool DescParser::GetValues(const ListDataElement& source, ListDataElement* const out)
{
    out->Clear();
    for (const DataElement* const element : source.mElements) {
        if (element->mIsList) {
            auto list = std::make_unique<ListDataElement>();
            if (!GetValues(static_cast<const ListDataElement&>(*element), list.get())) {
                return false;
            }
            out->mElements.push_back(list.release());
            continue;
        }
        const std::string& word = static_cast<const SingleDataElement*>(element)->mText;
        if (word.empty()) {
            continue;
        }
        if (IsQuote(word.front())) {
            out->mElements.push_back(new SingleDataElement(Unquote(word)));
        } else if (IsLiteral(word)) {
            out->mElements.push_back(new SingleDataElement(word));
        } else if (const DataElement* const define = FindDefine(word)) {
            out->mElements.push_back(define->Duplicate());
        } else {
            return DereferenceError(word);
        }
    }
    return true;
}

bool DescParser::DataToString(const DataElement& element, std::string* const out)
{
    out->clear();
    if (element.mIsList) {
        return false;
    }
    const std::string& word = static_cast<const SingleDataElement&>(element).mText;
    if (const DataElement* const define = FindDefine(word)) {
        if (define->mIsList) {
            return false;
        }
        *out = Unquote(static_cast<const SingleDataElement*>(define)->mText);
    } else {
        *out = Unquote(word);
    }
    return true;
}

bool DescParser::DataToStringVector(const DataElement& element, std::vector<std::string>* const out)
{
    out->clear();
    ListDataElement expanded;
    const ListDataElement* values = &expanded;
    if (element.mIsList) {
        if (!GetValues(static_cast<const ListDataElement&>(element), &expanded)) {
            return false;
        }
    } else {
        const std::string& word = static_cast<const SingleDataElement&>(element).mText;
        const DataElement* const define = FindDefine(word);
        if (define == nullptr) {
            return DereferenceError(word);
        }
        if (!define->mIsList) {
            return false;
        }
        values = static_cast<const ListDataElement*>(define);
    }
    for (const DataElement* const value : values->mElements) {
        if (value->mIsList) {
            out->clear();
            return false;
        }
        out->push_back(static_cast<const SingleDataElement*>(value)->mText);
    }
    return true;
}

bool DescParser::DataToIntVector(const DataElement& element, std::vector<int32_t>* const out)
{
    out->clear();
    std::vector<std::string> texts;
    if (!DataToStringVector(element, &texts)) {
        return false;
    }
    for (const std::string& text : texts) {
        int32_t value = 0;
        if (!StringToInt(text, &value)) {
            return false;
        }
        out->push_back(value);
    }
    return true;
}

bool DescParser::DataToDoubleVector(const DataElement& element, std::vector<double>* const out)
{
    out->clear();
    std::vector<std::string> texts;
    if (!DataToStringVector(element, &texts)) {
        return false;
    }
    for (const std::string& text : texts) {
        double value = 0.0;
        if (!StringToDouble(text, &value)) {
            return false;
        }
        out->push_back(value);
    }
    return true;
}

bool DescParser::DataToList(const DataElement& element, ListDataElement* const out)
{
    if (element.mIsList) {
        return GetValues(static_cast<const ListDataElement&>(element), out);
    }
    const DataElement* const define = FindDefine(static_cast<const SingleDataElement&>(element).mText);
    if (define == nullptr || !define->mIsList) {
        return false;
    }
    *out = static_cast<const ListDataElement&>(*define);
    return true;
}

bool DescParser::DereferenceError(const std::string& word)
{
    return Error("Unable to Dereference \"" + word + "\"");
}

} // namespace Zest
