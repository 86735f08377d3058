#include "framework/app/common/Ratio.h"

#include <cstdint>
#include <numeric>

namespace Zest {

void Ratio::Set(const int32_t numerator, const int32_t denominator)
{
    if (denominator == 0) {
        mNumerator = 1;
        mDenominator = 1;
        return;
    }
    // In 64 bits, so that the extremes of 32 bits neither overflow nor trap.
    const int64_t divisor = std::gcd(static_cast<int64_t>(numerator), static_cast<int64_t>(denominator));
    int64_t reducedNumerator = numerator / divisor;
    int64_t reducedDenominator = denominator / divisor;
    // The sign goes to the numerator, unless a term of -2^31 cannot change sign in 32 bits.
    if (reducedDenominator < 0 && reducedNumerator > INT32_MIN && reducedDenominator > INT32_MIN) {
        reducedNumerator = -reducedNumerator;
        reducedDenominator = -reducedDenominator;
    }
    mNumerator = static_cast<int32_t>(reducedNumerator);
    mDenominator = static_cast<int32_t>(reducedDenominator);
}

bool Ratio::operator>(const Ratio& other) const
{
    return (other.mNumerator * mDenominator) / other.mDenominator < mNumerator ||
           other.mNumerator < (mNumerator * other.mDenominator) / mDenominator;
}

} // namespace Zest
