#pragma once
// The instruction-set paths of the blends for tests that hold them against each other: the
// ones this processor runs, and a scope that takes one of them.

#include "framework/graphics/BlendAvx2.h"

#include <vector>

namespace Tests {

// SSE2 always, AVX2 where the processor runs it.
inline std::vector<Zest::Blend::RowPath> RunnableRowPaths()
{
    std::vector<Zest::Blend::RowPath> paths{Zest::Blend::RowPath::Sse2};
    if (Zest::Blend::FastestRowPath() == Zest::Blend::RowPath::Avx2)
        paths.push_back(Zest::Blend::RowPath::Avx2);
    return paths;
}

inline const char* NameOf(const Zest::Blend::RowPath path)
{
    return path == Zest::Blend::RowPath::Avx2 ? "AVX2" : "SSE2";
}

// Takes one path for a scope, then puts back the one before.
class RowPathChoice {
public:
    explicit RowPathChoice(const Zest::Blend::RowPath path) : mSaved(Zest::Blend::ActiveRowPath())
    {
        Zest::Blend::SetRowPath(path);
    }
    ~RowPathChoice() { Zest::Blend::SetRowPath(mSaved); }
    RowPathChoice(const RowPathChoice&) = delete;
    RowPathChoice& operator=(const RowPathChoice&) = delete;

private:
    Zest::Blend::RowPath mSaved;
};

} // namespace Tests
