#pragma once
// Libraries loaded at run time by their Windows names, and their entry points bound by
// name. "Folder\\Name.dll" loads the project's shared library "name.so" from the
// executable's folder or the build's module folder; the system libraries that have no
// Linux counterpart are served from tables in this layer (SystemLibraries.h).

#include "platform/win32/Types.h"

#include <string>

namespace Win32 {

using FARPROC = void (*)();

// Loading a library that is already loaded returns the same module; each LoadLibraryA
// needs its own FreeLibrary, and the last one unloads the library.
HMODULE LoadLibraryA(const char* name);
FARPROC GetProcAddress(HMODULE module, const char* name);
BOOL FreeLibrary(HMODULE module);
// Null stands for the program itself, which has no entry points to bind; no other module
// is known by name here.
HMODULE GetModuleHandleA(const char* name);

// The name a decorated entry point carries in a shared library: "_Name@N" (an identifier
// and a decimal byte count) becomes "Name"; any other name is returned as it is.
std::string PlainEntryPointName(const std::string& name);

} // namespace Win32
