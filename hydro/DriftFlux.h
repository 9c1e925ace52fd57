// The drift-flux relations that the set-ups and the derivatives share, written once.
#pragma once

#include "hydro/ModelConstants.h"
#include "support/Arrays.h"

#include <cmath>

namespace ondivar {

// Taylor-bubble rise velocity 0.35 sqrt(g D).
inline double BubbleRiseVelocity(double diameter)
{
    return std::sqrt(kGravity * diameter) * kBubbleRiseCoefficient;
}

// rho_m = sum of alpha_i rho_i over the three kinds.
inline double MixtureDensity(const CArray1D<double>& density, const CArray1D<double>& holdup)
{
    return (density[0] * holdup[0] + density[1] * holdup[1]) + density[2] * holdup[2];
}

} // namespace ondivar
