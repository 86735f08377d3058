#pragma once
// The game's own string file, read by the game's string table, for tests that check the
// texts the game looks up: every key asked for through Lookup is recorded.

#include "game/HabitatBuilder.h"
#include "game/StringTable.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace Tests {

class GameStringsFile {
public:
    // Reads the file; a failure is reported to the test.
    void Load(const std::string& path)
    {
        std::string message;
        ASSERT_TRUE(mTable.Load(path, &message)) << message;
    }

    // Answers as the string table does, recording the key.
    TextLookup Lookup()
    {
        return [this](const std::string& key) {
            mRequestedKeys.push_back(key);
            return mTable.GetString(key);
        };
    }

    bool Has(const std::string& key) const
    {
        return mTable.GetString(key) != StringTable::kNotFoundPrefix + key;
    }
    std::string Text(const std::string& key) const { return mTable.GetString(key); }

    std::vector<std::string> mRequestedKeys;

private:
    StringTable mTable;
};

} // namespace Tests
