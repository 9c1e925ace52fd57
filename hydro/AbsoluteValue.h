// The model's absolute value. Needs SSE2 code generation, as the model is built (and its 32-bit callers
// outside the model are not): include it only in the model's own sources.
#pragma once

#include <emmintrin.h>

namespace ondivar {

// |x| as std::fabs gives it (the sign bit cleared, NaN included), in an SSE2 register: the 32-bit
// MinGW fabs goes through the x87 unit and memory, several times the cost of the arithmetic around it.
inline double AbsoluteValue(double x)
{
    return _mm_cvtsd_f64(_mm_andnot_pd(_mm_set_sd(-0.0), _mm_set_sd(x)));
}

} // namespace ondivar
