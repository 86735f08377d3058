#include "platform/win32/Kernel.h"
#include "platform/win32/SingleInstance.h"
#include "tests/support/ScopedEnvironment.h"
#include "tests/support/TemporaryFolder.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/time.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <thread>
#include <vector>

extern char** environ;

namespace {

namespace fs = std::filesystem;

constexpr auto kPatience = std::chrono::seconds(10);
constexpr auto kPollInterval = std::chrono::milliseconds(10);
// How long a probe that owns the mutex waits for messages; longer than the tests wait for
// the probe's first line, shorter than they wait for it to exit.
constexpr const char* kProbeTimeoutMs = "10000";
constexpr auto kProbeExitPatience = std::chrono::seconds(20);

// What the probe broadcasts when it finds the mutex already existing.
constexpr Win32::UINT kNotifyMessage = 0xC123;
constexpr Win32::WPARAM kNotifyWParam = 7;
constexpr Win32::LPARAM kNotifyLParam = -5;
constexpr const char* kReceivedLine = "received 49443 7 -5\n";

struct HandleCloser {
    void operator()(void* handle) const { Win32::CloseHandle(handle); }
};
using UniqueHandle = std::unique_ptr<void, HandleCloser>;

struct Created {
    UniqueHandle handle;
    Win32::DWORD error;
};

Created CreateNamedMutex(const std::string& name)
{
    Win32::SetLastError(0xDEAD);
    UniqueHandle handle(Win32::CreateMutexA(nullptr, 1, name.c_str()));
    return Created{std::move(handle), Win32::GetLastError()};
}

std::string UniqueName(const std::string& label)
{
    static int counter = 0;
    return "SingleInstanceTest." + label + "." + std::to_string(::getpid()) + "." + std::to_string(++counter);
}

std::vector<Win32::BroadcastMessage> WaitForBroadcasts()
{
    const auto deadline = std::chrono::steady_clock::now() + kPatience;
    while (std::chrono::steady_clock::now() < deadline) {
        std::vector<Win32::BroadcastMessage> messages = Win32::TakeBroadcastsFromOtherInstances();
        if (!messages.empty())
            return messages;
        std::this_thread::sleep_for(kPollInterval);
    }
    return {};
}

void ExpectNotifyMessage(const std::vector<Win32::BroadcastMessage>& messages)
{
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].message, kNotifyMessage);
    EXPECT_EQ(messages[0].wParam, kNotifyWParam);
    EXPECT_EQ(messages[0].lParam, kNotifyLParam);
}

// The single_instance_probe program, its standard output read through a pipe.
class Probe {
public:
    Probe(const std::string& name, const std::string& mode)
    {
        std::array<int, 2> pipe{};
        if (::pipe2(pipe.data(), O_CLOEXEC) != 0)
            return;
        mOutput = pipe[0];
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, pipe[1], STDOUT_FILENO);
        std::string program = SINGLE_INSTANCE_PROBE;
        std::string nameArgument = name;
        std::string modeArgument = mode;
        std::string timeoutArgument = kProbeTimeoutMs;
        std::array<char*, 5> argv{program.data(), nameArgument.data(), modeArgument.data(),
                                  timeoutArgument.data(), nullptr};
        if (posix_spawn(&mPid, program.c_str(), &actions, nullptr, argv.data(), environ) != 0)
            mPid = -1;
        posix_spawn_file_actions_destroy(&actions);
        ::close(pipe[1]);
    }

    Probe(const Probe&) = delete;
    Probe& operator=(const Probe&) = delete;

    ~Probe()
    {
        Kill();
        if (mOutput >= 0)
            ::close(mOutput);
    }

    bool Started() const { return mPid > 0; }

    // True once the output contains the text.
    bool WaitForOutput(const std::string& text)
    {
        const auto deadline = std::chrono::steady_clock::now() + kPatience;
        while (mText.find(text) == std::string::npos) {
            if (!ReadSome(deadline))
                return false;
        }
        return true;
    }

    // Reads to the end of the output and returns the exit code, or -1 when the probe did
    // not exit in time or died from a signal.
    int Finish()
    {
        const auto deadline = std::chrono::steady_clock::now() + kProbeExitPatience;
        while (ReadSome(deadline)) {
        }
        while (mPid > 0 && std::chrono::steady_clock::now() < deadline) {
            int status = 0;
            if (::waitpid(mPid, &status, WNOHANG) == mPid) {
                mPid = -1;
                return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
            }
            std::this_thread::sleep_for(kPollInterval);
        }
        return -1;
    }

    void Kill()
    {
        if (mPid <= 0)
            return;
        ::kill(mPid, SIGKILL);
        ::waitpid(mPid, nullptr, 0);
        mPid = -1;
    }

    const std::string& Output() const { return mText; }

private:
    // False at the end of the output or at the deadline.
    bool ReadSome(const std::chrono::steady_clock::time_point deadline)
    {
        while (mOutput >= 0 && std::chrono::steady_clock::now() < deadline) {
            pollfd entry{mOutput, POLLIN, 0};
            if (::poll(&entry, 1, 10) <= 0)
                continue;
            std::array<char, 256> buffer{};
            const ssize_t received = ::read(mOutput, buffer.data(), buffer.size());
            if (received <= 0)
                return false;
            mText.append(buffer.data(), static_cast<size_t>(received));
            return true;
        }
        return false;
    }

    pid_t mPid = -1;
    int mOutput = -1;
    std::string mText;
};

// Runs a probe to its end.
struct ProbeResult {
    int exitCode;
    std::string output;
};

ProbeResult RunProbe(const std::string& name, const std::string& mode)
{
    Probe probe(name, mode);
    const int exitCode = probe.Finish();
    return ProbeResult{exitCode, probe.Output()};
}

class FileDescriptor {
public:
    explicit FileDescriptor(const int fd) : mFd(fd) {}
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    ~FileDescriptor()
    {
        if (mFd >= 0)
            ::close(mFd);
    }
    int Get() const { return mFd; }

private:
    int mFd;
};

enum class SocketRole { Connect, Listen };

// A socket connected to, or listening at, the path; null on failure.
std::unique_ptr<FileDescriptor> OpenSocket(const std::string& path, const SocketRole role)
{
    sockaddr_un address{};
    if (path.size() >= sizeof(address.sun_path))
        return nullptr;
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    const auto* const raw = reinterpret_cast<const sockaddr*>(&address);
    auto socket = std::make_unique<FileDescriptor>(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0));
    const int fd = socket->Get();
    const bool ready = fd >= 0
        && (role == SocketRole::Connect ? ::connect(fd, raw, sizeof(address)) == 0
                                        : ::bind(fd, raw, sizeof(address)) == 0 && ::listen(fd, 4) == 0);
    return ready ? std::move(socket) : nullptr;
}

// Everything one peer sends to the listener, up to when it closes the connection.
std::vector<unsigned char> ReceiveOneConnection(const FileDescriptor& listener)
{
    const int patienceMs = static_cast<int>(std::chrono::milliseconds(kPatience).count());
    pollfd entry{listener.Get(), POLLIN, 0};
    if (::poll(&entry, 1, patienceMs) != 1)
        return {};
    const FileDescriptor peer(::accept4(listener.Get(), nullptr, nullptr, SOCK_CLOEXEC));
    const timeval timeout{static_cast<time_t>(patienceMs / 1000), 0};
    ::setsockopt(peer.Get(), SOL_SOCKET, SO_RCVTIMEO, &timeout, sizeof(timeout));
    std::vector<unsigned char> bytes;
    std::array<unsigned char, 64> buffer{};
    ssize_t received = 0;
    while ((received = ::read(peer.Get(), buffer.data(), buffer.size())) > 0)
        bytes.insert(bytes.end(), buffer.begin(), buffer.begin() + received);
    return bytes;
}

bool SendAll(const FileDescriptor& socket, const std::vector<unsigned char>& bytes)
{
    return ::send(socket.Get(), bytes.data(), bytes.size(), MSG_NOSIGNAL) == static_cast<ssize_t>(bytes.size());
}

void AppendLittleEndian(std::vector<unsigned char>& bytes, const uint64_t value, const int size)
{
    for (int i = 0; i < size; ++i)
        bytes.push_back(static_cast<unsigned char>(value >> (8 * i)));
}

// The wire record: "GASI", version 1, then message, wParam and lParam as 64-bit
// little-endian values.
std::vector<unsigned char> EncodeRecord(const uint64_t message, const uint64_t wParam, const int64_t lParam)
{
    std::vector<unsigned char> bytes{'G', 'A', 'S', 'I'};
    AppendLittleEndian(bytes, 1, 4);
    AppendLittleEndian(bytes, message, 8);
    AppendLittleEndian(bytes, wParam, 8);
    AppendLittleEndian(bytes, static_cast<uint64_t>(lParam), 8);
    return bytes;
}

// Points XDG_RUNTIME_DIR at a fresh temporary folder for the test's duration.
class SingleInstance : public ::testing::Test {
protected:
    void UseRuntimeFolder(const std::string& folder) const { mRuntime.Set(folder.c_str()); }

    std::vector<std::string> SocketFiles() const
    {
        std::vector<std::string> sockets;
        for (const fs::directory_entry& entry : fs::directory_iterator(mFolder)) {
            if (entry.is_socket())
                sockets.push_back(entry.path().string());
        }
        return sockets;
    }

    const Tests::TemporaryFolder mTemporary;
    const std::string mFolder = mTemporary.Path().string();
    const Tests::ScopedEnvironment mRuntime{"XDG_RUNTIME_DIR", mFolder.c_str()};
};

TEST_F(SingleInstance, TwoProcessesStartedTogetherFindEachOther)
{
    for (int round = 0; round < 3; ++round) {
        const std::string name = UniqueName("together");
        Probe one(name, "run");
        Probe two(name, "run");
        ASSERT_TRUE(one.Started());
        ASSERT_TRUE(two.Started());
        const int oneExit = one.Finish();
        const int twoExit = two.Finish();
        EXPECT_EQ(oneExit, 0) << one.Output();
        EXPECT_EQ(twoExit, 0) << two.Output();

        const bool oneIsFirst = one.Output().starts_with("first\n");
        const Probe& first = oneIsFirst ? one : two;
        const Probe& later = oneIsFirst ? two : one;
        EXPECT_EQ(first.Output(), std::string("first\n") + kReceivedLine) << "round " << round;
        EXPECT_EQ(later.Output(), "exists\n") << "round " << round;
    }
}

TEST_F(SingleInstance, FirstCopyInThisProcessReceivesTheLaterCopysMessage)
{
    const std::string name = UniqueName("receive");
    const Created mutex = CreateNamedMutex(name);
    ASSERT_NE(mutex.handle, nullptr);
    ASSERT_NE(mutex.handle.get(), Win32::INVALID_HANDLE_VALUE);
    EXPECT_EQ(mutex.error, static_cast<Win32::DWORD>(Win32::ERROR_SUCCESS));

    const ProbeResult later = RunProbe(name, "run");
    EXPECT_EQ(later.exitCode, 0);
    EXPECT_EQ(later.output, "exists\n");
    ExpectNotifyMessage(WaitForBroadcasts());
}

TEST_F(SingleInstance, ClosingTheHandleFreesTheNameAndRemovesTheSocket)
{
    const std::string name = UniqueName("close");
    Created mutex = CreateNamedMutex(name);
    ASSERT_NE(mutex.handle, nullptr);
    ASSERT_EQ(mutex.error, static_cast<Win32::DWORD>(Win32::ERROR_SUCCESS));
    EXPECT_EQ(RunProbe(name, "check").output, "exists\n");
    EXPECT_EQ(SocketFiles().size(), 1u);

    EXPECT_EQ(Win32::CloseHandle(mutex.handle.release()), 1);
    EXPECT_TRUE(SocketFiles().empty());
    const ProbeResult next = RunProbe(name, "check");
    EXPECT_EQ(next.exitCode, 0);
    EXPECT_EQ(next.output, "first\n");
}

TEST_F(SingleInstance, KilledFirstCopyDoesNotBlockTheNextOne)
{
    const std::string name = UniqueName("killed");
    Probe holder(name, "hold");
    ASSERT_TRUE(holder.Started());
    ASSERT_TRUE(holder.WaitForOutput("first\n")) << holder.Output();
    holder.Kill();
    ASSERT_EQ(SocketFiles().size(), 1u) << "the killed copy should leave its socket behind";

    const Created mutex = CreateNamedMutex(name);
    ASSERT_NE(mutex.handle, nullptr);
    EXPECT_EQ(mutex.error, static_cast<Win32::DWORD>(Win32::ERROR_SUCCESS));
    EXPECT_EQ(RunProbe(name, "run").output, "exists\n");
    ExpectNotifyMessage(WaitForBroadcasts());
}

TEST_F(SingleInstance, LaterCopyWaitsBrieflyForTheFirstCopyToStartListening)
{
    const std::string name = UniqueName("not-listening-yet");
    const Created mutex = CreateNamedMutex(name);
    ASSERT_NE(mutex.handle, nullptr);
    const std::vector<std::string> sockets = SocketFiles();
    ASSERT_EQ(sockets.size(), 1u);
    // As if the first copy held its lock but had not started listening yet.
    ASSERT_EQ(::unlink(sockets[0].c_str()), 0);

    Probe later(name, "run");
    ASSERT_TRUE(later.Started());
    // The probe reports itself just before it starts sending. The pause lets its first
    // attempts fail, so that only trying again can deliver; the socket still appears well
    // within the second the sender keeps trying.
    ASSERT_TRUE(later.WaitForOutput("exists\n")) << later.Output();
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    const auto listener = OpenSocket(sockets[0], SocketRole::Listen);
    ASSERT_NE(listener, nullptr);
    EXPECT_EQ(ReceiveOneConnection(*listener), EncodeRecord(kNotifyMessage, kNotifyWParam, kNotifyLParam));
    EXPECT_EQ(later.Finish(), 0);
}

TEST_F(SingleInstance, SecondHandleInTheSameProcessSeesTheNameTakenButDoesNotNotifyItself)
{
    const std::string name = UniqueName("twice");
    const Created first = CreateNamedMutex(name);
    const Created second = CreateNamedMutex(name);
    ASSERT_NE(first.handle, nullptr);
    ASSERT_NE(second.handle, nullptr);
    EXPECT_NE(first.handle, second.handle);
    EXPECT_EQ(first.error, static_cast<Win32::DWORD>(Win32::ERROR_SUCCESS));
    EXPECT_EQ(second.error, static_cast<Win32::DWORD>(Win32::ERROR_ALREADY_EXISTS));

    // Delivery completes before the call returns, so anything sent to this process's own
    // socket would already be waiting.
    Win32::BroadcastToOtherInstances(kNotifyMessage, kNotifyWParam, kNotifyLParam);
    EXPECT_TRUE(Win32::TakeBroadcastsFromOtherInstances().empty());
}

TEST_F(SingleInstance, HostileNamesStayInsideTheRuntimeFolder)
{
    const std::string runtime = mFolder + "/a/b/run";
    fs::create_directories(runtime);
    UseRuntimeFolder(runtime);
    const std::string unique = UniqueName("hostile");
    const std::vector<std::string> names{"../../etc/x" + unique, "../" + unique,       "a/b" + unique,
                                         "a%2Fb" + unique,       "/" + unique,         "..",
                                         ".",                    "..\\..\\" + unique, std::string("\n\x01\xFF")};
    std::vector<UniqueHandle> handles;
    for (const std::string& name : names) {
        Created mutex = CreateNamedMutex(name);
        ASSERT_NE(mutex.handle, nullptr) << name;
        // Each name is a mutex of its own, even names that escape to similar text.
        EXPECT_EQ(mutex.error, static_cast<Win32::DWORD>(Win32::ERROR_SUCCESS)) << name;
        handles.push_back(std::move(mutex.handle));
    }
    EXPECT_EQ(RunProbe(names[0], "check").output, "exists\n");

    size_t files = 0;
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(mFolder)) {
        if (entry.is_directory())
            continue;
        ++files;
        EXPECT_EQ(entry.path().parent_path(), fs::path(runtime)) << entry.path();
    }
    EXPECT_EQ(files, 2 * names.size()) << "one lock file and one socket per name";
}

TEST_F(SingleInstance, NamesTooLongForASocketPathStillFindEachOther)
{
    const std::string name = UniqueName("long") + std::string(300, 'n');
    const Created mutex = CreateNamedMutex(name);
    ASSERT_NE(mutex.handle, nullptr);
    EXPECT_EQ(mutex.error, static_cast<Win32::DWORD>(Win32::ERROR_SUCCESS));

    EXPECT_EQ(RunProbe(name, "run").output, "exists\n");
    ExpectNotifyMessage(WaitForBroadcasts());
}

TEST_F(SingleInstance, GarbageIsDroppedWithoutBreakingLaterMessages)
{
    const std::string name = UniqueName("garbage");
    const Created mutex = CreateNamedMutex(name);
    ASSERT_NE(mutex.handle, nullptr);
    const std::vector<std::string> sockets = SocketFiles();
    ASSERT_EQ(sockets.size(), 1u);
    {
        const auto junk = OpenSocket(sockets[0], SocketRole::Connect);
        ASSERT_NE(junk, nullptr);
        ASSERT_TRUE(SendAll(*junk, std::vector<unsigned char>(32, 0xAB)));
        const auto wrongVersion = OpenSocket(sockets[0], SocketRole::Connect);
        ASSERT_NE(wrongVersion, nullptr);
        std::vector<unsigned char> record = EncodeRecord(kNotifyMessage, 1, 2);
        record[4] = 9;
        ASSERT_TRUE(SendAll(*wrongVersion, record));
        const auto tooShort = OpenSocket(sockets[0], SocketRole::Connect);
        ASSERT_NE(tooShort, nullptr);
        ASSERT_TRUE(SendAll(*tooShort, {'G', 'A', 'S'}));
    }
    EXPECT_TRUE(Win32::TakeBroadcastsFromOtherInstances().empty());

    EXPECT_EQ(RunProbe(name, "run").output, "exists\n");
    ExpectNotifyMessage(WaitForBroadcasts());
}

TEST_F(SingleInstance, SlowSenderIsReadAcrossCallsInOrder)
{
    const std::string name = UniqueName("slow");
    const Created mutex = CreateNamedMutex(name);
    ASSERT_NE(mutex.handle, nullptr);
    const std::vector<std::string> sockets = SocketFiles();
    ASSERT_EQ(sockets.size(), 1u);

    const std::vector<unsigned char> firstRecord = EncodeRecord(0xC001, 0xFFFFFFFFFFFFFFFFULL, INT64_MIN);
    const std::vector<unsigned char> secondRecord = EncodeRecord(0xC002, 2, -2);
    const auto sender = OpenSocket(sockets[0], SocketRole::Connect);
    ASSERT_NE(sender, nullptr);
    ASSERT_TRUE(SendAll(*sender, std::vector<unsigned char>(firstRecord.begin(), firstRecord.begin() + 10)));
    EXPECT_TRUE(Win32::TakeBroadcastsFromOtherInstances().empty());

    std::vector<unsigned char> rest(firstRecord.begin() + 10, firstRecord.end());
    rest.insert(rest.end(), secondRecord.begin(), secondRecord.end());
    ASSERT_TRUE(SendAll(*sender, rest));
    std::vector<Win32::BroadcastMessage> messages = WaitForBroadcasts();
    if (messages.size() == 1) {
        const std::vector<Win32::BroadcastMessage> more = WaitForBroadcasts();
        messages.insert(messages.end(), more.begin(), more.end());
    }
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0].message, 0xC001u);
    EXPECT_EQ(messages[0].wParam, static_cast<Win32::WPARAM>(0xFFFFFFFFFFFFFFFFULL));
    EXPECT_EQ(messages[0].lParam, static_cast<Win32::LPARAM>(INT64_MIN));
    EXPECT_EQ(messages[1].message, 0xC002u);
    EXPECT_EQ(messages[1].wParam, 2u);
    EXPECT_EQ(messages[1].lParam, -2);
}

TEST_F(SingleInstance, UnnamedMutexIsAPrivateValidHandle)
{
    for (const char* const name : {static_cast<const char*>(nullptr), ""}) {
        Win32::SetLastError(0xDEAD);
        Win32::HANDLE handle = Win32::CreateMutexA(nullptr, 0, name);
        ASSERT_NE(handle, nullptr);
        EXPECT_NE(handle, Win32::INVALID_HANDLE_VALUE);
        EXPECT_EQ(Win32::GetLastError(), static_cast<Win32::DWORD>(Win32::ERROR_SUCCESS));
        EXPECT_EQ(Win32::CloseHandle(handle), 1);
    }
    EXPECT_TRUE(fs::is_empty(mFolder));
}

class SingleInstanceFolder : public ::testing::Test {
protected:
    const Tests::TemporaryFolder mTemporary;
    const std::string mParent = mTemporary.Path().string();
};

TEST_F(SingleInstanceFolder, MissingFolderIsCreatedPrivate)
{
    const std::string folder = mParent + "/runtime";
    ASSERT_TRUE(Win32::PreparePrivateRuntimeFolder(folder));
    struct stat info {};
    ASSERT_EQ(::lstat(folder.c_str(), &info), 0);
    EXPECT_TRUE(S_ISDIR(info.st_mode));
    EXPECT_EQ(info.st_mode & 0777, 0700u);
    EXPECT_EQ(info.st_uid, ::geteuid());
    EXPECT_TRUE(Win32::PreparePrivateRuntimeFolder(folder)) << "an existing private folder is reused";
}

TEST_F(SingleInstanceFolder, FolderOthersCanReachIsRefused)
{
    const std::string folder = mParent + "/runtime";
    ASSERT_EQ(::mkdir(folder.c_str(), 0700), 0);
    for (const mode_t mode : {0777, 0755, 0770, 0701}) {
        ASSERT_EQ(::chmod(folder.c_str(), mode), 0);
        EXPECT_FALSE(Win32::PreparePrivateRuntimeFolder(folder)) << std::oct << mode;
    }
    EXPECT_FALSE(Win32::PreparePrivateRuntimeFolder("/tmp")) << "world-writable and shared";
}

TEST_F(SingleInstanceFolder, FolderOfAnotherUserIsRefused)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "only root can give a folder to another user";
    const std::string folder = mParent + "/runtime";
    ASSERT_EQ(::mkdir(folder.c_str(), 0700), 0);
    ASSERT_EQ(::chown(folder.c_str(), 65534, 65534), 0);
    EXPECT_FALSE(Win32::PreparePrivateRuntimeFolder(folder));
}

TEST_F(SingleInstanceFolder, SymlinkOrFileInItsPlaceIsRefused)
{
    const std::string target = mParent + "/target";
    ASSERT_TRUE(Win32::PreparePrivateRuntimeFolder(target));
    const std::string link = mParent + "/link";
    ASSERT_EQ(::symlink(target.c_str(), link.c_str()), 0);
    EXPECT_FALSE(Win32::PreparePrivateRuntimeFolder(link));

    const std::string file = mParent + "/file";
    const int fd = ::open(file.c_str(), O_CREAT | O_WRONLY | O_CLOEXEC, 0700);
    ASSERT_GE(fd, 0);
    ::close(fd);
    EXPECT_FALSE(Win32::PreparePrivateRuntimeFolder(file));
}

} // namespace
