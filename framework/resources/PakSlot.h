#pragma once
// The one place per process where the archive file system is published. It lives in a
// shared library, so that the program and every module it loads by name see one slot.

#include <atomic>

namespace Zest {

std::atomic<void*>& PublishedPakSlot();

} // namespace Zest
