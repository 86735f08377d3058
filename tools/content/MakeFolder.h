#pragma once
// Making the folders that the content programs write into.

#include <cstdio>
#include <filesystem>
#include <system_error>

namespace Content {

// Makes the folder and those above it that are missing; false, with a message naming the
// program, when it cannot. It never throws, so workers may call it.
inline bool MakeFolder(const std::filesystem::path& folder, const char* const program)
{
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error) {
        std::fprintf(stderr, "%s: cannot make the folder '%s': %s\n", program, folder.string().c_str(),
                     error.message().c_str());
        return false;
    }
    return true;
}

} // namespace Content
