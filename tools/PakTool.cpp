// Packs a folder into a pak archive, lists an archive, or prints one archived file.
//
//   pak_tool pack FOLDER ARCHIVE    every file below FOLDER, named relative to it
//   pak_tool list ARCHIVE           name, size and modification time of each file
//   pak_tool print ARCHIVE NAME     the file's bytes on standard output

#include "framework/resources/PakFile.h"
#include "framework/resources/PakInterface.h"
#include "platform/win32/Files.h"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

// Positions inside an archive are signed 32-bit.
constexpr int64_t kMaxArchiveSize = INT32_MAX;
constexpr size_t kMaxNameLength = 255;

struct PackedFile {
    fs::path path;
    // Relative to the packed folder, with single backslashes.
    std::string name;
    int64_t size;
    Win32::FILETIME time;
};

int Fail(const std::string& message)
{
    std::fprintf(stderr, "pak_tool: %s\n", message.c_str());
    return 1;
}

void PutLittleEndian(std::vector<uint8_t>& out, const uint64_t value, const int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

bool CollectFiles(const fs::path& folder, std::vector<PackedFile>& files, std::string& error)
{
    std::error_code code;
    for (fs::recursive_directory_iterator it(folder, code), end; !code && it != end; it.increment(code)) {
        if (!it->is_regular_file(code))
            continue;
        std::string name;
        for (const fs::path& component : fs::relative(it->path(), folder, code)) {
            if (!name.empty())
                name += '\\';
            name += component.string();
        }
        if (name.size() > kMaxNameLength) {
            error = "name longer than 255 bytes: " + name;
            return false;
        }
        struct stat info {};
        if (stat(it->path().c_str(), &info) != 0) {
            error = "cannot read " + it->path().string();
            return false;
        }
        files.push_back({it->path(), name, static_cast<int64_t>(info.st_size),
                         Win32::FileTimeFromUnix(info.st_mtim.tv_sec, info.st_mtim.tv_nsec)});
    }
    if (code) {
        error = "cannot list " + folder.string() + ": " + code.message();
        return false;
    }
    // A fixed order makes the same folder give the same archive.
    std::sort(files.begin(), files.end(), [](const PackedFile& a, const PackedFile& b) { return a.name < b.name; });
    return true;
}

int Pack(const fs::path& folder, const fs::path& archive)
{
    std::vector<PackedFile> files;
    std::string error;
    if (!CollectFiles(folder, files, error))
        return Fail(error);

    std::vector<uint8_t> plain;
    PutLittleEndian(plain, Zest::kPakMagic, 4);
    PutLittleEndian(plain, Zest::kPakVersion, 4);
    for (const PackedFile& file : files) {
        plain.push_back(0);
        plain.push_back(static_cast<uint8_t>(file.name.size()));
        plain.insert(plain.end(), file.name.begin(), file.name.end());
        PutLittleEndian(plain, static_cast<uint64_t>(file.size), 4);
        PutLittleEndian(plain, (static_cast<uint64_t>(file.time.dwHighDateTime) << 32) | file.time.dwLowDateTime, 8);
    }
    plain.push_back(Zest::kPakEndOfDirectory);

    int64_t total = static_cast<int64_t>(plain.size());
    for (const PackedFile& file : files)
        total += file.size;
    if (total > kMaxArchiveSize)
        return Fail("the archive would be 2 GiB or larger");

    for (const PackedFile& file : files) {
        std::ifstream in(file.path, std::ios::binary);
        const size_t before = plain.size();
        plain.insert(plain.end(), std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        if (!in.good() && !in.eof())
            return Fail("cannot read " + file.path.string());
        if (static_cast<int64_t>(plain.size() - before) != file.size)
            return Fail(file.path.string() + " changed while it was packed");
    }
    for (uint8_t& byte : plain)
        byte ^= Zest::kPakXorKey;

    // Written beside the archive and renamed over it, so a failed pack leaves the old one.
    const fs::path temporary = archive.string() + ".tmp";
    FILE* out = std::fopen(temporary.c_str(), "wb");
    if (out == nullptr)
        return Fail("cannot create " + temporary.string() + ": " + std::strerror(errno));
    const bool written = std::fwrite(plain.data(), 1, plain.size(), out) == plain.size();
    const bool closed = std::fclose(out) == 0;
    std::error_code code;
    if (!written || !closed || (fs::rename(temporary, archive, code), code)) {
        fs::remove(temporary, code);
        return Fail("cannot write " + archive.string());
    }
    return 0;
}

bool IsArchiveOwnRecord(const std::string& key, const std::string& archive)
{
    return key == Zest::NormalizePakPath(archive);
}

int List(const std::string& archive)
{
    if (!Zest::gPakInterface->AddPakFile(archive))
        return Fail(archive + " is not a pak archive");
    for (const auto& [key, record] : Zest::gPakInterface->Records()) {
        if (IsArchiveOwnRecord(key, archive))
            continue;
        const uint64_t fileTime =
            (static_cast<uint64_t>(record.mFileTime.dwHighDateTime) << 32) | record.mFileTime.dwLowDateTime;
        const std::time_t unixTime = static_cast<std::time_t>(fileTime / 10000000 - 11644473600ull);
        char when[32] = "";
        std::strftime(when, sizeof(when), "%Y-%m-%d %H:%M:%S", std::gmtime(&unixTime));
        std::printf("%10d  %s  %s\n", record.mSize, when, record.mFileName.c_str());
    }
    return 0;
}

int Print(const std::string& archive, const std::string& name)
{
    if (!Zest::gPakInterface->AddPakFile(archive))
        return Fail(archive + " is not a pak archive");
    const auto found = Zest::gPakInterface->Records().find(Zest::NormalizePakPath(name));
    if (found == Zest::gPakInterface->Records().end() || IsArchiveOwnRecord(found->first, archive))
        return Fail(name + " is not in " + archive);
    Zest::PakFileHandle* file = Zest::PakFOpen(name.c_str(), "rb");
    char buffer[65536];
    size_t count = 0;
    while ((count = Zest::PakFRead(buffer, 1, sizeof(buffer), file)) > 0)
        std::fwrite(buffer, 1, count, stdout);
    Zest::PakFClose(file);
    return std::fflush(stdout) == 0 ? 0 : 1;
}

} // namespace

int main(int argc, char** argv)
{
    const std::string command = argc > 1 ? argv[1] : "";
    if (command == "pack" && argc == 4)
        return Pack(argv[2], argv[3]);
    if (command == "list" && argc == 3)
        return List(argv[2]);
    if (command == "print" && argc == 4)
        return Print(argv[2], argv[3]);
    std::fprintf(stderr, "usage: pak_tool pack FOLDER ARCHIVE | list ARCHIVE | print ARCHIVE NAME\n");
    return 2;
}
