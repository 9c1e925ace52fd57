#include "hydro/Hydro.h"

#include "hydro/Slots.h"
#include "hydro/Undefined.h"

#include <initializer_list>

namespace ondivar {

namespace {
constexpr std::size_t kSlots = kModelSlots;
constexpr double kNaN = kUndefinedReal;
} // namespace

CHydro::CHydro()
    : m_mode(kUndefinedInteger), m_diameter(kNaN), m_inclination(kNaN), m_roughness(kNaN),
      m_phaseCount(kUndefinedInteger), m_phaseKinds(kSlots, kUndefinedInteger), m_holdup(kSlots, kNaN),
      m_noSlipHoldup(kSlots, kNaN), m_density(kSlots, kNaN), m_viscosity(kSlots, kNaN),
      m_twoPhaseProps(kSlots, kSlots, kNaN), m_heatCapacity(kSlots, kNaN),
      m_thermalConductivity(kSlots, kNaN), m_superficialVelocity(kSlots, kNaN), m_velocity(kSlots, kNaN),
      m_massAverageVelocity(kNaN), m_mixtureVelocity(kNaN),
      m_flowPattern(static_cast<EHydroFlowPatterns>(kUndefinedInteger)), m_dpdzTotal(kNaN),
      m_dpdzFriction(kNaN), m_dpdzGravity(kNaN), m_thermalResistance(kNaN), m_patternValue(kNaN),
      m_dSpare(kSlots, kNaN), m_dVelocityDHoldup(kSlots, kSlots, kNaN),
      m_dVelocityDDensity(kSlots, kSlots, kNaN), m_dVelocityDViscosity(kSlots, kSlots, kNaN),
      m_dVelocityDPairProps(kSlots, kSlots, kSlots, kNaN), m_dVelocityDMassVelocity(kSlots, kNaN),
      m_dVelocityDDrivingVelocity(kSlots, kNaN), m_dDpdzDHoldup(kSlots, kNaN), m_dDpdzDDensity(kSlots, kNaN),
      m_dDpdzDViscosity(kSlots, kNaN), m_dDpdzDPairProps(kSlots, kSlots, kNaN), m_dDpdzDMassVelocity(kNaN),
      m_dDpdzDMixtureVelocity(kNaN), m_dThermalDHoldup(kSlots, kNaN), m_dThermalDDensity(kSlots, kNaN),
      m_dThermalDViscosity(kSlots, kNaN), m_dThermalDPairProps(kSlots, kSlots, kNaN),
      m_dThermalDHeatCapacity(kSlots, kNaN), m_dThermalDConductivity(kSlots, kNaN),
      m_dThermalDMassVelocity(kNaN), m_derivativeLayout(EDerivativeLayout::eUndefined),
      m_derivativesStale(false), m_resets(0)
{
}

CHydro::~CHydro() = default;

void CHydro::Hook() {}

void CHydro::Reset()
{
    ++m_resets;
    m_massAverageVelocity = kNaN;
    m_mixtureVelocity = kNaN;
    m_dpdzTotal = kNaN;
    m_dpdzFriction = kNaN;
    m_dpdzGravity = kNaN;
    m_thermalResistance = kNaN;
    m_patternValue = kNaN;
    m_dDpdzDMassVelocity = kNaN;
    m_dThermalDMassVelocity = kNaN;
    m_flowPattern = static_cast<EHydroFlowPatterns>(kUndefinedInteger);
    // Refilled in place: a set-up allocates nothing. The lists of arrays are written out (unrolled): a
    // loop over a list costs as much again as the stores.
    FillSlots<kModelSlots>(m_phaseKinds, kUndefinedInteger);
#pragma GCC unroll 4
    for (CDoubleArray* results : {&m_holdup, &m_noSlipHoldup, &m_superficialVelocity, &m_velocity})
        FillSlots<kModelSlots>(*results, kNaN);
    // The derivative arrays are refilled only if they are read before the next derivatives.
    m_derivativesStale = m_derivativeLayout != EDerivativeLayout::eUndefined;
}

bool CHydro::PrepareDerivatives(EDerivativeLayout layout)
{
    m_derivativesStale = false;
    if (m_derivativeLayout == layout)
        return false;
    ClearDerivatives();
    m_derivativeLayout = layout;
    return true;
}

void CHydro::ClearDerivatives() const
{
    m_derivativesStale = false;
    if (m_derivativeLayout == EDerivativeLayout::eUndefined)
        return;
    m_derivativeLayout = EDerivativeLayout::eUndefined;
    // The derivatives are written at the state slots only: the others are still undefined.
#pragma GCC unroll 11
    for (CDoubleArray* results :
         {&m_dSpare, &m_dVelocityDMassVelocity, &m_dVelocityDDrivingVelocity, &m_dDpdzDHoldup,
          &m_dDpdzDDensity, &m_dDpdzDViscosity, &m_dThermalDHoldup, &m_dThermalDDensity,
          &m_dThermalDViscosity, &m_dThermalDHeatCapacity, &m_dThermalDConductivity})
        FillSlots<kStateKinds>(*results, kNaN);
#pragma GCC unroll 5
    for (CDoubleMatrix* results : {&m_dVelocityDHoldup, &m_dVelocityDDensity, &m_dVelocityDViscosity,
                                   &m_dDpdzDPairProps, &m_dThermalDPairProps})
        FillSlots<kStateKinds>(*results, kNaN);
    FillSlots<kStateKinds>(m_dVelocityDPairProps, kNaN);
}

} // namespace ondivar
