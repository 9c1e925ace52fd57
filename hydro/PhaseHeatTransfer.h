// Dimensionless numbers of one phase's wall heat transfer, with the property floors of its kind.
#pragma once

#include "hydro/AbsoluteValue.h"
#include "hydro/SimpleHydro.h"

namespace ondivar {

struct CPhaseHeatTransfer {
    double viscosity;    // floored dynamic viscosity (a NaN viscosity takes the floor)
    double conductivity; // floored thermal conductivity
    double reynolds;     // from the superficial velocity and the floored viscosity
    double prandtl;      // from the phase's own viscosity and the floored conductivity
};

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

} // namespace ondivar
