// Operations whose work is not part of this build of the framework yet: web pages, the
// product version and the developer keys. Each keeps its place in the class and answers as
// "nothing there".

#include "framework/app/ZestAppBase.h"

namespace Zest {

bool ZestAppBase::OpenURL(const std::string& url, bool shutdownAfter) { return false; }

std::string ZestAppBase::GetProductVersion(const std::string& path) { return ""; }

bool ZestAppBase::HandleDebugKey(uint32_t key) { return false; }

} // namespace Zest
