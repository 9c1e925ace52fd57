// Constants of the drift-flux model shared by its set-ups and derivatives.
#pragma once

namespace ondivar {

constexpr double kGravity = 9.81;
constexpr double kPi = 3.141592653589793;
// Taylor-bubble rise velocity 0.35 sqrt(g D).
constexpr double kBubbleRiseCoefficient = 0.35;
// Excess of the distribution coefficient (1.2) over 1: the part of the drift that follows Um.
constexpr double kDriftMixtureCoefficient = 0.2;
// A holdup above this marks a phase present.
constexpr double kPresenceHoldup = 1e-10;

// +1 for x >= 0 (so also for 0), -1 otherwise.
inline double SignOf(double x)
{
    return x >= 0.0 ? 1.0 : -1.0;
}

} // namespace ondivar
