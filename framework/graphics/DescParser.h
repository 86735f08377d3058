#pragma once
// Descriptor files: a small command language of one command per statement, each a command
// word followed by parameters, where a parameter is a word, a quoted string or a
// parenthesised list that may nest. DescParser reads a file through the pak-aware file
// calls, cuts it into commands, tokenises each into a tree of DataElement values and hands
// it to HandleCommand of a derived class, which gives the words their meaning. Parameters
// may name defines, a table of named values the derived class fills.

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace Zest {

// One parsed value: a word (SingleDataElement) or a list (ListDataElement).
class DataElement {
public:
    virtual ~DataElement() = default;
    // A deep copy owned by the caller.
    virtual DataElement* Duplicate() const = 0;

    bool mIsList = false;

protected:
    DataElement() = default;
    DataElement(const DataElement&) = default;
    DataElement& operator=(const DataElement&) = default;
};

class SingleDataElement : public DataElement {
public:
    SingleDataElement() = default;
    explicit SingleDataElement(const std::string& text) : mText(text) {}
    SingleDataElement(const SingleDataElement&) = default;
    SingleDataElement& operator=(const SingleDataElement&) = default;

    DataElement* Duplicate() const override;

    // The word exactly as written, quote characters included.
    std::string mText;
};

class ListDataElement : public DataElement {
public:
    ListDataElement();
    ListDataElement(const ListDataElement& other);
    ListDataElement& operator=(const ListDataElement& other);
    ~ListDataElement() override;

    DataElement* Duplicate() const override;
    // Deletes the elements and empties the list.
    void Clear();

    // Owned: deleted with the list, duplicated when the list is copied.
    std::vector<DataElement*> mElements;
};

class DescParser {
public:
    DescParser() = default;
    DescParser(const DescParser&) = delete;
    DescParser& operator=(const DescParser&) = delete;

    // Stores the message in mLastError and returns false, so that a failing step can
    // `return Error(...)`. A derived class may also show it.
    virtual bool Error(const std::string& message);
    // The define of the upper-cased name, or null.
    virtual DataElement* FindDefine(const std::string& name) const;
    // Gives a command its meaning: element 0 is the command word, the parameters follow
    // as written (quotes kept, define names not resolved). False stops the file.
    virtual bool HandleCommand(const ListDataElement& command) = 0;
    // Frees the table but not its values, which belong to the derived class.
    virtual ~DescParser() = default;

    // Reads and handles the whole file; false when it cannot be opened or a command fails.
    bool LoadDescriptor(const std::string& fileName);
    // Tokenises one command and hands it to HandleCommand; an empty command is valid.
    bool ParseDescriptorLine(const std::string& commandText);
    // Tokenises text from *position (which it advances) into out. With expectListEnd the
    // text is the inside of a list and a ')' completes it.
    bool ParseToList(const std::string& text, ListDataElement* out, bool expectListEnd, size_t* position);

    // True when the word begins with a digit, '-', '+' or a quote character.
    static bool IsLiteral(const std::string& word);
    // Removes the quoting of a word that begins with a quote character; a doubled quote
    // character stands for one.
    static std::string Unquote(const std::string& word);
    // Written form: a word as it is, a list as "(a, b, (c, d))".
    static std::string DataElementToString(const DataElement& element);

    // Expands source into out: words lose their quotes, literals are copied, other words
    // are replaced by a copy of their define; nested lists are expanded in turn.
    bool GetValues(const ListDataElement& source, ListDataElement* out);
    // A word, or the word held by the define it names, without its quotes.
    bool DataToString(const DataElement& element, std::string* out);
    // A list written in place or the list held by a define, as the texts of its words.
    bool DataToStringVector(const DataElement& element, std::vector<std::string>* out);
    // As DataToStringVector, each text converted; the first that does not convert stops
    // the conversion and the numbers before it stay in out.
    bool DataToIntVector(const DataElement& element, std::vector<int32_t>* out);
    bool DataToDoubleVector(const DataElement& element, std::vector<double>* out);
    // A list written in place, expanded, or a copy of the list a define holds.
    bool DataToList(const DataElement& element, ListDataElement* out);

protected:
    // 1: a ';' outside quotes ends a command.
    int32_t mSeparatorFlags = 1;
    std::string mLastError;
    // 1-based line on which the command being read began; 0 outside LoadDescriptor.
    int32_t mCommandStartLine = 0;
    // The command being read or handled; empty outside LoadDescriptor.
    std::string mCommandText;
    // Upper-case name to value; filled and owned by the derived class.
    std::map<std::string, DataElement*> mDefines;

private:
    struct ReadState;

    // Feeds one character of the file; true when it ends the command.
    bool ReadCharacter(int character, ReadState* state);
    void AppendCommandText(const std::string& text, const ReadState& state);
    bool ParseListLevel(const std::string& text, ListDataElement* out, bool expectListEnd, size_t* position,
                        int32_t depth);
    bool DereferenceError(const std::string& word);
};

} // namespace Zest
