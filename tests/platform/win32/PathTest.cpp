#include "platform/win32/Path.h"

#include <gtest/gtest.h>

namespace {

TEST(ToNativePath, TurnsBackslashesIntoSlashes)
{
    struct Case {
        const char* path;
        const char* native;
    };
    const Case cases[] = {
        {"", ""},
        {"properties\\resources.xml", "properties/resources.xml"},
        {"images/title.png", "images/title.png"},
        {"a\\b/c\\", "a/b/c/"},
        {"\\home\\player\\data", "/home/player/data"},
        {"/home/player\\GAData\\profiles.dat", "/home/player/GAData/profiles.dat"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Win32::ToNativePath(c.path), c.native) << c.path;
}

} // namespace
