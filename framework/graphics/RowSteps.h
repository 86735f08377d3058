#pragma once
// The steps of a row of destination pixels whose mapped source position, start + k x step
// in fixed point, lies in a range. The rotated blits narrow each row with them once
// (SampledRow), to the pixels that touch the source and, inside those, the pixels whose four
// neighbours all lie in it, so that no pixel is bounds-tested.

#include <algorithm>
#include <cstdint>
#include <type_traits>

namespace Zest {

// Steps mFirst .. mLast of a row; empty when mFirst > mLast.
struct RowSteps {
    int64_t mFirst;
    int64_t mLast;

    // Keeps the steps k where start + k x step lies in low .. high.
    void Narrow(const int64_t start, const int64_t step, const int64_t low, const int64_t high)
    {
        if (step == 0) {
            if (start < low || start > high)
                mLast = mFirst - 1;
        } else if (step > 0) {
            mFirst = std::max(mFirst, CeilDiv(low - start, step));
            mLast = std::min(mLast, FloorDiv(high - start, step));
        } else {
            mFirst = std::max(mFirst, CeilDiv(high - start, step));
            mLast = std::min(mLast, FloorDiv(low - start, step));
        }
    }

    bool Empty() const { return mFirst > mLast; }

    // Floor and ceiling of a / b for any signs (b not 0).
    static int64_t FloorDiv(const int64_t a, const int64_t b)
    {
        const int64_t q = a / b;
        return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
    }

    static int64_t CeilDiv(const int64_t a, const int64_t b)
    {
        const int64_t q = a / b;
        return (a % b != 0 && (a < 0) == (b < 0)) ? q + 1 : q;
    }
};

// The steps of a row of bilinear samples at the 16.16 source positions (u + k x du,
// v + k x dv), k = 0 .. count - 1, against the source pixels of columns left .. right - 1
// and rows top .. bottom - 1: mOuter, those that touch them (the top-left neighbour from one
// before the first pixel to the last), and mInner, inside those, the ones whose four
// neighbours all lie among them.
struct SampledRow {
    RowSteps mOuter;
    RowSteps mInner;

    SampledRow(const int64_t count, const int64_t u, const int64_t v, const int64_t du, const int64_t dv,
               const int64_t left, const int64_t top, const int64_t right, const int64_t bottom)
        : mOuter{0, count - 1}
    {
        constexpr int64_t kOne = 0x10000;
        mOuter.Narrow(u, du, (left - 1) * kOne, right * kOne - 1);
        mOuter.Narrow(v, dv, (top - 1) * kOne, bottom * kOne - 1);
        mInner = mOuter;
        mInner.Narrow(u, du, left * kOne, (right - 1) * kOne - 1);
        mInner.Narrow(v, dv, top * kOne, (bottom - 1) * kOne - 1);
    }

    // Calls run(guarded, first, last) for each non-empty part of the outer steps, in order:
    // guarded is std::true_type outside the inner steps, std::false_type inside them.
    template <typename Run>
    void VisitParts(const Run& run) const
    {
        if (mInner.Empty()) {
            VisitPart(run, std::true_type{}, mOuter.mFirst, mOuter.mLast);
            return;
        }
        VisitPart(run, std::true_type{}, mOuter.mFirst, mInner.mFirst - 1);
        VisitPart(run, std::false_type{}, mInner.mFirst, mInner.mLast);
        VisitPart(run, std::true_type{}, mInner.mLast + 1, mOuter.mLast);
    }

private:
    template <typename Run, typename Guarded>
    static void VisitPart(const Run& run, const Guarded guarded, const int64_t first, const int64_t last)
    {
        if (first <= last)
            run(guarded, first, last);
    }
};

} // namespace Zest
