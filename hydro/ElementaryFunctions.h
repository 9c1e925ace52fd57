// Natural logarithm and exponential for the heat-transfer correlation. The C runtime's pow, log and exp
// of the MinGW build cost 70 to 250 ns a call; these cost a few ns and stay within one unit in the last
// place of the exact result (argument reduction by ln 2 and minimax polynomials).
//
// Compiled into their callers: a 32-bit call returns its double through the x87 unit and memory, which
// costs more than the polynomials (even for a function of this file the compiler splits off a part that
// returns that way). Like the rest of the model they need SSE2 code generation: include this only where
// the model's flags apply.
#pragma once

#include <cstdint>
#include <limits>

// The model is built for SSE2 arithmetic on both architectures (identical results).
#include <emmintrin.h>

namespace ondivar {

namespace elementary {

constexpr double kLn2Hi = 6.93147180369123816490e-01; // upper bits of ln 2, exact times any small integer
constexpr double kLn2Lo = 1.90821492927058770002e-10; // ln 2 - kLn2Hi
constexpr double kInvLn2 = 1.44269504088896338700e+00;

// The bit patterns are taken apart and put together in SSE2 registers. A 32-bit build would otherwise
// write the two halves of a double to memory and read them back as one, which stalls the load (a store
// cannot be forwarded to a wider load): that cost more than the polynomials.

// The upper 32 bits of x.
inline std::int32_t HighWord(double x)
{
    return _mm_cvtsi128_si32(_mm_srli_epi64(_mm_castpd_si128(_mm_set_sd(x)), 32));
}

// x with its upper 32 bits replaced by high.
inline double WithHighWord(double x, std::uint32_t high)
{
    const __m128i lowBits = _mm_and_si128(_mm_castpd_si128(_mm_set_sd(x)), _mm_set_epi32(0, 0, 0, -1));
    const __m128i highBits = _mm_slli_epi64(_mm_cvtsi32_si128(static_cast<int>(high)), 32);
    return _mm_cvtsd_f64(_mm_castsi128_pd(_mm_or_si128(lowBits, highBits)));
}

// 2^k for a normal result, -1022 <= k <= 1023.
inline double TwoToThe(int k)
{
    return _mm_cvtsd_f64(_mm_castsi128_pd(_mm_slli_epi64(_mm_cvtsi32_si128(k + 1023), 52)));
}

} // namespace elementary

// log(x): NaN for x < 0 or NaN, -inf for 0, +inf for +inf.
[[gnu::always_inline]] inline double NaturalLog(double x)
{
    using namespace elementary;
    // Minimax coefficients of (log(1+f) - log(1-f) - 2s) / s in s^2, s = f / (2 + f).
    constexpr double kLg1 = 6.666666666666735130e-01, kLg2 = 3.999999999940941908e-01,
                     kLg3 = 2.857142874366239149e-01, kLg4 = 2.222219843214978396e-01,
                     kLg5 = 1.818357216161805012e-01, kLg6 = 1.531383769920937332e-01,
                     kLg7 = 1.479819860511658591e-01;

    if (!(x > 0.0)) {
        if (x == 0.0)
            return -std::numeric_limits<double>::infinity();
        return std::numeric_limits<double>::quiet_NaN(); // negative or NaN
    }
    if (x == std::numeric_limits<double>::infinity())
        return x;
    int k = 0;
    if (x < std::numeric_limits<double>::min()) { // subnormal: scale by 2^54
        k -= 54;
        x *= 18014398509481984.0;
    }
    std::int32_t hx = HighWord(x);
    k += (hx >> 20) - 1023;
    hx &= 0x000fffff;
    // x = 2^k (1 + f) with sqrt(2)/2 <= 1 + f < sqrt(2).
    const std::int32_t i = (hx + 0x95f64) & 0x100000;
    x = WithHighWord(x, static_cast<std::uint32_t>(hx | (i ^ 0x3ff00000)));
    k += i >> 20;
    const double f = x - 1.0;
    const double dk = k;
    if ((0x000fffff & (2 + hx)) < 3) { // |f| < 2^-20
        if (f == 0.0)
            return dk * kLn2Hi + dk * kLn2Lo;
        const double r = f * f * (0.5 - 0.33333333333333333 * f);
        return k == 0 ? f - r : dk * kLn2Hi - ((r - dk * kLn2Lo) - f);
    }
    const double s = f / (2.0 + f);
    const double z = s * s;
    const double w = z * z;
    const double t1 = w * (kLg2 + w * (kLg4 + w * kLg6));
    const double t2 = z * (kLg1 + w * (kLg3 + w * (kLg5 + w * kLg7)));
    const double r = t2 + t1;
    if (((hx - 0x6147a) | (0x6b851 - hx)) > 0) {
        const double halfSquare = 0.5 * f * f;
        if (k == 0)
            return f - (halfSquare - s * (halfSquare + r));
        return dk * kLn2Hi - ((halfSquare - (s * (halfSquare + r) + dk * kLn2Lo)) - f);
    }
    if (k == 0)
        return f - s * (f - r);
    return dk * kLn2Hi - ((s * (f - r) - dk * kLn2Lo) - f);
}

// exp(x): +inf above 709.78, 0 below -745.13, NaN for NaN.
[[gnu::always_inline]] inline double NaturalExp(double x)
{
    using namespace elementary;
    // Minimax coefficients of the remez approximation of r (e^r + 1) / (e^r - 1) on |r| <= ln2 / 2.
    constexpr double kP1 = 1.66666666666666019037e-01, kP2 = -2.77777777770155933842e-03,
                     kP3 = 6.61375632143793436117e-05, kP4 = -1.65339022054652515390e-06,
                     kP5 = 4.13813679705723846039e-08;
    constexpr double kOverflow = 7.09782712893383973096e+02;
    constexpr double kUnderflow = -7.45133219101941108420e+02;

    if (x != x)
        return x;
    if (x > kOverflow)
        return std::numeric_limits<double>::infinity();
    if (x < kUnderflow)
        return 0.0;
    const double absX = x < 0.0 ? -x : x;
    if (absX < 3.7252902984e-09) // 2^-28: e^x = 1 + x to the last bit
        return 1.0 + x;

    // x = k ln2 + r, r = hi - lo, |r| <= ln2 / 2.
    int k = 0;
    double hi = x, lo = 0.0;
    if (absX > 0.5 * 0.6931471805599453) {
        k = static_cast<int>(kInvLn2 * x + (x < 0.0 ? -0.5 : 0.5));
        const double dk = k;
        hi = x - dk * kLn2Hi;
        lo = dk * kLn2Lo;
    }
    const double r = hi - lo;
    const double t = r * r;
    const double c = r - t * (kP1 + t * (kP2 + t * (kP3 + t * (kP4 + t * kP5))));
    if (k == 0)
        return 1.0 - ((r * c) / (c - 2.0) - r);
    const double y = 1.0 - ((lo - (r * c) / (2.0 - c)) - hi);
    if (k >= -1021 && k <= 1023)
        return y * TwoToThe(k);
    if (k > 1023)
        return y * TwoToThe(k - 1) * 2.0;
    return y * TwoToThe(k + 1000) * TwoToThe(-1000); // subnormal result
}

// |base|^exponent as exp(exponent log |base|), for the positive exponents of the correlation: 0 for a zero
// base, NaN when either argument is NaN.
inline double AbsPower(double base, double exponent)
{
    return NaturalExp(exponent * NaturalLog(base < 0.0 ? -base : base));
}

} // namespace ondivar
