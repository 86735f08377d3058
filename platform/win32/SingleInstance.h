#pragma once
// The named mutex that keeps one copy of the program per user session, and the channel a
// later copy uses to wake the running one.
//
// A named mutex is a lock file in the user's runtime folder, held with flock by the first
// copy, which also listens on a local socket beside it. A later copy gets a valid handle
// with ERROR_ALREADY_EXISTS and can then send window messages to the running copy, which
// collects them with TakeBroadcastsFromOtherInstances.

#include "platform/win32/Types.h"

#include <string>
#include <vector>

namespace Win32 {

// A null or empty name makes an unnamed mutex private to this process. With a name, the
// last error is ERROR_SUCCESS when this process is the first to hold it and
// ERROR_ALREADY_EXISTS (with a valid handle) when another handle already holds it. Returns
// null when the runtime folder or the lock file cannot be used. The security attributes
// and initialOwner are accepted and ignored.
HANDLE CreateMutexA(void* security, BOOL initialOwner, const char* name);

struct BroadcastMessage {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

// Sends the message to every other process that holds a named mutex this process found
// already existing. Best effort: gives up on a copy that does not answer within a second.
void BroadcastToOtherInstances(UINT message, WPARAM wParam, LPARAM lParam);

// Never blocks: collects the messages other copies have sent to the named mutexes this
// process holds first, in arrival order.
std::vector<BroadcastMessage> TakeBroadcastsFromOtherInstances();

// Makes sure the folder exists as this user's private folder, creating it with mode 0700
// if missing. False when it is not a real folder owned by this user, or when the group or
// others have any access to it.
bool PreparePrivateRuntimeFolder(const std::string& path);

} // namespace Win32
