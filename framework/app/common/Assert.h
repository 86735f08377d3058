#pragma once
// ZEST_ASSERT(condition) states an assumption of the code: only a fault in the code can break it.
// Never use it for bad input (a file, a setting, a player's action): that gets its error message.
//
// While NDEBUG is undefined (the Debug and sanitizer builds) a false condition writes the
// condition, the file and the line to stderr and aborts. With NDEBUG (Release and
// RelWithDebInfo) the condition is not evaluated, yet what it names still counts as used.

namespace Zest {

[[noreturn]] void FailAssertion(const char* condition, const char* file, int line);

} // namespace Zest

#ifdef NDEBUG
#define ZEST_ASSERT(condition) static_cast<void>(sizeof(!(condition)))
#else
#define ZEST_ASSERT(condition) \
    ((condition) ? static_cast<void>(0) : ::Zest::FailAssertion(#condition, __FILE__, __LINE__))
#endif
