#pragma once
// An integer ratio kept in lowest terms, such as a display's aspect ratio.

#include <cstdint>

namespace Zest {

class Ratio {
public:
    Ratio() = default;
    Ratio(const int32_t numerator, const int32_t denominator) { Set(numerator, denominator); }

    // Stores numerator / denominator in lowest terms, the sign on the numerator. A zero
    // denominator has no ratio and stores 1/1.
    void Set(int32_t numerator, int32_t denominator);

    // Whether this ratio is wider than the other, by two integer tests that truncate toward
    // zero, so that ratios within rounding of each other are not wider.
    bool operator>(const Ratio& other) const;

    int32_t mNumerator = 1;
    int32_t mDenominator = 1;
};

} // namespace Zest
