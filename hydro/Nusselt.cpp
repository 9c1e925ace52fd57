// The correlation on its own, for callers outside the model's calculations, and with its derivatives.
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

// Compiled here, not into the derivatives: with it inlined the compiler orders the derivatives' operands
// differently, and where two NaNs meet the result carries the other one's sign (all else the same).
double CSimpleHydro::NusseltDerivOfKind(int kind, double reynolds, double prandtl, double& dNuDRe,
                                        double& dNuDPr)
{
    return nusselt::WithDerivatives(ColburnNusseltOfKind(kind, reynolds, prandtl), reynolds, prandtl, dNuDRe,
                                    dNuDPr);
}

} // namespace ondivar
