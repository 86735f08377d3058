#pragma once
// The colours the content shares: one palette per habitat, so that its tiles, backgrounds
// and labels belong together, and the colours of the game's paper-and-wood interface.

#include "tools/content/Canvas.h"

namespace Content {

enum class HabitatLook { AMAZON, GRAND_CANYON, ALASKA, ARCTIC };

struct HabitatPalette {
    Rgba mDeep;   // darkest ground: tile edges, shadows of the scenery
    Rgba mMain;   // the habitat's colour
    Rgba mLight;  // sunlit ground, tile centres
    Rgba mSky;    // top of the backgrounds
    Rgba mAccent; // flowers, sun, highlights
};

const HabitatPalette& PaletteOf(HabitatLook habitat);

// The shades of a polished metal: its highlight, its body and its deep shadow.
struct MetalShades {
    Rgba mLight;
    Rgba mMid;
    Rgba mDark;
};

namespace Ui {
inline const Rgba kPaper = Rgba::Hex(0xF6EBD2);
inline const Rgba kPaperShade = Rgba::Hex(0xE2CFA6);
inline const Rgba kInk = Rgba::Hex(0x3B2A1A);
inline const Rgba kWood = Rgba::Hex(0x8A5A2B);
inline const Rgba kWoodDark = Rgba::Hex(0x5C3A1A);
inline const Rgba kLeaf = Rgba::Hex(0x4C9A3F);
inline const Rgba kLeafDark = Rgba::Hex(0x2E6B2A);
inline const Rgba kLeafLight = Rgba::Hex(0x8FD16A);
inline const Rgba kGold = Rgba::Hex(0xF2C035);
inline const Rgba kGoldDark = Rgba::Hex(0xB07A12);
inline const Rgba kCream = Rgba::Hex(0xFFF8E6);
} // namespace Ui

} // namespace Content
