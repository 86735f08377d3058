#pragma once
// A fresh folder for one test (or one benchmark run) under the temporary folder that TMPDIR
// names (/tmp when it names none), removed with everything in it when the object goes; the
// user's XDG folders pointed into such a folder; and reading, writing and listing files there.
//
// Failures throw: a test fails with the message, a benchmark ends with it.

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <system_error>
#include <vector>

namespace Tests {

// The folder that TMPDIR names, or /tmp when it is unset or empty.
inline std::filesystem::path TemporaryRoot()
{
    const char* const root = std::getenv("TMPDIR");
    return root != nullptr && root[0] != '\0' ? std::filesystem::path(root) : std::filesystem::path("/tmp");
}

class TemporaryFolder {
public:
    TemporaryFolder()
    {
        const std::filesystem::path root = TemporaryRoot();
        std::string pattern = (root / "greenatlas-test-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr)
            throw std::runtime_error("cannot make a folder in " + root.string() + ": " + std::strerror(errno));
        mPath = pattern;
    }

    // Tests take write permission away from folders inside; it is given back first, so that
    // nothing stays behind.
    ~TemporaryFolder()
    {
        std::error_code ignored;
        std::error_code error;
        for (std::filesystem::recursive_directory_iterator entry(mPath, error), end; !error && entry != end;
             entry.increment(error)) {
            if (entry->is_directory(ignored) && !entry->is_symlink(ignored))
                std::filesystem::permissions(entry->path(), std::filesystem::perms::owner_all,
                                             std::filesystem::perm_options::add, ignored);
        }
        std::filesystem::remove_all(mPath, ignored);
    }

    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;

    const std::filesystem::path& Path() const { return mPath; }
    // A path inside the folder; it need not exist.
    std::filesystem::path File(const std::string& relative) const { return mPath / relative; }
    // Writes the bytes as a file inside the folder (see WriteBytes) and gives its path.
    std::filesystem::path Write(const std::string& relative, const std::string& bytes) const;

private:
    std::filesystem::path mPath;
};

// Writes the bytes as the whole file, making the folders above it.
inline void WriteBytes(const std::filesystem::path& path, const std::string& bytes)
{
    std::filesystem::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out)
        throw std::runtime_error("cannot write " + path.string());
}

inline std::filesystem::path TemporaryFolder::Write(const std::string& relative, const std::string& bytes) const
{
    const std::filesystem::path path = File(relative);
    WriteBytes(path, bytes);
    return path;
}

// The whole file; empty when it cannot be read.
inline std::string ReadBytes(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Every entry below the folder as a path relative to it, sorted: a test compares them to
// see that nothing was left behind.
inline std::vector<std::string> EntriesBelow(const std::filesystem::path& folder)
{
    std::vector<std::string> entries;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder))
        entries.push_back(std::filesystem::relative(entry.path(), folder).string());
    std::sort(entries.begin(), entries.end());
    return entries;
}

// Makes "data", "config" and "runtime" (private, as a runtime folder must be) inside the
// root and points XDG_DATA_HOME, XDG_CONFIG_HOME and XDG_RUNTIME_DIR at them.
inline void UseUserFoldersIn(const std::filesystem::path& root)
{
    for (const char* const folder : {"data", "config", "runtime"})
        std::filesystem::create_directories(root / folder);
    std::filesystem::permissions(root / "runtime", std::filesystem::perms::owner_all);
    setenv("XDG_DATA_HOME", (root / "data").c_str(), 1);
    setenv("XDG_CONFIG_HOME", (root / "config").c_str(), 1);
    setenv("XDG_RUNTIME_DIR", (root / "runtime").c_str(), 1);
}

} // namespace Tests
