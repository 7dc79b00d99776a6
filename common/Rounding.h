#pragma once
// Rounding to the nearest whole number with halves to the even neighbour, independent
// of the floating-point environment's rounding mode: the dials' geometry and the
// active tests' values both round this way.

#include <cmath>

namespace dp {

inline double RoundHalfToEven(double x)
{
    if (std::fabs(x - std::trunc(x)) == 0.5) return 2.0 * std::round(x / 2.0);
    return std::round(x);
}

}  // namespace dp
