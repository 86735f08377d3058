#include "framework/app/common/PathHelpers.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace Zest;

struct FullPathCase {
    const char* relative;
    const char* base;
    const char* expected;
};

void ExpectFullPaths(const FullPathCase* begin, const FullPathCase* end)
{
    for (const FullPathCase* c = begin; c != end; ++c) {
        EXPECT_EQ(GetFullPath(c->relative, c->base), c->expected)
            << "relative: \"" << c->relative << "\" base: \"" << c->base << '"';
    }
}

TEST(GetFullPath, ResolvesAgainstDriveBases)
{
    const FullPathCase cases[] = {
        {"..\\data\\a.png", "C:\\game\\fonts\\", "C:\\game\\data\\a.png"},
        {"..\\data\\a.png", "C:\\game\\fonts", "C:\\game\\data\\a.png"},
        {"a/b.png", "C:/x", "C:/x/a/b.png"},
        {"\\top\\f", "C:\\game\\", "C:\\top\\f"},
        {"..\\..\\..\\f", "C:\\game\\", "C:\\f"},
        {"D:\\y", "C:\\game\\", "D:\\y"},
        {"D:/y", "C:\\game\\", "D:/y"},
    };
    ExpectFullPaths(std::begin(cases), std::end(cases));
}

TEST(GetFullPath, ResolvesAgainstLinuxBases)
{
    const FullPathCase cases[] = {
        {"../data/a.png", "/home/p/game/fonts/", "/home/p/game/data/a.png"},
        {"../../a.png", "/home/p/game/fonts/", "/home/p/a.png"},
        {"./a.png", "/g", "/g/a.png"},
        {"./././a.png", "/g/", "/g/a.png"},
        {"a.png", "/g", "/g/a.png"},
        {"/etc/x", "/g/", "/etc/x"},
        {"../a", "/", "/a"},
        {"../../../a", "/g/", "/a"},
    };
    ExpectFullPaths(std::begin(cases), std::end(cases));
}

TEST(GetFullPath, LeadingParentsBeyondARelativeBaseStay)
{
    const FullPathCase cases[] = {
        {"../../a.png", "fonts/", "../a.png"},
        {"../a.png", "fonts/", "a.png"},
        {"../a.png", "x/fonts/", "x/a.png"},
        {"../a.png", "../", "../../a.png"},
    };
    ExpectFullPaths(std::begin(cases), std::end(cases));
}

TEST(GetFullPath, OnlyComponentsBeforeTheFirstNameAreResolved)
{
    const FullPathCase cases[] = {
        {"a/../b", "/g/", "/g/a/../b"},
        {"../a/./b/../c", "/g/h/", "/g/a/./b/../c"},
    };
    ExpectFullPaths(std::begin(cases), std::end(cases));
}

TEST(GetFullPath, UnifiesSeparatorsToBackslashWhenEitherPathHasOne)
{
    const FullPathCase cases[] = {
        {"a/b", "C:\\g", "C:\\g\\a\\b"},
        {"a\\b", "/g/", "\\g\\a\\b"},
        {"a/b/c", "/g/h/", "/g/h/a/b/c"},
        {"../a/b", "C:/g\\h", "C:\\g\\a\\b"},
    };
    ExpectFullPaths(std::begin(cases), std::end(cases));
}

TEST(GetFullPath, EmptyBaseGivesTheRelativePath)
{
    const FullPathCase cases[] = {
        {"a/b.png", "", "a/b.png"},
        {"..\\a.png", "", "..\\a.png"},
        {"", "", ""},
    };
    ExpectFullPaths(std::begin(cases), std::end(cases));
}

struct PathCase {
    const char* path;
    const char* expected;
};

TEST(GetFileName, GivesLastComponentWithoutExtension)
{
    const PathCase cases[] = {
        {"images\\title.png", "title"}, {"v1.2/readme", "readme"}, {"a.txt", "a"},
        {"dir/name.ext", "name"},       {"noext", "noext"},         {"a\\b/c.d.e", "c.d"},
        {"a/b\\c", "c"},                {"dir/", ""},               {"", ""},
    };
    for (const PathCase& c : cases)
        EXPECT_EQ(GetFileName(c.path), c.expected) << "path: \"" << c.path << '"';
}

TEST(GetFileDir, GivesEverythingBeforeTheLastSeparator)
{
    const PathCase cases[] = {
        {"a/b\\c.txt", "a/b"}, {"a\\b/c.txt", "a\\b"}, {"file", ""}, {"/x", ""}, {"dir/", "dir"}, {"", ""},
    };
    for (const PathCase& c : cases)
        EXPECT_EQ(GetFileDir(c.path), c.expected) << "path: \"" << c.path << '"';
}

TEST(TrailingSlash, AddAppendsBackslashUnlessASeparatorEndsThePath)
{
    const PathCase cases[] = {
        {"", ""}, {"a/", "a/"}, {"a\\", "a\\"}, {"a", "a\\"}, {"/home/x", "/home/x\\"},
    };
    for (const PathCase& c : cases)
        EXPECT_EQ(AddTrailingSlash(c.path), c.expected) << "path: \"" << c.path << '"';
}

TEST(TrailingSlash, RemoveTakesOffExactlyOneSeparator)
{
    const PathCase cases[] = {
        {"a\\", "a"}, {"a/", "a"}, {"a", "a"}, {"", ""}, {"a//", "a/"}, {"a\\/", "a\\"},
    };
    for (const PathCase& c : cases)
        EXPECT_EQ(RemoveTrailingSlash(c.path), c.expected) << "path: \"" << c.path << '"';
}

} // namespace
