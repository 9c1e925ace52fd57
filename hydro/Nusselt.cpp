// The correlation on its own, for callers outside the model's calculations.
#include "hydro/NusseltCorrelation.h"

namespace ondivar {

double CSimpleHydro::Nusselt(double reynolds, double prandtl)
{
    return nusselt::Floored(nusselt::ColburnNusselt(reynolds, nusselt::PrandtlTerm(prandtl)));
}

double CSimpleHydro::NusseltDeriv(double reynolds, double prandtl, double& dNuDRe, double& dNuDPr)
{
    return nusselt::WithDerivatives(nusselt::ColburnNusselt(reynolds, nusselt::PrandtlTerm(prandtl)),
                                    reynolds, prandtl, dNuDRe, dNuDPr);
}

} // namespace ondivar
