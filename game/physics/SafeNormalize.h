#pragma once
// A direction from a vector that may be zero (a contact normal, a drag): the zero vector
// stays as it is rather than dividing by its length.

#include "platform/physics/XtremaMath.h"

// The unit vector along v; v itself when its length is exactly 0.
XtremaPHX2D::Vec2 SafeNormalize(const XtremaPHX2D::Vec2& v);
