#include "framework/directx/D3DTester.h"

namespace Zest {

void D3DTester::SetVidMemoryConstraints(const int32_t minMegabytes, const int32_t recommendedMegabytes)
{
    mMinVidMemory = minMegabytes;
    mRecVidMemory = recommendedMegabytes;
}

bool D3DTester::TestD3D(Win32::HWND, DDraw::IDirectDraw7*)
{
    mResultsNew = true;
    mFailureReason = "3D drawing is not available";
    return false;
}

} // namespace Zest
