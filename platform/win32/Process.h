#pragma once
// The running process's own facts: its executable, command line and ids, and ending it.

#include "platform/win32/Types.h"

namespace Win32 {

// Only the executable itself (a null module) is known here; any other module fails with
// ERROR_MOD_NOT_FOUND. The path is in native form, with '/'. Returns the length copied;
// when the buffer is too small, copies size - 1 characters and the NUL, returns size and
// sets ERROR_INSUFFICIENT_BUFFER.
DWORD GetModuleFileNameA(HMODULE module, char* buffer, DWORD size);

// Called once by main with its arguments, before GetCommandLineA is first needed; until
// then the command line is read from the system.
void SetCommandLine(int argc, char** argv);
// The program name, quoted when it holds a blank, then each argument after one blank,
// quoted when it holds a blank or is empty. The text stays valid for the process's life.
const char* GetCommandLineA();

DWORD GetCurrentProcessId();
// A small id, fixed for the life of the calling thread.
DWORD GetCurrentThreadId();

// Flushes the C and C++ standard streams and ends the process at once with the code,
// without running static destructors or exit handlers.
[[noreturn]] void ExitProcess(UINT exitCode);

} // namespace Win32
