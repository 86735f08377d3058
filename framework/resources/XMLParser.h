#pragma once
// A small pull parser for the program's XML files. Each NextElement call delivers one start
// tag (with its attributes), end tag, text, processing instruction or comment, and the parser
// keeps the path of open start tags so every element knows where it stands. It is lenient:
// no DTD, no CDATA, no single-quoted attributes; entity references are decoded with
// DecodeXMLEntities. Files are read through the pak-aware file calls, and the encoding is
// chosen by the byte-order mark: UTF-8 or UTF-16 with one, Latin-1 without.

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace Zest {

struct PakFileHandle;

struct XMLElement {
    using AttributeMap = std::map<std::string, std::string>;

    static constexpr int32_t TYPE_NONE = 0;
    static constexpr int32_t TYPE_START = 1;
    static constexpr int32_t TYPE_END = 2;
    static constexpr int32_t TYPE_TEXT = 3;
    static constexpr int32_t TYPE_INSTRUCTION = 4;
    static constexpr int32_t TYPE_COMMENT = 5;

    XMLElement() = default;
    // A copy points its attribute order into its own map, never into the original's.
    XMLElement(const XMLElement& other);
    XMLElement& operator=(const XMLElement& other);
    // Moving a std::map hands over its nodes, so the order's iterators stay valid.
    XMLElement(XMLElement&& other) noexcept = default;
    XMLElement& operator=(XMLElement&& other) noexcept = default;
    ~XMLElement() = default;

    int32_t mType = TYPE_NONE;
    // Open start tags joined by "/" when the element began: the parent path for a start tag,
    // the path still ending with the element's own name for an end tag.
    std::string mSection;
    // Tag name, text, instruction target, or "!--" for a comment.
    std::string mValue;
    // Body of a processing instruction or a comment.
    std::string mInstruction;
    AttributeMap mAttributes;
    // One entry per attribute read, in reading order; a repeated name stands once per reading.
    std::vector<AttributeMap::iterator> mAttributeOrder;
};

class XMLParser {
public:
    XMLParser() = default;
    virtual ~XMLParser();
    XMLParser(const XMLParser&) = delete;
    XMLParser& operator=(const XMLParser&) = delete;

    bool OpenFile(const std::string& fileName);
    // False at the end of the input or after an error; HasFailed tells which.
    bool NextElement(XMLElement* element);
    bool HasFailed() const { return mFailed; }
    std::string GetErrorText() const { return mError; }
    int GetCurrentLineNum() const { return mLine; }
    std::string GetFileName() const { return mOpenFileName; }

    // When true, comments are delivered as elements instead of being skipped.
    bool mReturnComments = false;

protected:
    using CharReader = bool (XMLParser::*)(char16_t* character, bool* error);

    void Fail(const std::string& text);
    void Init();
    // Returns whether the name was new; a repeated name takes the latest value.
    bool AddAttribute(XMLElement* element, const std::string& name, const std::string& value);
    // Each reader returns false at the end of the file, and also with *error set when the
    // bytes do not form a character.
    bool GetAsciiChar(char16_t* character, bool* error);
    bool GetUTF8Char(char16_t* character, bool* error);
    bool GetUTF16Char(char16_t* character, bool* error);

    std::string mOpenFileName;
    std::string mError;
    int32_t mLine = 0;
    PakFileHandle* mFile = nullptr;
    bool mFailed = false;
    // Read back from the top before the file is read again.
    std::vector<char16_t> mPushedBack;
    std::string mSection;
    CharReader mReadChar = &XMLParser::GetUTF8Char;
    // When set, OpenFile keeps mReadChar instead of choosing one by the byte-order mark.
    bool mEncodingForced = false;
    bool mAtFirstChar = false;
    // UTF-16 units come big-endian.
    bool mSwapBytes = false;

private:
    struct ElementState;
    enum class Step { Continue, Finish, Failed };

    void CloseFile();
    bool ReadByte(uint8_t* byte);
    bool ReadUnit(char16_t* unit, bool* error);
    bool ReadNextChar(char16_t* character, bool* error);
    bool PushBack(const std::u16string& characters);
    Step HandleChar(XMLElement* element, ElementState& state, char16_t character);
    Step Store(XMLElement* element, ElementState& state, char16_t character);
    Step EndStartTag(XMLElement* element, ElementState& state);
    Step EndEndTag(XMLElement* element);
    std::string FinishAttribute(XMLElement* element, ElementState& state);
};

} // namespace Zest
