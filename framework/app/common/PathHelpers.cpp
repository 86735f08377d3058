#include "framework/app/common/PathHelpers.h"

#include <algorithm>

namespace Zest {
namespace {

constexpr const char* kSeparators = "\\/";

bool IsSeparator(const char c) { return c == '\\' || c == '/'; }

bool HasDrive(const std::string& path) { return path.size() >= 2 && path[1] == ':'; }

// Position of the last separator, choosing the kind whose last occurrence comes later.
size_t LastSeparator(const std::string& path) { return path.find_last_of(kSeparators); }

// Takes the last component off a folder path that ends in a separator: "a\b\" gives
// "a\", "b\" gives "". A root ("\" or "/") is its own parent and stays.
void RemoveLastComponent(std::string& folder)
{
    if (folder.size() == 1)
        return;
    const size_t previous = folder.find_last_of(kSeparators, folder.size() - 2);
    folder.erase(previous == std::string::npos ? 0 : previous + 1);
}

std::string LastComponent(const std::string& folder)
{
    const size_t previous = folder.size() < 2 ? std::string::npos : folder.find_last_of(kSeparators, folder.size() - 2);
    const size_t start = previous == std::string::npos ? 0 : previous + 1;
    return folder.substr(start, folder.size() - 1 - start);
}

} // namespace

std::string GetFullPath(const std::string& relativePath, const std::string& baseFolder)
{
    if (HasDrive(relativePath))
        return relativePath;

    const bool backslashes =
        relativePath.find('\\') != std::string::npos || baseFolder.find('\\') != std::string::npos;
    const char separator = backslashes ? '\\' : '/';

    std::string drive;
    std::string folder = baseFolder;
    if (HasDrive(folder)) {
        drive = folder.substr(0, 2);
        folder.erase(0, 2);
    }
    if (!folder.empty() && !IsSeparator(folder.back()))
        folder.push_back(separator);

    // Only the leading components are resolved; later ".." stay in the result.
    std::string remaining = relativePath;
    while (!folder.empty()) {
        const size_t split = remaining.find_first_of(kSeparators);
        if (split == std::string::npos)
            break;
        const std::string component = remaining.substr(0, split);
        remaining.erase(0, split + 1);
        if (component == "..") {
            if (LastComponent(folder) == "..")
                folder += std::string("..") + separator;
            else
                RemoveLastComponent(folder);
        } else if (component == ".") {
            continue;
        } else if (component.empty()) {
            folder = std::string(1, separator);
            break;
        } else {
            folder += component + separator;
            break;
        }
    }

    std::string result = drive + folder + remaining;
    std::replace(result.begin(), result.end(), backslashes ? '/' : '\\', separator);
    return result;
}

std::string GetFileName(const std::string& path)
{
    const size_t separator = LastSeparator(path);
    const size_t start = separator == std::string::npos ? 0 : separator + 1;
    const size_t dot = path.find_last_of('.');
    if (dot != std::string::npos && (separator == std::string::npos || dot > separator))
        return path.substr(start, dot - start);
    return path.substr(start);
}

std::string GetFileDir(const std::string& path)
{
    const size_t separator = LastSeparator(path);
    return separator == std::string::npos ? std::string() : path.substr(0, separator);
}

std::string RemoveTrailingSlash(const std::string& path)
{
    if (!path.empty() && IsSeparator(path.back()))
        return path.substr(0, path.size() - 1);
    return path;
}

std::string AddTrailingSlash(const std::string& path)
{
    if (path.empty() || IsSeparator(path.back()))
        return path;
    return path + '\\';
}

} // namespace Zest
