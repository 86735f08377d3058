#include "platform/ddraw/Descriptions.h"

namespace DDraw {
namespace {

// Copies the fields the two descriptions share.
template <typename From, typename To>
void CopyShared(const From& from, To* to)
{
    to->dwFlags = from.dwFlags;
    to->dwHeight = from.dwHeight;
    to->dwWidth = from.dwWidth;
    to->lPitch = from.lPitch;
    to->dwBackBufferCount = from.dwBackBufferCount;
    to->dwRefreshRate = from.dwRefreshRate;
    to->dwAlphaBitDepth = from.dwAlphaBitDepth;
    to->dwReserved = from.dwReserved;
    to->lpSurface = from.lpSurface;
    to->ddckCKDestOverlay = from.ddckCKDestOverlay;
    to->ddckCKDestBlt = from.ddckCKDestBlt;
    to->ddckCKSrcOverlay = from.ddckCKSrcOverlay;
    to->ddckCKSrcBlt = from.ddckCKSrcBlt;
    to->ddpfPixelFormat = from.ddpfPixelFormat;
    to->ddsCaps.dwCaps = from.ddsCaps.dwCaps;
}

} // namespace

DDSURFACEDESC2 ToDescription2(const DDSURFACEDESC& description)
{
    DDSURFACEDESC2 wide{};
    wide.dwSize = sizeof(wide);
    CopyShared(description, &wide);
    return wide;
}

void Deliver(const DDSURFACEDESC2& description, DDSURFACEDESC* out)
{
    const DWORD size = out->dwSize;
    *out = DDSURFACEDESC{};
    out->dwSize = size;
    CopyShared(description, out);
}

void Deliver(const DDSURFACEDESC2& description, DDSURFACEDESC2* out)
{
    const DWORD size = out->dwSize;
    *out = description;
    out->dwSize = size;
}

} // namespace DDraw
