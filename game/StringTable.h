#pragma once
// Every text the game shows, by key, read once at start-up from properties/strings.xml:
// a top-level element Strings holding one element per key, named by the key, with the text
// in its attribute "value". Screens keep keys and look their texts up each time they lay
// them out or draw them. Keys and texts are 8-bit and compared exactly (case matters).

#include <loki/Singleton.h>

#include <map>
#include <string>

class StringTable {
public:
    static constexpr const char* kFileName = "properties/strings.xml";
    // What a lookup of a missing key gives, followed by the key.
    static constexpr const char* kNotFoundPrefix = "error::not found ";

    // Reads the file (through the pak-aware file calls) into the table. A key defined twice
    // keeps its later text; an element without "value" stores an empty text. A parse error
    // ends the reading, keeping the keys read before it. False, with the reason in
    // *message, when the file cannot be opened: the game cannot show a single text then.
    bool Load(const std::string& fileName, std::string* message);

    // The text of the key, or kNotFoundPrefix followed by the key.
    std::string GetString(const std::string& key) const;
    // Replaces any text stored under the key.
    void SetString(const std::string& key, const std::string& text);

private:
    std::map<std::string, std::string> mStrings;
};

// The one table of the process, made empty on first use and destroyed at exit.
using StringTableHolder = Loki::SingletonHolder<StringTable>;

// The text of a key in the process's table.
std::string GetGameString(const std::string& key);
