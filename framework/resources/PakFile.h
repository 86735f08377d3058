#pragma once
// The stdio-like calls through which every reader of content files opens and reads them.
// When the process has published its PakInterface they go to it, so that a name held by
// an archive is read from the archive and any other name from disk; without one they go
// straight to the operating system's files.

#include "framework/resources/PakInterface.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace Zest {

// The process's published archive file system, or null.
PakInterface* GetPakInterface();
// Publishes `pak` unless one is published already; true when this call published it.
// Publishing also installs ReadWholeFile as the platform's content-file reader, so that
// the stand-ins the program loads by name (the music libraries) read archived files too.
bool PublishPakInterface(PakInterface* pak);

PakFileHandle* PakFOpen(const char* fileName, const char* mode);
int PakFClose(PakFileHandle* file);
// origin: 0 from the start, 1 from the current position, 2 from the end.
int PakFSeek(PakFileHandle* file, int32_t offset, int origin);
int32_t PakFTell(PakFileHandle* file);
// Returns the number of whole elements read.
size_t PakFRead(void* buffer, int elementSize, int count, PakFileHandle* file);
int PakFGetC(PakFileHandle* file);
int PakUnGetC(int character, PakFileHandle* file);
int PakFEof(PakFileHandle* file);

// The whole file through the calls above: true with exactly its bytes (none for an empty
// file; what an empty file means is the caller's to decide); false, with *bytes untouched,
// when it cannot be opened or read.
bool ReadWholeFile(const char* fileName, std::vector<uint8_t>* bytes);

// Opens an operating-system file: the path is translated to the native form and, for
// reading, a path that does not exist as spelled is looked up again ignoring case.
FILE* OpenSystemFile(const char* fileName, const char* mode);

} // namespace Zest
