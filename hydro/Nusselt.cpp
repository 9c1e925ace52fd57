// The wall heat-transfer correlation shared by the thermal resistance and its derivatives.
#include "hydro/SimpleHydro.h"

#include "hydro/ElementaryFunctions.h"

#include <cmath>

namespace ondivar {

namespace {

constexpr double kNusseltFloor = 4.0;

// Not 1/3: the correlation is defined with this exponent.
constexpr double kPrandtlExponent = 0.333333333333;

// 0.023 |Re|^0.8 |Pr|^0.333333333333, through one exponential: equal to the product of the two powers
// within a few units in the last place, with the same zeros, infinities and NaNs.
double ColburnNusselt(double reynolds, double prandtl)
{
    return 0.023 * NaturalExp(0.8 * NaturalLog(std::fabs(reynolds)) +
                              kPrandtlExponent * NaturalLog(std::fabs(prandtl)));
}

double Floored(double nusselt)
{
    return nusselt < kNusseltFloor ? kNusseltFloor : nusselt; // NaN passes through
}

double WithDerivatives(double nusselt, double reynolds, double prandtl, double& dNuDRe, double& dNuDPr)
{
    if (nusselt < kNusseltFloor) {
        dNuDRe = 0.0;
        dNuDPr = 0.0;
        return kNusseltFloor;
    }
    dNuDRe = (0.8 * nusselt) / std::fabs(reynolds);
    dNuDPr = nusselt / (std::fabs(prandtl) * 3.0);
    return nusselt;
}

} // namespace

double CSimpleHydro::Nusselt(double reynolds, double prandtl)
{
    return Floored(ColburnNusselt(reynolds, prandtl));
}

double CSimpleHydro::NusseltDeriv(double reynolds, double prandtl, double& dNuDRe, double& dNuDPr)
{
    return WithDerivatives(ColburnNusselt(reynolds, prandtl), reynolds, prandtl, dNuDRe, dNuDPr);
}

double CSimpleHydro::ColburnNusseltOfKind(int kind, double reynolds, double prandtl)
{
    CNusseltMemo& memo = m_nusseltMemo[kind];
    if (!(reynolds == memo.reynolds && prandtl == memo.prandtl))
        memo = {reynolds, prandtl, ColburnNusselt(reynolds, prandtl)};
    return memo.nusselt;
}

double CSimpleHydro::NusseltOfKind(int kind, double reynolds, double prandtl)
{
    return Floored(ColburnNusseltOfKind(kind, reynolds, prandtl));
}

double CSimpleHydro::NusseltDerivOfKind(int kind, double reynolds, double prandtl, double& dNuDRe,
                                        double& dNuDPr)
{
    return WithDerivatives(ColburnNusseltOfKind(kind, reynolds, prandtl), reynolds, prandtl, dNuDRe, dNuDPr);
}

} // namespace ondivar
