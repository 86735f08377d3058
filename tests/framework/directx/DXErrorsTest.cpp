#include "framework/app/common/Ratio.h"
#include "framework/directx/DDInterface.h"
#include "framework/directx/DXErrors.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace {

using Zest::DDInterface;
using Zest::GetDXErrorString;
using Zest::Ratio;

TEST(DXErrorString, NamesKnownResultsAndPrintsOthersInHex)
{
    const struct {
        uint32_t value;
        const char* expected;
    } cases[] = {
        {0x887601C2, "DDERR_SURFACELOST"},
        // Generic COM results answer with the name that stands for them.
        {0x80004005, "DSERR_GENERIC"},
        {0x80070057, "DDERR_INVALIDPARAMS"},
        {0x80004001, "DDERR_UNSUPPORTED"},
        {0x800401F0, "DDERR_NOTINITIALIZED"},
        {0x8007000E, "E_OUTOFMEMORY"},
        {0x88760091, "DDERR_INVALIDPIXELFORMAT"},
        {0x88760800, "D3DERR_INVALIDVERTEXFORMAT"},
        {0x88780096, "DSERR_BUFFERLOST"},
        // Not in the table: lower-case hex without prefix or leading zeros.
        {0, "0"},
        {0x80004003, "80004003"},
        {0x8876FFFF, "8876ffff"},
        {0x1A, "1a"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(GetDXErrorString(static_cast<int32_t>(c.value)), c.expected) << std::hex << c.value;
}

TEST(DXErrorString, ResultCodesOfInitHaveTheirNames)
{
    const struct {
        int code;
        const char* expected;
    } cases[] = {
        {0, "RESULT_OK"},
        {1, "RESULT_FAIL"},
        {2, "RESULT_DD_CREATE_FAIL"},
        {3, "RESULT_SURFACE_FAIL"},
        {4, "RESULT_EXCLUSIVE_FAIL"},
        {5, "RESULT_DISPCHANGE_FAIL"},
        {6, "RESULT_INVALID_COLORDEPTH"},
        // The failed 3D start has no name of its own.
        {7, "RESULT_UNKNOWN"},
        {-1, "RESULT_UNKNOWN"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DDInterface::ResultToString(c.code), c.expected) << c.code;
}

TEST(Ratio, WiderThanComparesAspectRatios)
{
    const struct {
        Ratio a;
        Ratio b;
        bool wider;
    } cases[] = {
        {{16, 10}, {4, 3}, true},
        {{4, 3}, {16, 10}, false},
        {{4, 3}, {4, 3}, false},
        {{1280, 800}, {800, 600}, true},
        {{1024, 768}, {800, 600}, false},
        {{5, 4}, {4, 3}, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.a > c.b, c.wider) << c.a.mNumerator << ':' << c.a.mDenominator << " > " << c.b.mNumerator << ':'
                                      << c.b.mDenominator;
    }
}

} // namespace
