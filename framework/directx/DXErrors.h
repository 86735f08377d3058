#pragma once
// The names of DirectX result values, as the display back end writes them into its error
// texts ("step: name").

#include "platform/win32/Com.h"

#include <string>

namespace Zest {

// The symbolic name of a DirectX result; a value without one is written in lower-case
// hexadecimal ("%x").
std::string GetDXErrorString(Win32::HRESULT value);

} // namespace Zest
