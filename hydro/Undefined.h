// Markers of values the model does not hold.
#pragma once

#include <limits>

namespace ondivar {

// The quiet NaN that HUGE_VAL / HUGE_VAL gives on x86 (sign bit set), as a constant so that it is
// ready before any static initialisation runs. Nothing compares with it: NaN never equals itself.
constexpr double kUndefinedReal = -std::numeric_limits<double>::quiet_NaN();
constexpr int kUndefinedInteger = 7777777;

} // namespace ondivar
