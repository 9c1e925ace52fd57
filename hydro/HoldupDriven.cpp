// Set-ups for a transient solver: vapour, organic and aqueous holdups (slots 0, 1, 2) with the
// mass-average velocity (mode 1) or the mixture velocity (mode 2) as the driving velocity.
#include "hydro/HydroConfiguration.h"
#include "hydro/DriftFlux.h"
#include "hydro/ModelConstants.h"
#include "hydro/SimpleHydro.h"
#include "hydro/Slots.h"
#include "hydro/Undefined.h"

#include <cmath>

namespace ondivar {

namespace {

// The model's arrays keep their kModelSlots slots: slots the argument lacks become undefined. Written
// out slot by slot (a loop of a few steps costs as much again as the copies).
template <class T> void CopySlots(CArray1D<T>& to, const CArray1D<T>& from, const T& undefined)
{
#pragma GCC unroll 4
    for (std::size_t i = 0; i < kModelSlots; ++i)
        to[i] = i < from.size() ? from[i] : undefined;
}

void CopySlots(CDoubleArray& to, const CDoubleArray& from)
{
    CopySlots(to, from, kUndefinedReal);
}

void CopySlots(CDoubleMatrix& to, const CDoubleMatrix& from)
{
#pragma GCC unroll 4
    for (std::size_t i = 0; i < kModelSlots; ++i) {
        if (i < from.rows())
            CopySlots(to[i], from[i]);
        else
            FillSlots<kModelSlots>(to[i], kUndefinedReal);
    }
}

} // namespace

void CSimpleHydro::CopyHoldupDrivenInputs(double diameter, double roughness, double inclination,
                                          int phaseCount, const CIntArray& phaseKinds,
                                          const CDoubleArray& holdup, const CDoubleArray& density,
                                          const CDoubleArray& viscosity, const CDoubleMatrix& twoPhaseProps,
                                          const CDoubleArray& heatCapacity,
                                          const CDoubleArray& thermalConductivity)
{
    Reset();
    m_diameter = diameter;
    m_roughness = roughness;
    m_inclination = inclination;
    m_phaseCount = phaseCount;
    CopySlots(m_phaseKinds, phaseKinds, kUndefinedInteger);
    CopySlots(m_density, density);
    CopySlots(m_viscosity, viscosity);
    CopySlots(m_twoPhaseProps, twoPhaseProps);
    CopySlots(m_heatCapacity, heatCapacity);
    CopySlots(m_thermalConductivity, thermalConductivity);
    CopySlots(m_holdup, holdup);
}

int CSimpleHydro::SetupFromHoldupsAndMassVelocity(double diameter, double roughness, double inclination,
                                                  int phaseCount, const CIntArray& phaseKinds,
                                                  const CDoubleArray& holdup, double massAverageVelocity,
                                                  const CDoubleArray& density, const CDoubleArray& viscosity,
                                                  const CDoubleMatrix& twoPhaseProps,
                                                  const CDoubleArray& heatCapacity,
                                                  const CDoubleArray& thermalConductivity)
{
    CheckPhaseList(phaseCount, phaseKinds,
                   {&holdup, &density, &viscosity, &heatCapacity, &thermalConductivity});
    m_mode = eModeHoldupsAndMassVelocity;
    CopyHoldupDrivenInputs(diameter, roughness, inclination, phaseCount, phaseKinds, holdup, density,
                           viscosity, twoPhaseProps, heatCapacity, thermalConductivity);

    const double v = massAverageVelocity;
    m_massAverageVelocity = v;
    const CDoubleArray& a = m_holdup;
    const CDoubleArray& rho = m_density;
    const double mixtureDensity = MixtureDensity(rho, a);
    // Without the part that follows the mixture velocity.
    const double drift = BubbleRiseVelocity(diameter) * inclination;
    m_velocity[0] = ((rho[1] * a[1] + rho[2] * a[2]) * drift) / mixtureDensity + v;
    m_velocity[1] = m_velocity[0] - drift;
    m_velocity[2] = m_velocity[0] - drift;
    for (int i = 0; i < 3; ++i)
        m_superficialVelocity[i] = a[i] * m_velocity[i];
    m_mixtureVelocity = (m_superficialVelocity[0] + m_superficialVelocity[1]) + m_superficialVelocity[2];
    for (int i = 0; i < 3; ++i)
        m_noSlipHoldup[i] = m_superficialVelocity[i] / m_mixtureVelocity;
    return 0;
}

int CSimpleHydro::SetupFromHoldupsAndMixtureVelocity(
    double diameter, double roughness, double inclination, int phaseCount, const CIntArray& phaseKinds,
    const CDoubleArray& holdup, double mixtureVelocity, const CDoubleArray& density,
    const CDoubleArray& viscosity, const CDoubleMatrix& twoPhaseProps, const CDoubleArray& heatCapacity,
    const CDoubleArray& thermalConductivity)
{
    CheckPhaseList(phaseCount, phaseKinds,
                   {&holdup, &density, &viscosity, &heatCapacity, &thermalConductivity});
    m_mode = eModeHoldupsAndMixtureVelocity;
    CopyHoldupDrivenInputs(diameter, roughness, inclination, phaseCount, phaseKinds, holdup, density,
                           viscosity, twoPhaseProps, heatCapacity, thermalConductivity);

    const double um = mixtureVelocity;
    m_mixtureVelocity = um;
    const CDoubleArray& a = m_holdup;
    const double drift = (BubbleRiseVelocity(diameter) + kDriftMixtureCoefficient * um) * inclination;
    m_velocity[0] = (a[1] + a[2]) * drift + um;
    m_velocity[1] = um - drift * a[0];
    m_velocity[2] = m_velocity[1];
    for (int i = 0; i < 3; ++i) {
        m_superficialVelocity[i] = a[i] * m_velocity[i];
        m_noSlipHoldup[i] = m_superficialVelocity[i] / um;
    }
    return 0;
}

} // namespace ondivar
