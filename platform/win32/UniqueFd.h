#pragma once
// Owns one POSIX file descriptor and closes it when it goes.

#include <unistd.h>

#include <utility>

namespace Win32 {

class UniqueFd {
public:
    UniqueFd() = default;
    explicit UniqueFd(const int fd) : mFd(fd) {}
    UniqueFd(UniqueFd&& other) noexcept : mFd(std::exchange(other.mFd, -1)) {}
    UniqueFd& operator=(UniqueFd&& other) noexcept
    {
        if (this != &other) {
            Close();
            mFd = std::exchange(other.mFd, -1);
        }
        return *this;
    }
    UniqueFd(const UniqueFd&) = delete;
    UniqueFd& operator=(const UniqueFd&) = delete;
    ~UniqueFd() { Close(); }

    int Get() const { return mFd; }
    bool Valid() const { return mFd >= 0; }
    // Closes now and gives close's result, for callers that must know whether data reached
    // the file; 0 when there was nothing to close.
    int Close() { return mFd >= 0 ? ::close(std::exchange(mFd, -1)) : 0; }

private:
    int mFd = -1;
};

} // namespace Win32
