// Natural logarithm and exponential for the heat-transfer correlation. The C runtime's pow, log and exp
// of the MinGW build cost 70 to 250 ns a call; these cost a few ns and stay within one unit in the last
// place of the exact result (argument reduction by ln 2 and minimax polynomials).
#pragma once

namespace ondivar {

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
