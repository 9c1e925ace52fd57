// Dimensionless numbers of one phase's wall heat transfer, with the property floors of its kind, and the
// Colburn number they give, found once per state. Compiled into the model's calculations (see
// NusseltCorrelation.h).
#pragma once

#include "hydro/AbsoluteValue.h"
#include "hydro/NusseltCorrelation.h"
#include "hydro/SimpleHydro.h"

namespace ondivar {

inline CPhaseHeatTransfer EvaluatePhaseHeatTransfer(int kind, double diameter, double superficialVelocity,
                                                    double density, double viscosity, double heatCapacity,
                                                    double conductivity)
{
    const double minViscosity = CSimpleHydro::m_minimumViscosity[kind];
    const double minConductivity = CSimpleHydro::m_minimumConductivity[kind];
    CPhaseHeatTransfer h;
    h.viscosity = viscosity > minViscosity ? viscosity : minViscosity;
    h.reynolds = (density * diameter) * AbsoluteValue(superficialVelocity) / h.viscosity;
    h.conductivity = conductivity > minConductivity ? conductivity : minConductivity;
    h.prandtl = (viscosity * heatCapacity) / h.conductivity;
    return h;
}

// Finds the present state's numbers of a kind, the Colburn number through the kind's memo. Compiled into
// the thermal resistance, which finds every listed kind's.
[[gnu::always_inline]] inline void CSimpleHydro::FindHeatTransfer(int kind, CStateHeatTransfer& known)
{
    known.numbers =
        EvaluatePhaseHeatTransfer(kind, m_diameter, m_superficialVelocity[kind], m_density[kind],
                                  m_viscosity[kind], m_heatCapacity[kind], m_thermalConductivity[kind]);
    const double reynolds = known.numbers.reynolds;
    const double prandtl = known.numbers.prandtl;
    CNusseltMemo& memo = m_nusseltMemo[kind];
    if (!(reynolds == memo.reynolds && prandtl == memo.prandtl)) {
        memo.nusselt = nusselt::ColburnNusselt(reynolds, PrandtlTermOfKind(kind, prandtl));
        memo.reynolds = reynolds;
        memo.prandtl = prandtl;
    }
    known.colburn = memo.nusselt;
    known.resets = m_resets;
}

// The present state's numbers of a kind: its velocity and properties stay the same until the next Reset.
// The derivatives find them here, found already unless the thermal resistance was not computed.
inline const CSimpleHydro::CStateHeatTransfer& CSimpleHydro::HeatTransferOfKind(int kind)
{
    CStateHeatTransfer& known = m_stateHeatTransfer[kind];
    if (known.resets != m_resets)
        FindHeatTransferOutOfLine(kind, known);
    return known;
}

} // namespace ondivar
