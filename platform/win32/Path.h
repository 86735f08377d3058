#pragma once
// The program writes paths with '\' as the separator. Every path handed to the operating
// system goes through ToNativePath first.

#include <string>

namespace Win32 {

// Turns every '\' into '/'. A path that then begins with '/' is absolute; any other path
// is relative to the working folder.
std::string ToNativePath(const std::string& path);

} // namespace Win32
