// The wall heat-transfer correlation shared by the thermal resistance and its derivatives.
#include "hydro/SimpleHydro.h"

#include <cmath>

namespace ondivar {

namespace {

constexpr double kNusseltFloor = 4.0;

// Not 1/3: the correlation is defined with this exponent.
constexpr double kPrandtlExponent = 0.333333333333;

double ColburnNusselt(double reynolds, double prandtl)
{
    return (0.023 * std::pow(std::fabs(reynolds), 0.8)) * std::pow(std::fabs(prandtl), kPrandtlExponent);
}

} // namespace

double CSimpleHydro::Nusselt(double reynolds, double prandtl)
{
    const double nusselt = ColburnNusselt(reynolds, prandtl);
    return nusselt < kNusseltFloor ? kNusseltFloor : nusselt; // NaN passes through
}

double CSimpleHydro::NusseltDeriv(double reynolds, double prandtl, double& dNuDRe, double& dNuDPr)
{
    const double nusselt = ColburnNusselt(reynolds, prandtl);
    if (nusselt < kNusseltFloor) {
        dNuDRe = 0.0;
        dNuDPr = 0.0;
        return kNusseltFloor;
    }
    dNuDRe = (0.8 * nusselt) / std::fabs(reynolds);
    dNuDPr = nusselt / (std::fabs(prandtl) * 3.0);
    return nusselt;
}

} // namespace ondivar
