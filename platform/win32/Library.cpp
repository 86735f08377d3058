#include "platform/win32/Library.h"

#include "platform/win32/Kernel.h"
#include "platform/win32/SystemLibraries.h"

#include <dlfcn.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <mutex>
#include <string_view>
#include <vector>

namespace Win32 {
namespace {

struct CloseSharedLibrary {
    void operator()(void* handle) const { dlclose(handle); }
};
using SharedLibrary = std::unique_ptr<void, CloseSharedLibrary>;

} // namespace

// A loaded library: a shared library, a system library served from a table, or neither for
// the program itself.
struct Module {
    SharedLibrary library;
    const SystemLibrary* served = nullptr;
    // LoadLibraryA calls not yet matched by FreeLibrary; guarded by gMutex.
    int loads = 1;
};

namespace {

std::mutex gMutex;
// Shared so that GetProcAddress can look a symbol up outside the lock while another thread
// frees the last load: the library is closed once the lookup lets go of it.
std::vector<std::shared_ptr<Module>> gModules;
Module gProgram;

bool IsIdentifierStart(const char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}

bool IsIdentifierCharacter(const char c) { return IsIdentifierStart(c) || (c >= '0' && c <= '9'); }

bool IsDigit(const char c) { return c >= '0' && c <= '9'; }

// "Folder\\BASS.DLL" -> "bass": the last path component in lower case, without ".dll".
std::string BaseName(std::string_view name)
{
    const size_t separator = name.find_last_of("\\/");
    if (separator != std::string_view::npos)
        name.remove_prefix(separator + 1);
    std::string base(name);
    std::transform(base.begin(), base.end(), base.begin(), [](const char c) {
        return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    });
    constexpr std::string_view extension = ".dll";
    if (base.ends_with(extension))
        base.resize(base.size() - extension.size());
    return base;
}

// The executable's own folder first, so that an installed program finds the libraries
// shipped beside it; then the build's module folder.
std::vector<std::filesystem::path> SearchFolders()
{
    std::vector<std::filesystem::path> folders;
    std::error_code error;
    const std::filesystem::path executable = std::filesystem::read_symlink("/proc/self/exe", error);
    if (!error)
        folders.push_back(executable.parent_path());
    folders.emplace_back(GREENATLAS_MODULE_DIR);
    return folders;
}

SharedLibrary OpenSharedLibrary(const std::string& baseName)
{
    for (const std::filesystem::path& folder : SearchFolders()) {
        const std::filesystem::path file = folder / (baseName + ".so");
        if (void* handle = dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL))
            return SharedLibrary(handle);
    }
    return nullptr;
}

// Requires gMutex.
std::vector<std::shared_ptr<Module>>::iterator FindLoaded(const HMODULE module)
{
    return std::find_if(gModules.begin(), gModules.end(),
        [module](const std::shared_ptr<Module>& loaded) { return loaded.get() == module; });
}

std::shared_ptr<Module> PinLoaded(const HMODULE module)
{
    const std::lock_guard lock(gMutex);
    const auto found = FindLoaded(module);
    return found == gModules.end() ? nullptr : *found;
}

} // namespace

std::string PlainEntryPointName(const std::string& name)
{
    const size_t at = name.find('@');
    if (name.empty() || name.front() != '_' || at == std::string::npos || at < 2 || at + 1 == name.size())
        return name;
    const std::string_view identifier = std::string_view(name).substr(1, at - 1);
    const std::string_view bytes = std::string_view(name).substr(at + 1);
    if (!IsIdentifierStart(identifier.front()) || !std::all_of(identifier.begin(), identifier.end(), IsIdentifierCharacter)
        || !std::all_of(bytes.begin(), bytes.end(), IsDigit))
        return name;
    return std::string(identifier);
}

HMODULE LoadLibraryA(const char* name)
{
    if (name == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    const std::string baseName = BaseName(name);
    // The served names are looked up before any file so that a stray file cannot shadow them.
    const SystemLibrary* const served = FindSystemLibrary(baseName);
    // Declared before the lock: when the library is already loaded, the extra reference
    // dlopen took is dropped after unlocking.
    SharedLibrary library = served == nullptr ? OpenSharedLibrary(baseName) : nullptr;
    if (served == nullptr && library == nullptr) {
        SetLastError(ERROR_MOD_NOT_FOUND);
        return nullptr;
    }

    const std::lock_guard lock(gMutex);
    const auto same = std::find_if(gModules.begin(), gModules.end(), [&](const std::shared_ptr<Module>& loaded) {
        return loaded->served == served && loaded->library == library;
    });
    if (same != gModules.end()) {
        ++(*same)->loads;
        return same->get();
    }
    gModules.push_back(std::make_shared<Module>(Module{std::move(library), served}));
    return gModules.back().get();
}

FARPROC GetProcAddress(const HMODULE module, const char* name)
{
    // Names this small are ordinals, which no library here has; the program itself exports
    // no entry points.
    if (reinterpret_cast<uintptr_t>(name) <= 0xFFFF || module == &gProgram) {
        SetLastError(ERROR_PROC_NOT_FOUND);
        return nullptr;
    }
    const std::shared_ptr<Module> loaded = PinLoaded(module);
    if (loaded == nullptr) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    const std::string plainName = PlainEntryPointName(name);
    const FARPROC address = loaded->served != nullptr
        ? FindSystemEntryPoint(*loaded->served, plainName)
        : reinterpret_cast<FARPROC>(dlsym(loaded->library.get(), plainName.c_str()));
    if (address == nullptr)
        SetLastError(ERROR_PROC_NOT_FOUND);
    return address;
}

BOOL FreeLibrary(const HMODULE module)
{
    if (module == &gProgram)
        return 1;
    // Declared before the lock so that the library is closed after unlocking.
    std::shared_ptr<Module> unloaded;
    const std::lock_guard lock(gMutex);
    const auto found = FindLoaded(module);
    if (found == gModules.end()) {
        SetLastError(ERROR_INVALID_HANDLE);
        return 0;
    }
    if (--(*found)->loads == 0) {
        unloaded = std::move(*found);
        gModules.erase(found);
    }
    return 1;
}

HMODULE GetModuleHandleA(const char* name)
{
    if (name != nullptr) {
        SetLastError(ERROR_MOD_NOT_FOUND);
        return nullptr;
    }
    return &gProgram;
}

} // namespace Win32
