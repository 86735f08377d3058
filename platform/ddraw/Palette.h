#pragma once
// A palette of 256 entries, for 8-bit palettised surfaces.

#include "platform/ddraw/Objects.h"

#include <array>

namespace DDraw {

class Palette final : public SingleInterfaceObject<IDirectDrawPalette> {
public:
    static constexpr DWORD kEntries = 256;

    // The entries the palette starts with: kEntries of them.
    explicit Palette(const PALETTEENTRY* entries);

    // The palette behind an interface; null for null and for anything else.
    static Palette* From(IDirectDrawPalette* palette);

    HRESULT GetEntries(DWORD flags, DWORD base, DWORD count, PALETTEENTRY* entries) override;
    HRESULT SetEntries(DWORD flags, DWORD base, DWORD count, const PALETTEENTRY* entries) override;

    const PALETTEENTRY* Entries() const { return mEntries.data(); }

private:
    static bool InRange(DWORD base, DWORD count);

    std::array<PALETTEENTRY, kEntries> mEntries;
};

} // namespace DDraw
