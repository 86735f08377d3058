#pragma once
// The 3D capability test, which decides whether the display may draw through Direct3D.
// Until the renderer exists it finds no 3D support, so 3D stays off.

#include "platform/ddraw/DDraw.h"

#include <cstdint>
#include <string>

namespace Zest {

class D3DTester {
public:
    virtual ~D3DTester() = default;

    // Video memory in megabytes that 3D needs and is recommended with.
    void SetVidMemoryConstraints(int32_t minMegabytes, int32_t recommendedMegabytes);
    bool TestD3D(Win32::HWND window, DDraw::IDirectDraw7* directDraw);

    // Why 3D must not be used; empty when it may.
    std::string mFailureReason;
    // Why 3D should not be switched on by itself; empty when none.
    std::string mWarning;
    int32_t mMinVidMemory = 0;
    int32_t mRecVidMemory = 0;
    // The results come from a test run now, not from stored results.
    bool mResultsNew = false;
};

} // namespace Zest
