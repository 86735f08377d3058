#pragma once
// Kernel handles and the calling thread's last error.

#include "platform/win32/Types.h"

namespace Win32 {

// Every kernel handle (file, mapping, mutex, thread, find search) points to one of these;
// CloseHandle deletes it.
class KernelObject {
public:
    virtual ~KernelObject() = default;
};

HANDLE ToHandle(KernelObject* object);
// The object behind a handle, or null for null, INVALID_HANDLE_VALUE and pseudo handles.
KernelObject* FromHandle(HANDLE handle);

BOOL CloseHandle(HANDLE handle);

// The error code of the calling thread's last failed call.
DWORD GetLastError();
void SetLastError(DWORD error);

} // namespace Win32
