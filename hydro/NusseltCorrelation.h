// The wall heat-transfer correlation shared by the thermal resistance and its derivatives. Defined here,
// to be compiled into the model's calculations: a 32-bit call of a function visible to other files returns
// its double through the x87 unit and memory (a file's own functions return it in an SSE2 register). Needs
// the model's SSE2 code generation.
#pragma once

#include "hydro/AbsoluteValue.h"
#include "hydro/ElementaryFunctions.h"
#include "hydro/SimpleHydro.h"

namespace ondivar {

namespace {
namespace nusselt {

constexpr double kNusseltFloor = 4.0;

// Not 1/3: the correlation is defined with this exponent.
constexpr double kPrandtlExponent = 0.333333333333;

// kPrandtlExponent log |Pr|, the Prandtl number's share of the exponent.
inline double PrandtlTerm(double prandtl)
{
    return kPrandtlExponent * NaturalLog(AbsoluteValue(prandtl));
}

// 0.023 |Re|^0.8 |Pr|^0.333333333333, through one exponential: equal to the product of the two powers
// within a few units in the last place, with the same zeros, infinities and NaNs.
[[gnu::always_inline]] inline double ColburnNusselt(double reynolds, double prandtlTerm)
{
    return 0.023 * NaturalExp(0.8 * NaturalLog(AbsoluteValue(reynolds)) + prandtlTerm);
}

inline double Floored(double nusselt)
{
    return nusselt < kNusseltFloor ? kNusseltFloor : nusselt; // NaN passes through
}

inline double WithDerivatives(double nusselt, double reynolds, double prandtl, double& dNuDRe, double& dNuDPr)
{
    if (nusselt < kNusseltFloor) {
        dNuDRe = 0.0;
        dNuDPr = 0.0;
        return kNusseltFloor;
    }
    dNuDRe = (0.8 * nusselt) / AbsoluteValue(reynolds);
    dNuDPr = nusselt / (AbsoluteValue(prandtl) * 3.0);
    return nusselt;
}

} // namespace nusselt
} // namespace

inline double CSimpleHydro::PrandtlTermOfKind(int kind, double prandtl)
{
    CNusseltMemo& memo = m_nusseltMemo[kind];
    if (!(prandtl == memo.termPrandtl)) {
        memo.prandtlTerm = nusselt::PrandtlTerm(prandtl);
        memo.termPrandtl = prandtl;
    }
    return memo.prandtlTerm;
}

} // namespace ondivar
