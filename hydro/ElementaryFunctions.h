// Natural logarithm and exponential for the heat-transfer correlation. The C runtime's pow, log and exp
// of the MinGW build cost 70 to 250 ns a call; these cost a few ns and stay within one unit in the last
// place of the exact result (argument reduction by ln 2 and minimax polynomials).
#pragma once

#include <emmintrin.h>

namespace ondivar {

// |x| as std::fabs gives it (the sign bit cleared, NaN included), in an SSE2 register: the 32-bit
// MinGW fabs goes through the x87 unit and memory, several times the cost of the arithmetic around it.
inline double AbsoluteValue(double x)
{
    return _mm_cvtsd_f64(_mm_andnot_pd(_mm_set_sd(-0.0), _mm_set_sd(x)));
}

// log(x): NaN for x < 0 or NaN, -inf for 0, +inf for +inf.
double NaturalLog(double x);

// exp(x): +inf above 709.78, 0 below -745.13, NaN for NaN.
double NaturalExp(double x);

// |base|^exponent as exp(exponent log |base|), for the positive exponents of the correlation: 0 for a zero
// base, NaN when either argument is NaN.
inline double AbsPower(double base, double exponent)
{
    return NaturalExp(exponent * NaturalLog(base < 0.0 ? -base : base));
}

} // namespace ondivar
