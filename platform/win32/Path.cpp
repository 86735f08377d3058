#include "platform/win32/Path.h"

#include <algorithm>

namespace Win32 {

std::string ToNativePath(const std::string& path)
{
    std::string native = path;
    std::replace(native.begin(), native.end(), '\\', '/');
    return native;
}

} // namespace Win32
