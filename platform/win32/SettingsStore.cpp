#include "platform/win32/SettingsStore.h"

#include "platform/win32/DebugOutput.h"
#include "platform/win32/Path.h"
#include "platform/win32/UniqueFd.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <unordered_set>
#include <utility>

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace Win32::SettingsStore {
namespace {

constexpr char kStoreFolder[] = "win32-registry/HKEY_CURRENT_USER";
// Key folder names never hold an upper-case letter, so these names cannot clash with a subkey.
constexpr char kValuesFile[] = "Values";
constexpr char kTemporaryFile[] = "Values.tmp";
constexpr char kDamagedFile[] = "Values.damaged";

constexpr std::array<BYTE, 8> kMagic = {'W', '3', '2', 'R', 'e', 'g', 'K', 'y'};
constexpr uint32_t kFormatVersion = 1;
constexpr size_t kHeaderSize = kMagic.size() + 4 + 4;
constexpr size_t kRecordHeaderSize = 12;
constexpr size_t kChecksumSize = 4;
// Far above any settings; it bounds what a foreign file can make the reader allocate.
constexpr size_t kMaxFileSize = size_t{64} << 20;

struct DirCloser {
    void operator()(DIR* dir) const { ::closedir(dir); }
};

LONG ErrorFromErrno(const int error, const LONG fallback)
{
    switch (error) {
    case ENOENT:
        return ERROR_FILE_NOT_FOUND;
    case ENOTDIR:
        return ERROR_PATH_NOT_FOUND;
    case EACCES:
    case EPERM:
    case EROFS:
        return ERROR_ACCESS_DENIED;
    case ENOMEM:
        return ERROR_NOT_ENOUGH_MEMORY;
    default:
        return fallback;
    }
}

BYTE FoldCase(const BYTE c)
{
    // ASCII and Latin-1 capitals (0xC0..0xDE except the multiplication sign 0xD7).
    const bool capital = (c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7);
    return capital ? static_cast<BYTE>(c + 0x20) : c;
}

std::string FoldCase(const std::string_view name)
{
    std::string folded(name);
    for (char& c : folded)
        c = static_cast<char>(FoldCase(static_cast<BYTE>(c)));
    return folded;
}

constexpr std::array<uint32_t, 256> MakeCrcTable()
{
    std::array<uint32_t, 256> table{};
    for (uint32_t i = 0; i < 256; ++i) {
        uint32_t crc = i;
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc & 1) != 0 ? 0xEDB88320u ^ (crc >> 1) : crc >> 1;
        table[i] = crc;
    }
    return table;
}

constexpr std::array<uint32_t, 256> kCrcTable = MakeCrcTable();

uint32_t Crc32(const std::span<const BYTE> bytes)
{
    uint32_t crc = 0xFFFFFFFFu;
    for (const BYTE b : bytes)
        crc = kCrcTable[(crc ^ b) & 0xFF] ^ (crc >> 8);
    return ~crc;
}

void Put32(std::vector<BYTE>& out, const uint32_t value)
{
    for (int shift = 0; shift < 32; shift += 8)
        out.push_back(static_cast<BYTE>(value >> shift));
}

uint32_t Get32(const std::span<const BYTE> bytes, const size_t at)
{
    return static_cast<uint32_t>(bytes[at]) | (static_cast<uint32_t>(bytes[at + 1]) << 8) |
           (static_cast<uint32_t>(bytes[at + 2]) << 16) | (static_cast<uint32_t>(bytes[at + 3]) << 24);
}

// $XDG_CONFIG_HOME, or ~/.config when it is unset, empty or relative; empty when neither
// gives an absolute path.
std::string ConfigHome()
{
    const char* const configHome = std::getenv("XDG_CONFIG_HOME");
    if (configHome != nullptr && configHome[0] == '/')
        return configHome;
    const char* const home = std::getenv("HOME");
    if (home != nullptr && home[0] == '/')
        return std::string(home) + "/.config";
    return {};
}

LONG OpenTop(const bool create, Folder* result)
{
    const std::string configHome = ConfigHome();
    if (configHome.empty())
        return ERROR_PATH_NOT_FOUND;
    const std::string path = ToNativePath(configHome + "/" + kStoreFolder);
    int fd = ::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0 && errno == ENOENT && create) {
        // Failures here show when the folder is opened again below.
        for (size_t slash = path.find('/', 1); slash != std::string::npos; slash = path.find('/', slash + 1))
            ::mkdir(path.substr(0, slash).c_str(), 0700);
        ::mkdir(path.c_str(), 0700);
        fd = ::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    }
    if (fd < 0)
        return ErrorFromErrno(errno, ERROR_PATH_NOT_FOUND);
    *result = Folder(fd, path);
    return ERROR_SUCCESS;
}

// The folder names of the keys along a '\'-separated path.
LONG SplitPath(const std::string_view path, std::vector<std::string>* folderNames)
{
    if (path.empty())
        return ERROR_SUCCESS;
    size_t start = 0;
    while (true) {
        const size_t end = std::min(path.find('\\', start), path.size());
        std::string folderName = KeyFolderName(path.substr(start, end - start));
        if (folderName.empty())
            return ERROR_INVALID_PARAMETER;
        folderNames->push_back(std::move(folderName));
        if (end == path.size())
            return ERROR_SUCCESS;
        start = end + 1;
    }
}

LONG Walk(const Folder* parent, const std::span<const std::string> folderNames, const bool create, Folder* result,
          bool* created)
{
    Folder top;
    if (parent == nullptr) {
        const LONG error = OpenTop(create, &top);
        if (error != ERROR_SUCCESS)
            return error;
        parent = &top;
    }
    Folder current;
    if (folderNames.empty()) {
        const int fd = ::openat(parent->Fd(), ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (fd < 0)
            return ErrorFromErrno(errno, ERROR_FILE_NOT_FOUND);
        current = Folder(fd, parent->Path());
    }
    bool madeLast = false;
    for (const std::string& name : folderNames) {
        const Folder& at = current.Fd() >= 0 ? current : *parent;
        madeLast = false;
        if (create) {
            madeLast = ::mkdirat(at.Fd(), name.c_str(), 0700) == 0;
            if (!madeLast && errno != EEXIST)
                return ErrorFromErrno(errno, ERROR_WRITE_FAULT);
        }
        const int fd = ::openat(at.Fd(), name.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (fd < 0)
            return ErrorFromErrno(errno, ERROR_FILE_NOT_FOUND);
        current = Folder(fd, at.Path() + "/" + name);
    }
    *result = std::move(current);
    if (created != nullptr)
        *created = madeLast;
    return ERROR_SUCCESS;
}

// Holds the key's lock while it lives. Every change of a key takes it, so that two
// read-modify-write cycles (other handles, other threads, other processes) never overlap.
LONG LockKey(const Folder& key, Folder* lock)
{
    // A lock taken on a fresh open of the folder also excludes other threads using the same handle.
    const int fd = ::openat(key.Fd(), ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return ErrorFromErrno(errno, ERROR_WRITE_FAULT);
    *lock = Folder(fd, key.Path());
    while (::flock(fd, LOCK_EX) != 0) {
        if (errno != EINTR)
            return ErrorFromErrno(errno, ERROR_WRITE_FAULT);
    }
    return ERROR_SUCCESS;
}

// Reads the key's file. A missing file is a key without values; a file that cannot be a
// "Values" file sets *damaged and gives no values.
LONG LoadValues(const Folder& key, std::vector<Value>* values, bool* damaged)
{
    values->clear();
    *damaged = false;
    // O_NONBLOCK: a foreign fifo in place of the file must not hang the reader.
    UniqueFd file(::openat(key.Fd(), kValuesFile, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    if (file.Get() < 0) {
        if (errno == ENOENT)
            return ERROR_SUCCESS;
        if (errno == ELOOP) {
            *damaged = true;
            return ERROR_SUCCESS;
        }
        return ErrorFromErrno(errno, ERROR_INVALID_DATA);
    }
    struct stat status = {};
    if (::fstat(file.Get(), &status) != 0)
        return ErrorFromErrno(errno, ERROR_INVALID_DATA);
    if (!S_ISREG(status.st_mode) || static_cast<uint64_t>(status.st_size) > kMaxFileSize) {
        *damaged = true;
        return ERROR_SUCCESS;
    }
    std::vector<BYTE> bytes(static_cast<size_t>(status.st_size));
    size_t filled = 0;
    while (filled < bytes.size()) {
        const ssize_t got = ::read(file.Get(), bytes.data() + filled, bytes.size() - filled);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return ErrorFromErrno(errno, ERROR_INVALID_DATA);
        if (got == 0)
            break;
        filled += static_cast<size_t>(got);
    }
    std::optional<std::vector<Value>> decoded = DecodeValues(std::span<const BYTE>(bytes).first(filled));
    if (!decoded) {
        *damaged = true;
        return ERROR_SUCCESS;
    }
    *values = std::move(*decoded);
    return ERROR_SUCCESS;
}

void ReportDamage(const Folder& key, const std::string_view consequence)
{
    const std::string message =
        "registry: " + key.Path() + "/" + kValuesFile + " is damaged; " + std::string(consequence) + "\n";
    OutputDebugStringA(message.c_str());
}

LONG WriteAll(const int fd, const std::span<const BYTE> bytes)
{
    size_t written = 0;
    while (written < bytes.size()) {
        const ssize_t put = ::write(fd, bytes.data() + written, bytes.size() - written);
        if (put < 0 && errno == EINTR)
            continue;
        if (put < 0)
            return ErrorFromErrno(errno, ERROR_WRITE_FAULT);
        written += static_cast<size_t>(put);
    }
    return ERROR_SUCCESS;
}

// Writes the whole file beside the old one and renames it over, so that readers see either
// the old file or the new one, never a part, and a failure leaves the old file as it was.
LONG ReplaceValuesFile(const Folder& key, const std::span<const BYTE> bytes)
{
    UniqueFd file(::openat(key.Fd(), kTemporaryFile, O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC, 0600));
    if (file.Get() < 0)
        return ErrorFromErrno(errno, ERROR_WRITE_FAULT);
    LONG error = WriteAll(file.Get(), bytes);
    if (error == ERROR_SUCCESS && ::fsync(file.Get()) != 0)
        error = ErrorFromErrno(errno, ERROR_WRITE_FAULT);
    if (file.Close() != 0 && error == ERROR_SUCCESS)
        error = ErrorFromErrno(errno, ERROR_WRITE_FAULT);
    if (error == ERROR_SUCCESS && ::renameat(key.Fd(), kTemporaryFile, key.Fd(), kValuesFile) != 0)
        error = ErrorFromErrno(errno, ERROR_WRITE_FAULT);
    if (error != ERROR_SUCCESS) {
        ::unlinkat(key.Fd(), kTemporaryFile, 0);
        return error;
    }
    // Makes the rename itself durable; the new file is already in place if this fails.
    ::fsync(key.Fd());
    return ERROR_SUCCESS;
}

// Runs one read-modify-write of the key's values under its lock. `change` edits the values
// and returns ERROR_SUCCESS when they are to be stored.
template <typename Change>
LONG ChangeValues(const Folder& key, Change&& change)
{
    Folder lock;
    LONG error = LockKey(key, &lock);
    if (error != ERROR_SUCCESS)
        return error;
    std::vector<Value> values;
    bool damaged = false;
    error = LoadValues(key, &values, &damaged);
    if (error != ERROR_SUCCESS)
        return error;
    error = change(values);
    if (error != ERROR_SUCCESS)
        return error;
    const std::vector<BYTE> bytes = EncodeValues(values);
    // The reader would refuse a bigger file.
    if (bytes.size() > kMaxFileSize)
        return ERROR_INVALID_PARAMETER;
    if (damaged) {
        if (::renameat(key.Fd(), kValuesFile, key.Fd(), kDamagedFile) != 0)
            return ErrorFromErrno(errno, ERROR_WRITE_FAULT);
        ReportDamage(key, "kept as " + std::string(kDamagedFile) + ", a new file replaces it");
    }
    return ReplaceValuesFile(key, bytes);
}

bool IsOwnFile(const char* name)
{
    return std::strcmp(name, kValuesFile) == 0 || std::strcmp(name, kTemporaryFile) == 0 ||
           std::strcmp(name, kDamagedFile) == 0;
}

// True when the folder holds anything besides the key's own files: a subkey, or something
// a person put there that deleting the key must not destroy.
LONG HoldsOtherEntries(const Folder& key, bool* holds)
{
    const int fd = ::openat(key.Fd(), ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return ErrorFromErrno(errno, ERROR_ACCESS_DENIED);
    const std::unique_ptr<DIR, DirCloser> dir(::fdopendir(fd));
    if (!dir) {
        ::close(fd);
        return ErrorFromErrno(errno, ERROR_ACCESS_DENIED);
    }
    *holds = false;
    while (const dirent* entry = ::readdir(dir.get())) {
        const bool dots = std::strcmp(entry->d_name, ".") == 0 || std::strcmp(entry->d_name, "..") == 0;
        if (!dots && !IsOwnFile(entry->d_name))
            *holds = true;
    }
    return ERROR_SUCCESS;
}

} // namespace

Folder::Folder(const int fd, std::string path) : mFd(fd), mPath(std::move(path)) {}

Folder::Folder(Folder&& other) noexcept : mFd(std::exchange(other.mFd, -1)), mPath(std::move(other.mPath)) {}

Folder& Folder::operator=(Folder&& other) noexcept
{
    if (this != &other) {
        if (mFd >= 0)
            ::close(mFd);
        mFd = std::exchange(other.mFd, -1);
        mPath = std::move(other.mPath);
    }
    return *this;
}

Folder::~Folder()
{
    if (mFd >= 0)
        ::close(mFd);
}

bool SameName(const std::string_view a, const std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](const char x, const char y) {
               return FoldCase(static_cast<BYTE>(x)) == FoldCase(static_cast<BYTE>(y));
           });
}

std::string KeyFolderName(const std::string_view name)
{
    constexpr char kHex[] = "0123456789abcdef";
    std::string folderName;
    for (size_t i = 0; i < name.size(); ++i) {
        const BYTE c = FoldCase(static_cast<BYTE>(name[i]));
        // A leading '.' is escaped so that no key becomes ".", ".." or a hidden folder.
        const bool plain = c >= 0x20 && c < 0x7F && c != '/' && c != '%' && !(c == '.' && i == 0);
        if (plain) {
            folderName += static_cast<char>(c);
        } else {
            folderName += '%';
            folderName += kHex[c >> 4];
            folderName += kHex[c & 0xF];
        }
    }
    if (folderName.size() > NAME_MAX)
        return {};
    return folderName;
}

std::vector<BYTE> EncodeValues(const std::vector<Value>& values)
{
    std::vector<BYTE> bytes(kMagic.begin(), kMagic.end());
    Put32(bytes, kFormatVersion);
    Put32(bytes, static_cast<uint32_t>(values.size()));
    for (const Value& value : values) {
        Put32(bytes, static_cast<uint32_t>(value.name.size()));
        Put32(bytes, value.type);
        Put32(bytes, static_cast<uint32_t>(value.data.size()));
        bytes.insert(bytes.end(), value.name.begin(), value.name.end());
        bytes.insert(bytes.end(), value.data.begin(), value.data.end());
    }
    Put32(bytes, Crc32(bytes));
    return bytes;
}

std::optional<std::vector<Value>> DecodeValues(const std::span<const BYTE> bytes)
{
    if (bytes.size() < kHeaderSize + kChecksumSize || bytes.size() > kMaxFileSize)
        return std::nullopt;
    if (!std::equal(kMagic.begin(), kMagic.end(), bytes.begin()) || Get32(bytes, kMagic.size()) != kFormatVersion)
        return std::nullopt;
    const size_t end = bytes.size() - kChecksumSize;
    if (Crc32(bytes.first(end)) != Get32(bytes, end))
        return std::nullopt;
    const uint32_t count = Get32(bytes, kMagic.size() + 4);
    if (count > (end - kHeaderSize) / kRecordHeaderSize)
        return std::nullopt;

    std::vector<Value> values;
    values.reserve(count);
    std::unordered_set<std::string> foldedNames;
    size_t at = kHeaderSize;
    for (uint32_t i = 0; i < count; ++i) {
        if (end - at < kRecordHeaderSize)
            return std::nullopt;
        const size_t nameLength = Get32(bytes, at);
        const DWORD type = Get32(bytes, at + 4);
        const size_t dataLength = Get32(bytes, at + 8);
        at += kRecordHeaderSize;
        if (nameLength > end - at || dataLength > end - at - nameLength)
            return std::nullopt;
        const auto name = bytes.subspan(at, nameLength);
        const auto data = bytes.subspan(at + nameLength, dataLength);
        at += nameLength + dataLength;
        Value value{std::string(name.begin(), name.end()), type, std::vector<BYTE>(data.begin(), data.end())};
        if (!foldedNames.insert(FoldCase(value.name)).second)
            return std::nullopt;
        values.push_back(std::move(value));
    }
    if (at != end)
        return std::nullopt;
    return values;
}

LONG OpenKey(const Folder* parent, const std::string_view path, const bool create, Folder* result, bool* created)
{
    std::vector<std::string> folderNames;
    const LONG error = SplitPath(path, &folderNames);
    if (error != ERROR_SUCCESS)
        return error;
    return Walk(parent, folderNames, create, result, created);
}

LONG DeleteKey(const Folder* parent, const std::string_view path)
{
    std::vector<std::string> folderNames;
    LONG error = SplitPath(path, &folderNames);
    if (error != ERROR_SUCCESS)
        return error;
    if (folderNames.empty())
        return ERROR_INVALID_PARAMETER;
    Folder container;
    error = Walk(parent, std::span<const std::string>(folderNames).first(folderNames.size() - 1), false, &container,
                 nullptr);
    if (error != ERROR_SUCCESS)
        return error;
    Folder key;
    error = Walk(&container, std::span<const std::string>(folderNames).last(1), false, &key, nullptr);
    if (error != ERROR_SUCCESS)
        return error;

    Folder lock;
    error = LockKey(key, &lock);
    if (error != ERROR_SUCCESS)
        return error;
    bool holdsOthers = false;
    error = HoldsOtherEntries(key, &holdsOthers);
    if (error != ERROR_SUCCESS)
        return error;
    if (holdsOthers)
        return ERROR_ACCESS_DENIED;
    for (const char* name : {kValuesFile, kTemporaryFile, kDamagedFile}) {
        if (::unlinkat(key.Fd(), name, 0) != 0 && errno != ENOENT)
            return ErrorFromErrno(errno, ERROR_ACCESS_DENIED);
    }
    if (::unlinkat(container.Fd(), folderNames.back().c_str(), AT_REMOVEDIR) != 0)
        return ErrorFromErrno(errno, ERROR_ACCESS_DENIED);
    return ERROR_SUCCESS;
}

LONG ReadValues(const Folder& key, std::vector<Value>* values)
{
    bool damaged = false;
    const LONG error = LoadValues(key, values, &damaged);
    if (damaged)
        ReportDamage(key, "its values are ignored");
    return error;
}

LONG SetValue(const Folder& key, const std::string_view name, const DWORD type, const std::span<const BYTE> data)
{
    // Refused before anything is copied: the file could not hold it.
    if (name.size() > kMaxFileSize || data.size() > kMaxFileSize - name.size())
        return ERROR_INVALID_PARAMETER;
    return ChangeValues(key, [&](std::vector<Value>& values) {
        const auto found =
            std::find_if(values.begin(), values.end(), [&](const Value& value) { return SameName(value.name, name); });
        if (found == values.end()) {
            values.push_back(Value{std::string(name), type, std::vector<BYTE>(data.begin(), data.end())});
        } else {
            found->type = type;
            found->data.assign(data.begin(), data.end());
        }
        return ERROR_SUCCESS;
    });
}

LONG DeleteValue(const Folder& key, const std::string_view name)
{
    return ChangeValues(key, [&](std::vector<Value>& values) {
        const auto found =
            std::find_if(values.begin(), values.end(), [&](const Value& value) { return SameName(value.name, name); });
        if (found == values.end())
            return ERROR_FILE_NOT_FOUND;
        values.erase(found);
        return ERROR_SUCCESS;
    });
}

} // namespace Win32::SettingsStore
