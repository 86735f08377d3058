#include "platform/win32/Kernel.h"

namespace Win32 {
namespace {

thread_local DWORD gLastError = ERROR_SUCCESS;

} // namespace

HANDLE ToHandle(KernelObject* object) { return object; }

KernelObject* FromHandle(HANDLE handle)
{
    // Small negative values are pseudo handles (the current thread, the current process),
    // which stand for no object.
    const auto value = reinterpret_cast<intptr_t>(handle);
    if (handle == nullptr || (value < 0 && value >= -16))
        return nullptr;
    return static_cast<KernelObject*>(handle);
}

BOOL CloseHandle(HANDLE handle)
{
    KernelObject* object = FromHandle(handle);
    if (object == nullptr) {
        SetLastError(ERROR_INVALID_HANDLE);
        return 0;
    }
    delete object;
    return 1;
}

DWORD GetLastError() { return gLastError; }

void SetLastError(const DWORD error) { gLastError = error; }

} // namespace Win32
