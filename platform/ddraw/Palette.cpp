#include "platform/ddraw/Palette.h"

#include <algorithm>

namespace DDraw {

Palette::Palette(const PALETTEENTRY* entries)
    : SingleInterfaceObject("IDirectDrawPalette")
{
    std::copy(entries, entries + kEntries, mEntries.begin());
}

Palette* Palette::From(IDirectDrawPalette* palette) { return dynamic_cast<Palette*>(palette); }

bool Palette::InRange(const DWORD base, const DWORD count) { return base < kEntries && count <= kEntries - base; }

HRESULT Palette::GetEntries(const DWORD flags, const DWORD base, const DWORD count, PALETTEENTRY* entries)
{
    return RunMethod(InterfaceName(), "GetEntries", [&] {
        if (flags != 0 || entries == nullptr || !InRange(base, count))
            return DDERR_INVALIDPARAMS;
        std::copy_n(mEntries.begin() + base, count, entries);
        return DD_OK;
    });
}

HRESULT Palette::SetEntries(const DWORD flags, const DWORD base, const DWORD count, const PALETTEENTRY* entries)
{
    return RunMethod(InterfaceName(), "SetEntries", [&] {
        if (flags != 0 || entries == nullptr || !InRange(base, count))
            return DDERR_INVALIDPARAMS;
        std::copy_n(entries, count, mEntries.begin() + base);
        return DD_OK;
    });
}

} // namespace DDraw
