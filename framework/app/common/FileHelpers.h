#pragma once
// Folders and files on disk, the application-data folder, and the questions the program
// asks about the operating system. Paths may use '\' or '/'.

#include <cstdint>
#include <string>

namespace Zest {

// The working folder, or the empty string when it cannot be read.
std::string GetCurrentDir();

// Last-write time in seconds since 1970-01-01 00:00 UTC, or 0 when the path is missing.
int64_t GetFileDate(const std::string& path);

// Creates every folder along the path; folders that exist already are fine.
void CreateDirectories(const std::string& path);

// Replaces the file's contents as one step: the bytes go to a new file beside it, which is
// flushed to the disk and then renamed over the old one. False when anything failed; the
// old file is then left as it was.
bool WriteFileAtomically(const std::string& path, const uint8_t* data, size_t length);

// Deletes the folder with everything below it. A symbolic link is deleted as a file and
// never followed, so nothing outside the folder is touched. False when anything failed
// (the rest is still deleted) or when the path is shorter than two characters.
bool DeleteFilesRecursive(const std::string& folder);

// Grants everybody full access to a file or folder. Files the game writes are already
// readable and writable by the player who runs it, so this succeeds without changes.
bool AllowAllAccess(const std::string& path);

// The folder for the players' data, with a trailing separator; empty until start-up sets
// it, and while it is empty data files live relative to the working folder.
std::string GetAppDataFolder();
void SetAppDataFolder(const std::string& path);

// The program's branches for old Windows versions never apply here.
bool IsWin9x();
bool IsVistaOrLater();

} // namespace Zest
