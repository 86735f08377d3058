#pragma once
// XTR_ASSERT(condition) states an assumption of the library's code or of its callers that
// only a fault in the code can break. While NDEBUG is undefined a false condition writes
// the condition, the file and the line to stderr and aborts; with NDEBUG it is not
// evaluated.

namespace XtremaPHX2D {

[[noreturn]] void FailAssertion(const char* condition, const char* file, int line);

} // namespace XtremaPHX2D

#ifdef NDEBUG
#define XTR_ASSERT(condition) static_cast<void>(sizeof(!(condition)))
#else
#define XTR_ASSERT(condition) \
    ((condition) ? static_cast<void>(0) : ::XtremaPHX2D::FailAssertion(#condition, __FILE__, __LINE__))
#endif
