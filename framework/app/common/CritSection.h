#pragma once
// The framework's lock: a recursive mutex, held for a scope through CritLock so that every
// return path releases it.

#include <mutex>

namespace Zest {

class CritSection {
public:
    CritSection() = default;
    CritSection(const CritSection&) = delete;
    CritSection& operator=(const CritSection&) = delete;

    std::recursive_mutex mMutex;
};

class CritLock {
public:
    explicit CritLock(CritSection& section) : mLock(section.mMutex) {}

private:
    std::lock_guard<std::recursive_mutex> mLock;
};

} // namespace Zest
