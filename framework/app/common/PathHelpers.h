#pragma once
// Path text helpers. Both '\' and '/' count as separators; helpers that add a separator
// add '\' (every path reaches the operating system through Win32::ToNativePath).

#include <string>

namespace Zest {

// The absolute form of a relative path against a base folder: leading ".." and "."
// components are resolved against the base, and the separators are unified ('\' when
// either path holds one, else '/'). A path with a drive ("D:...") comes back unchanged.
std::string GetFullPath(const std::string& relativePath, const std::string& baseFolder);

// The last component without its extension: "images\title.png" gives "title".
std::string GetFileName(const std::string& path);
// Everything before the last separator, or the empty string when there is none.
std::string GetFileDir(const std::string& path);

// Without one trailing separator.
std::string RemoveTrailingSlash(const std::string& path);
// With a trailing separator ('\' unless one is there); the empty path stays empty.
std::string AddTrailingSlash(const std::string& path);

} // namespace Zest
