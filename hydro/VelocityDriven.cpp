// The calculation the flow component runs: holdups and velocities from superficial velocities, then
// flow pattern, pressure gradients and thermal resistance. The arithmetic keeps its order of evaluation.
#include "hydro/AbsoluteValue.h"
#include "hydro/HydroConfiguration.h"
#include "hydro/DriftFlux.h"
#include "hydro/ModelConstants.h"
#include "hydro/NusseltCorrelation.h"
#include "hydro/PhaseHeatTransfer.h"
#include "hydro/SimpleHydro.h"

#include <cmath>

namespace ondivar {

void CSimpleHydro::SetupFromVelocities(double diameter, double roughness, double inclination, int phaseCount,
                                       const CIntArray& phaseKinds, const CDoubleArray& superficialVelocity,
                                       const CDoubleArray& density, const CDoubleArray& viscosity,
                                       const CDoubleMatrix& twoPhaseProps, const CDoubleArray& heatCapacity,
                                       const CDoubleArray& thermalConductivity)
{
    CheckPhaseList(phaseCount, phaseKinds,
                   {&superficialVelocity, &density, &viscosity, &heatCapacity, &thermalConductivity});
    CheckPairMatrix(phaseCount, phaseKinds, twoPhaseProps);

    m_mode = eModeVelocities;
    Reset();
    m_diameter = diameter;
    m_inclination = inclination;
    m_roughness = roughness;
    m_phaseCount = phaseCount;
    const int n = phaseCount;
    for (int p = 0; p < n; ++p) {
        const int i = phaseKinds[p];
        m_phaseKinds[p] = i;
        m_superficialVelocity[i] = superficialVelocity[i];
        m_density[i] = density[i];
        m_viscosity[i] = viscosity[i];
        m_heatCapacity[i] = heatCapacity[i];
        m_thermalConductivity[i] = thermalConductivity[i];
        for (int q = 0; q < n; ++q) {
            const int j = phaseKinds[q];
            m_twoPhaseProps[i][j] = twoPhaseProps[i][j];
        }
    }

    double um = 0.0;
    for (int p = 0; p < n; ++p)
        um += m_superficialVelocity[m_phaseKinds[p]];
    m_mixtureVelocity = um;

    const double drift = (BubbleRiseVelocity(diameter) + kDriftMixtureCoefficient * um) * inclination;

    // The vapour velocity solves v^2 - (Um + d) v + Us0 d = 0 (the holdups add up to 1); the root follows
    // the direction of the flow. The vapour slot is a number only when vapour is listed.
    const double vapourUs = m_superficialVelocity[eVapor];
    double vapourVelocity;
    if (vapourUs == vapourUs) {
        const double b = um + drift;
        vapourVelocity = (b + SignOf(um) * std::sqrt(b * b - 4.0 * vapourUs * drift)) / 2.0;
    } else {
        vapourVelocity = um + drift;
    }

    double closure = 0.0;
    double massFlux = 0.0;
    double holdupDensity = 0.0;
    for (int p = 0; p < n; ++p) {
        const int i = m_phaseKinds[p];
        m_velocity[i] = i == eVapor ? vapourVelocity : vapourVelocity - drift;
        if (p == n - 1) {
            m_holdup[i] = 1.0 - closure;
        } else {
            m_holdup[i] = m_superficialVelocity[i] / m_velocity[i];
            closure += m_holdup[i];
        }
        m_noSlipHoldup[i] = m_superficialVelocity[i] / um;
        massFlux += m_density[i] * m_superficialVelocity[i];
        holdupDensity += m_density[i] * m_holdup[i];
    }
    m_massAverageVelocity = massFlux / holdupDensity;
}

int CSimpleHydro::ComputeProperties()
{
    // Guards a model that was never set up (its phase list is undefined).
    CheckPhaseList(m_phaseCount, m_phaseKinds, {});
    const int n = m_phaseCount;

    double mixtureDensity = 0.0;
    for (int p = 0; p < n; ++p) {
        const int i = m_phaseKinds[p];
        mixtureDensity += m_density[i] * m_holdup[i];
    }

    // A plain sum of 2^kind: a kind listed twice counts twice. Kinds are 0 to 3 here.
    unsigned int key = 0;
    for (int p = 0; p < n; ++p)
        key += 1u << m_phaseKinds[p];
    const CPatternEntry& entry = m_patternByKey[key];
    CheckHydroConfiguration(entry.known);
    m_flowPattern = entry.patternAndValue.first;
    m_patternValue = entry.patternAndValue.second;

    const double um = m_mixtureVelocity;
    const double diameter = m_diameter;
    m_dpdzFriction = ((((-2.0 * mixtureDensity) * m_frictionFactor) * um) * AbsoluteValue(um)) / diameter;
    m_dpdzGravity = ((-mixtureDensity) * kGravity) * m_inclination;
    m_dpdzTotal = m_dpdzFriction + m_dpdzGravity;

    double wallConductance = 0.0;
    for (int p = 0; p < n; ++p) {
        const int i = m_phaseKinds[p];
        CStateHeatTransfer& known = m_stateHeatTransfer[i];
        FindHeatTransfer(i, known);
        // The phase's own conductivity weighs the Nusselt number.
        wallConductance += (m_holdup[i] * m_thermalConductivity[i]) * nusselt::Floored(known.colburn);
    }
    m_thermalResistance = (1.0 / kPi) / wallConductance;
    return 0;
}

} // namespace ondivar
