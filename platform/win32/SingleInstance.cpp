#include "platform/win32/SingleInstance.h"

#include "platform/win32/Kernel.h"
#include "platform/win32/UniqueFd.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <chrono>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <mutex>
#include <new>
#include <optional>
#include <thread>
#include <utility>

namespace Win32 {
namespace {

using SteadyClock = std::chrono::steady_clock;

// A later copy waits at most this long for the running copy to answer: the running copy
// takes its lock a moment before it starts listening, and a copy that died leaves a socket
// that refuses every connection.
constexpr auto kDeliveryBudget = std::chrono::seconds(1);
constexpr auto kRetryPause = std::chrono::milliseconds(10);
constexpr int kListenBacklog = 16;
// Connections still sending are kept across calls; beyond this many the oldest is dropped
// so that idle peers cannot pile up.
constexpr size_t kMaxConnections = 16;
// Keeps one call cheap even when a peer floods its connection.
constexpr size_t kMaxRecordsPerRead = 64;

// The record a later copy sends: magic, version, then the message id, wParam and lParam,
// all little-endian; the three message fields take 64 bits each.
constexpr uint32_t kRecordMagic = 0x49534147; // "GASI"
constexpr uint32_t kRecordVersion = 1;
constexpr size_t kRecordSize = 32;
using Record = std::array<unsigned char, kRecordSize>;

void PutLittleEndian(unsigned char* out, const uint64_t value, const size_t bytes)
{
    for (size_t i = 0; i < bytes; ++i)
        out[i] = static_cast<unsigned char>(value >> (8 * i));
}

uint64_t GetLittleEndian(const unsigned char* in, const size_t bytes)
{
    uint64_t value = 0;
    for (size_t i = 0; i < bytes; ++i)
        value |= static_cast<uint64_t>(in[i]) << (8 * i);
    return value;
}

Record EncodeRecord(const UINT message, const WPARAM wParam, const LPARAM lParam)
{
    Record record{};
    PutLittleEndian(&record[0], kRecordMagic, 4);
    PutLittleEndian(&record[4], kRecordVersion, 4);
    PutLittleEndian(&record[8], message, 8);
    PutLittleEndian(&record[16], static_cast<uint64_t>(wParam), 8);
    PutLittleEndian(&record[24], static_cast<uint64_t>(lParam), 8);
    return record;
}

std::optional<BroadcastMessage> DecodeRecord(const Record& record)
{
    const uint64_t message = GetLittleEndian(&record[8], 8);
    if (GetLittleEndian(&record[0], 4) != kRecordMagic || GetLittleEndian(&record[4], 4) != kRecordVersion
        || message > UINT32_MAX)
        return std::nullopt;
    return BroadcastMessage{static_cast<UINT>(message), static_cast<WPARAM>(GetLittleEndian(&record[16], 8)),
                            static_cast<LPARAM>(GetLittleEndian(&record[24], 8))};
}

bool IsSafeNameByte(const unsigned char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '.' || c == '_'
        || c == '-';
}

// Every other byte becomes %XX; '%' is escaped too, so different names never meet.
std::string EscapeName(const std::string& name)
{
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string escaped;
    for (const char c : name) {
        const auto byte = static_cast<unsigned char>(c);
        if (IsSafeNameByte(byte)) {
            escaped += c;
        } else {
            escaped += '%';
            escaped += kHex[byte >> 4];
            escaped += kHex[byte & 0xF];
        }
    }
    return escaped;
}

uint64_t Fnv1a(const std::string& text, uint64_t hash)
{
    for (const char c : text) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 0x100000001B3ULL;
    }
    return hash;
}

// 128 bits, the same in every process, for names too long to appear in a path.
std::string HashName(const std::string& name)
{
    const uint64_t first = Fnv1a(name, 0xCBF29CE484222325ULL);
    const uint64_t second = Fnv1a(name, first ^ 0x9E3779B97F4A7C15ULL);
    std::string hex;
    for (const uint64_t half : {first, second}) {
        for (int shift = 60; shift >= 0; shift -= 4)
            hex += "0123456789abcdef"[(half >> shift) & 0xF];
    }
    return hex;
}

std::optional<sockaddr_un> SocketAddress(const std::string& path)
{
    sockaddr_un address{};
    if (path.empty() || path.size() >= sizeof(address.sun_path))
        return std::nullopt;
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    return address;
}

struct MutexPaths {
    std::string lockFile;
    // Empty when even the short form does not fit in a socket address.
    std::string socket;
};

// The escaped name ("m-" stem) when it fits both a file name and a socket address,
// otherwise its hash ("h-" stem). The prefixes keep the two forms apart and stop a name
// from becoming "." or "..".
MutexPaths PathsFor(const std::string& folder, const std::string& name)
{
    const auto fits = [&folder](const std::string& stem) {
        return stem.size() + 5 <= NAME_MAX && SocketAddress(folder + "/" + stem + ".sock").has_value();
    };
    std::string stem = "m-" + EscapeName(name);
    if (!fits(stem))
        stem = "h-" + HashName(name);
    const std::string base = folder + "/" + stem;
    return MutexPaths{base + ".lock", fits(stem) ? base + ".sock" : std::string()};
}

std::optional<std::string> RuntimeFolder()
{
    const char* const runtime = std::getenv("XDG_RUNTIME_DIR");
    struct stat info {};
    if (runtime != nullptr && runtime[0] == '/' && ::stat(runtime, &info) == 0 && S_ISDIR(info.st_mode))
        return std::string(runtime);
    std::string fallback = "/tmp/greenatlas-" + std::to_string(::geteuid());
    if (!PreparePrivateRuntimeFolder(fallback))
        return std::nullopt;
    return fallback;
}

// The stale socket of a copy that died is removed first; only the lock holder calls this.
UniqueFd Listen(const std::string& path)
{
    const std::optional<sockaddr_un> address = SocketAddress(path);
    if (!address)
        return {};
    UniqueFd socket(::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0));
    if (!socket.Valid())
        return {};
    ::unlink(path.c_str());
    if (::bind(socket.Get(), reinterpret_cast<const sockaddr*>(&*address), sizeof(*address)) != 0)
        return {};
    if (::listen(socket.Get(), kListenBacklog) != 0) {
        ::unlink(path.c_str());
        return {};
    }
    return socket;
}

class NamedMutex;

struct Connection {
    UniqueFd socket;
    Record buffer{};
    size_t filled = 0;
};

struct SharedState {
    std::mutex lock;
    std::vector<NamedMutex*> mutexes;
    // Accepted connections, oldest first.
    std::deque<Connection> connections;
};

SharedState& State()
{
    static SharedState state;
    return state;
}

class NamedMutex final : public KernelObject {
public:
    NamedMutex(UniqueFd lockFile, std::string socketPath, const bool first, UniqueFd listener)
        : mLockFile(std::move(lockFile)), mSocketPath(std::move(socketPath)), mFirst(first),
          mListener(std::move(listener))
    {
        SharedState& state = State();
        const std::lock_guard guard(state.lock);
        state.mutexes.push_back(this);
    }

    // The socket file goes before the lock is released (when mLockFile is destroyed, the
    // last member to go), so it never removes the socket of the next first copy.
    ~NamedMutex() override
    {
        {
            SharedState& state = State();
            const std::lock_guard guard(state.lock);
            state.mutexes.erase(std::find(state.mutexes.begin(), state.mutexes.end(), this));
        }
        if (mListener.Valid())
            ::unlink(mSocketPath.c_str());
    }

    NamedMutex(const NamedMutex&) = delete;
    NamedMutex& operator=(const NamedMutex&) = delete;

    const std::string& SocketPath() const { return mSocketPath; }
    bool First() const { return mFirst; }
    int Listener() const { return mListener.Get(); }

private:
    UniqueFd mLockFile;
    std::string mSocketPath;
    bool mFirst;
    UniqueFd mListener;
};

class UnnamedMutex final : public KernelObject {};

HANDLE OpenNamedMutex(const std::string& name)
{
    const std::optional<std::string> folder = RuntimeFolder();
    if (!folder) {
        SetLastError(ERROR_ACCESS_DENIED);
        return nullptr;
    }
    MutexPaths paths = PathsFor(*folder, name);
    UniqueFd lockFile(::open(paths.lockFile.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600));
    if (!lockFile.Valid()) {
        SetLastError(errno == ENOENT ? ERROR_PATH_NOT_FOUND : ERROR_ACCESS_DENIED);
        return nullptr;
    }
    int locked = 0;
    do {
        locked = ::flock(lockFile.Get(), LOCK_EX | LOCK_NB);
    } while (locked != 0 && errno == EINTR);
    if (locked != 0 && errno != EWOULDBLOCK) {
        SetLastError(ERROR_ACCESS_DENIED);
        return nullptr;
    }
    const bool first = locked == 0;
    UniqueFd listener = first ? Listen(paths.socket) : UniqueFd();
    auto* const mutex = new NamedMutex(std::move(lockFile), std::move(paths.socket), first, std::move(listener));
    SetLastError(first ? ERROR_SUCCESS : ERROR_ALREADY_EXISTS);
    return ToHandle(mutex);
}

// The sockets of the copies this process found running, less those it listens on itself
// (a second handle to a mutex this process already holds).
std::vector<std::string> OtherInstanceSockets()
{
    SharedState& state = State();
    const std::lock_guard guard(state.lock);
    std::vector<std::string> own;
    std::vector<std::string> others;
    for (const NamedMutex* const mutex : state.mutexes) {
        if (!mutex->SocketPath().empty())
            (mutex->First() ? own : others).push_back(mutex->SocketPath());
    }
    std::sort(others.begin(), others.end());
    others.erase(std::unique(others.begin(), others.end()), others.end());
    std::erase_if(others, [&own](const std::string& path) {
        return std::find(own.begin(), own.end(), path) != own.end();
    });
    return others;
}

bool WaitWritable(const int fd, const SteadyClock::time_point deadline)
{
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - SteadyClock::now());
    if (left.count() <= 0)
        return false;
    pollfd entry{fd, POLLOUT, 0};
    return ::poll(&entry, 1, static_cast<int>(left.count())) == 1 && (entry.revents & POLLOUT) != 0;
}

enum class Attempt { Sent, Retry, GiveUp };

Attempt TrySend(const sockaddr_un& address, const Record& record, const SteadyClock::time_point deadline)
{
    const UniqueFd socket(::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0));
    if (!socket.Valid())
        return Attempt::GiveUp;
    if (::connect(socket.Get(), reinterpret_cast<const sockaddr*>(&address), sizeof(address)) != 0) {
        const bool notReadyYet = errno == ENOENT || errno == ECONNREFUSED || errno == EAGAIN || errno == EINTR;
        return notReadyYet ? Attempt::Retry : Attempt::GiveUp;
    }
    size_t sent = 0;
    while (sent < record.size()) {
        const ssize_t written = ::send(socket.Get(), record.data() + sent, record.size() - sent, MSG_NOSIGNAL);
        if (written > 0)
            sent += static_cast<size_t>(written);
        else if (written < 0 && errno == EINTR)
            continue;
        else if (written < 0 && errno == EAGAIN && WaitWritable(socket.Get(), deadline))
            continue;
        else
            return Attempt::GiveUp;
    }
    return Attempt::Sent;
}

void Deliver(const std::string& path, const Record& record, const SteadyClock::time_point deadline)
{
    const std::optional<sockaddr_un> address = SocketAddress(path);
    if (!address)
        return;
    while (TrySend(*address, record, deadline) == Attempt::Retry && SteadyClock::now() < deadline)
        std::this_thread::sleep_for(kRetryPause);
}

void AcceptPending(const int listener, std::deque<Connection>& connections)
{
    if (listener < 0)
        return;
    for (size_t accepted = 0; accepted < kMaxConnections; ++accepted) {
        UniqueFd socket(::accept4(listener, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC));
        if (!socket.Valid()) {
            if (errno == EINTR || errno == ECONNABORTED)
                continue;
            return;
        }
        if (connections.size() == kMaxConnections)
            connections.pop_front();
        connections.push_back(Connection{std::move(socket)});
    }
}

// False when the connection is finished: closed by the peer, failed, or sent a record
// that makes no sense, after which its framing cannot be trusted.
bool ReadRecords(Connection& connection, std::vector<BroadcastMessage>& messages)
{
    for (size_t records = 0; records < kMaxRecordsPerRead;) {
        const ssize_t received = ::read(connection.socket.Get(), connection.buffer.data() + connection.filled,
                                        kRecordSize - connection.filled);
        if (received == 0)
            return false;
        if (received < 0) {
            if (errno == EINTR)
                continue;
            return errno == EAGAIN || errno == EWOULDBLOCK;
        }
        connection.filled += static_cast<size_t>(received);
        if (connection.filled < kRecordSize)
            continue;
        connection.filled = 0;
        ++records;
        const std::optional<BroadcastMessage> message = DecodeRecord(connection.buffer);
        if (!message)
            return false;
        messages.push_back(*message);
    }
    return true;
}

} // namespace

HANDLE CreateMutexA(void* security, const BOOL initialOwner, const char* name)
{
    try {
        if (name == nullptr || name[0] == '\0') {
            SetLastError(ERROR_SUCCESS);
            return ToHandle(new UnnamedMutex);
        }
        return OpenNamedMutex(name);
    } catch (const std::bad_alloc&) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
}

void BroadcastToOtherInstances(const UINT message, const WPARAM wParam, const LPARAM lParam)
{
    try {
        const Record record = EncodeRecord(message, wParam, lParam);
        const SteadyClock::time_point deadline = SteadyClock::now() + kDeliveryBudget;
        for (const std::string& path : OtherInstanceSockets())
            Deliver(path, record, deadline);
    } catch (const std::bad_alloc&) {
        // Best effort: the message is simply not sent.
    }
}

std::vector<BroadcastMessage> TakeBroadcastsFromOtherInstances()
{
    std::vector<BroadcastMessage> messages;
    try {
        SharedState& state = State();
        const std::lock_guard guard(state.lock);
        for (const NamedMutex* const mutex : state.mutexes)
            AcceptPending(mutex->Listener(), state.connections);
        for (auto connection = state.connections.begin(); connection != state.connections.end();) {
            if (ReadRecords(*connection, messages))
                ++connection;
            else
                connection = state.connections.erase(connection);
        }
    } catch (const std::bad_alloc&) {
        // Whatever was read before memory ran out is still handed over.
    }
    return messages;
}

bool PreparePrivateRuntimeFolder(const std::string& path)
{
    if (::mkdir(path.c_str(), 0700) != 0 && errno != EEXIST)
        return false;
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0)
        return false;
    return S_ISDIR(info.st_mode) && info.st_uid == ::geteuid() && (info.st_mode & 0077) == 0
        && (info.st_mode & 0700) == 0700;
}

} // namespace Win32
