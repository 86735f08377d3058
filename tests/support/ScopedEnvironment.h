#pragma once
// Sets (or, for null, removes) an environment variable and gives it back its old value, or
// removes it again, when destroyed.

#include <cstdlib>
#include <optional>
#include <string>

namespace Tests {

class ScopedEnvironment {
public:
    ScopedEnvironment(const char* const name, const char* const value) : mName(name)
    {
        if (const char* const old = std::getenv(name))
            mOld = old;
        Set(value);
    }
    ~ScopedEnvironment() { Set(mOld ? mOld->c_str() : nullptr); }

    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

    void Set(const char* const value) const
    {
        if (value != nullptr)
            setenv(mName.c_str(), value, 1);
        else
            unsetenv(mName.c_str());
    }

private:
    std::string mName;
    std::optional<std::string> mOld;
};

} // namespace Tests
