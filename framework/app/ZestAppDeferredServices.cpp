// Operations whose work is not part of this build of the framework yet: the developer
// keys. Each keeps its place in the class and answers as "nothing there".

#include "framework/app/ZestAppBase.h"

namespace Zest {

bool ZestAppBase::HandleDebugKey(uint32_t key) { return false; }

} // namespace Zest
