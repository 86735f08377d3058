#pragma once
// Surface descriptions of the two interfaces. The stand-in works on the seventh
// interface's DDSURFACEDESC2; the first interface's DDSURFACEDESC is the same without the
// second caps words and the texture stage.

#include "platform/ddraw/DDraw.h"

namespace DDraw {

DDSURFACEDESC2 ToDescription2(const DDSURFACEDESC& description);
inline const DDSURFACEDESC2& ToDescription2(const DDSURFACEDESC2& description) { return description; }

// Fills the caller's description, keeping the size it wrote into it.
void Deliver(const DDSURFACEDESC2& description, DDSURFACEDESC* out);
void Deliver(const DDSURFACEDESC2& description, DDSURFACEDESC2* out);

} // namespace DDraw
