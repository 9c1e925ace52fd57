// The correlation on its own, for callers outside the model's calculations, and with its derivatives; the
// numbers of a kind in the present state.
#include "hydro/NusseltCorrelation.h"
#include "hydro/PhaseHeatTransfer.h"

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

void CSimpleHydro::FindHeatTransferOutOfLine(int kind, CStateHeatTransfer& known)
{
    FindHeatTransfer(kind, known);
}

} // namespace ondivar
