// Opening a web page in the user's browser, optionally shutting down once it is up, and
// the product version of an executable.

#include "framework/app/ZestAppBase.h"

#include "framework/app/common/URLLauncher.h"
#include "platform/win32/Clock.h"
#include "platform/win32/Library.h"
#include "platform/win32/SystemLibraries.h"

#include <cstring>
#include <vector>

namespace Zest {

namespace {

// "version.dll" for one query, freed however the query ends.
class VersionLibrary {
public:
    VersionLibrary() : mModule(Win32::LoadLibraryA("version.dll")) {}
    ~VersionLibrary()
    {
        if (mModule != nullptr)
            Win32::FreeLibrary(mModule);
    }
    VersionLibrary(const VersionLibrary&) = delete;
    VersionLibrary& operator=(const VersionLibrary&) = delete;

    // The entry point as a pointer of the given function's type; null when missing.
    template <typename Function>
    Function* Find(const char* name, Function*) const
    {
        if (mModule == nullptr)
            return nullptr;
        return reinterpret_cast<Function*>(Win32::GetProcAddress(mModule, name));
    }

private:
    Win32::HMODULE mModule;
};

} // namespace

void ZestAppBase::OnOpenURLFailed(const std::string& url) { mOpeningURL = false; }

void ZestAppBase::OnOpenURLSucceeded(const std::string& url)
{
    mOpeningURL = false;
    if (mShutdownAfterURL)
        Shutdown();
}

bool ZestAppBase::OpenURL(const std::string& url, const bool shutdownAfter)
{
    // Asked again while that page is still being opened: it is under way already.
    if (mOpeningURL && url == mPendingURL)
        return true;
    mShutdownAfterURL = shutdownAfter;
    mOpeningURL = true;
    mPendingURL = url;
    mURLOpenTick = Win32::GetTickCount();
    if (LaunchURL(url))
        return true;
    OnOpenURLFailed(url);
    return false;
}

std::string ZestAppBase::GetProductVersion(const std::string& path)
{
    const VersionLibrary library;
    const auto getSize = library.Find("GetFileVersionInfoSizeA", &Win32::GetFileVersionInfoSizeA);
    const auto getInfo = library.Find("GetFileVersionInfoA", &Win32::GetFileVersionInfoA);
    const auto queryValue = library.Find("VerQueryValueA", &Win32::VerQueryValueA);
    if (getSize == nullptr || getInfo == nullptr || queryValue == nullptr)
        return "";

    Win32::DWORD handle = 0;
    const Win32::DWORD size = getSize(path.c_str(), &handle);
    if (size == 0)
        return "";
    std::vector<char> block(size);
    if (!getInfo(path.c_str(), handle, size, block.data()))
        return "";
    // US English in Unicode, else in the Western code page.
    void* value = nullptr;
    Win32::UINT length = 0;
    if (!queryValue(block.data(), "\\StringFileInfo\\040904B0\\ProductVersion", &value, &length) &&
        !queryValue(block.data(), "\\StringFileInfo\\040904E4\\ProductVersion", &value, &length))
        return "";
    const char* const text = static_cast<const char*>(value);
    return std::string(text, strnlen(text, length));
}

} // namespace Zest
