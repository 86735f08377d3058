#include "tools/content/Palette.h"

namespace Content {

const HabitatPalette& PaletteOf(const HabitatLook habitat)
{
    // Rain forest greens, canyon reds, the blue-green of the northern forest, arctic ice.
    static const HabitatPalette kPalettes[] = {
        {Rgba::Hex(0x0F3D22), Rgba::Hex(0x2E8B4E), Rgba::Hex(0x9ED98A), Rgba::Hex(0x7CC7A0), Rgba::Hex(0xFFD54A)},
        {Rgba::Hex(0x5A2412), Rgba::Hex(0xC4622D), Rgba::Hex(0xF2B880), Rgba::Hex(0x7EC3EA), Rgba::Hex(0xFFE08A)},
        {Rgba::Hex(0x173B45), Rgba::Hex(0x2F7F80), Rgba::Hex(0xA8DCD0), Rgba::Hex(0x9CC7E8), Rgba::Hex(0xF3A8C0)},
        {Rgba::Hex(0x1B3F66), Rgba::Hex(0x4A90C8), Rgba::Hex(0xDDF1FB), Rgba::Hex(0xB8DDF5), Rgba::Hex(0xFFFFFF)},
    };
    return kPalettes[static_cast<int>(habitat)];
}

} // namespace Content
