#pragma once
// Opening web pages in the desktop's browser. Only http and https addresses are handed on,
// and they go to xdg-open as one argument without a shell, so an address can never be read
// as an option, a command or a local file. Tests replace the launcher.

#include <functional>
#include <string>
#include <vector>

namespace Zest {

// "http://" or "https://" (any letter case) followed by a host, in printable ASCII without
// blanks.
bool IsWebURL(const std::string& url);

// Starts the program, looked up on PATH, with these arguments: no shell, default signal
// handling, none of this process's files beyond the standard three. It does not wait; the
// programs it started are reaped by later calls once they have ended. False when the
// program could not be started. Main thread only.
bool StartProgram(const std::string& program, const std::vector<std::string>& arguments);

// Hands an accepted address to the desktop; true when it was taken.
using URLLauncher = std::function<bool(const std::string& url)>;
// An empty launcher restores the default, which starts "xdg-open" with the address.
void SetURLLauncher(URLLauncher launcher);

// False for anything that is not a web address; otherwise the launcher's answer.
bool LaunchURL(const std::string& url);

} // namespace Zest
