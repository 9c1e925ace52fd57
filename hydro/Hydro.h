// The hydrodynamic model of one pipe segment: its inputs, its results and the operations every model
// implements. SI units throughout; pressure gradients in Pa/m with the sign of dp/dz.
#pragma once

#include "hydro/FlowPatterns.h"
#include "hydro/Phases.h"
#include "support/Arrays.h"

namespace ondivar {

using CDoubleArray = CArray1D<double>;
using CIntArray = CArray1D<int>;
using CDoubleMatrix = CArray2D<double>;
using CDoubleArray3D = CArray3D<double>;

// Which set-up ran last (m_mode).
enum EHydroMode : int {
    eModeVelocities = 0,               // SetupFromVelocities
    eModeHoldupsAndMassVelocity = 1,   // SetupFromHoldupsAndMassVelocity
    eModeHoldupsAndMixtureVelocity = 2 // SetupFromHoldupsAndMixtureVelocity
};

// Owns every input and result. Per-phase arrays have kModelSlots slots indexed by EPhases; matrices are
// kModelSlots x kModelSlots. A value that is not held is kUndefinedReal (NaN) or kUndefinedInteger.
//
// Derivatives (holdup-driven modes) are taken with respect to the state variables alpha0 (vapour holdup),
// alpha1 (organic holdup) and the driving velocity, the aqueous holdup alpha2 = 1 - alpha0 - alpha1 being
// dependent: every holdup derivative has entries for alpha0 and alpha1 and 0 for alpha2. Property
// derivatives are with respect to the density rho_j, the kinematic viscosity nu_j = mu_j / rho_j (the
// phase's own, not floored), the heat capacity and the thermal conductivity of each kind, each at fixed
// values of the others: a density derivative is taken at fixed kinematic viscosity (the dynamic viscosity
// follows rho_j), a kinematic-viscosity derivative at fixed density (mu_j = rho_j nu_j). They are the exact
// partial derivatives of the results the model computes, property floors included: where a viscosity is
// at or below its floor the Reynolds number no longer depends on it (but grows with the density), and
// where a conductivity is at or below its floor the Prandtl number no longer depends on it. At a floor
// itself the derivative is one-sided.
class CHydro {
public:
    CHydro();
    CHydro(const CHydro&) = default;
    CHydro& operator=(const CHydro&) = default;
    CHydro(CHydro&&) = default;
    CHydro& operator=(CHydro&&) = default;
    virtual ~CHydro();

    virtual int GetModelType() = 0;
    virtual void Hook();

    // Velocity-driven set-up (mode 0): phases listed by kind, per-kind arrays read at the listed kinds.
    virtual void SetupFromVelocities(double diameter, double roughness, double inclination, int phaseCount,
                                     const CIntArray& phaseKinds, const CDoubleArray& superficialVelocity,
                                     const CDoubleArray& density, const CDoubleArray& viscosity,
                                     const CDoubleMatrix& twoPhaseProps, const CDoubleArray& heatCapacity,
                                     const CDoubleArray& thermalConductivity) = 0;
    // Holdup-driven set-ups (modes 1 and 2): vapour, organic and aqueous liquid in slots 0, 1, 2.
    virtual int SetupFromHoldupsAndMassVelocity(double diameter, double roughness, double inclination,
                                                int phaseCount, const CIntArray& phaseKinds,
                                                const CDoubleArray& holdup, double massAverageVelocity,
                                                const CDoubleArray& density, const CDoubleArray& viscosity,
                                                const CDoubleMatrix& twoPhaseProps,
                                                const CDoubleArray& heatCapacity,
                                                const CDoubleArray& thermalConductivity) = 0;
    virtual int SetupFromHoldupsAndMixtureVelocity(double diameter, double roughness, double inclination,
                                                   int phaseCount, const CIntArray& phaseKinds,
                                                   const CDoubleArray& holdup, double mixtureVelocity,
                                                   const CDoubleArray& density, const CDoubleArray& viscosity,
                                                   const CDoubleMatrix& twoPhaseProps,
                                                   const CDoubleArray& heatCapacity,
                                                   const CDoubleArray& thermalConductivity) = 0;
    // Flow pattern, pressure gradients and thermal resistance of the current state; returns 0.
    virtual int ComputeProperties() = 0;
    // Derivatives of the current holdup-driven state: 0 after a holdup-driven set-up, 1 (nothing done)
    // otherwise.
    virtual int ComputeDerivatives() = 0;

    // Clears every result (and the phase list); keeps geometry, phase count and property arrays.
    void Reset();

    int GetMode() const { return m_mode; }
    double GetDiameter() const { return m_diameter; }
    double GetInclination() const { return m_inclination; }
    double GetRoughness() const { return m_roughness; }
    int GetPhaseCount() const { return m_phaseCount; }
    const CIntArray& GetPhaseKinds() const { return m_phaseKinds; }
    const CDoubleArray& GetHoldup() const { return m_holdup; }
    const CDoubleArray& GetNoSlipHoldup() const { return m_noSlipHoldup; }
    const CDoubleArray& GetDensity() const { return m_density; }
    const CDoubleArray& GetViscosity() const { return m_viscosity; }
    const CDoubleMatrix& GetTwoPhaseProps() const { return m_twoPhaseProps; }
    const CDoubleArray& GetHeatCapacity() const { return m_heatCapacity; }
    const CDoubleArray& GetThermalConductivity() const { return m_thermalConductivity; }
    const CDoubleArray& GetSuperficialVelocity() const { return m_superficialVelocity; }
    const CDoubleArray& GetVelocity() const { return m_velocity; }
    double GetMassAverageVelocity() const { return m_massAverageVelocity; }
    double GetMixtureVelocity() const { return m_mixtureVelocity; }
    EHydroFlowPatterns GetFlowPattern() const { return m_flowPattern; }
    double GetDpdzTotal() const { return m_dpdzTotal; }
    double GetDpdzFriction() const { return m_dpdzFriction; }
    double GetDpdzGravity() const { return m_dpdzGravity; }
    double GetThermalResistance() const { return m_thermalResistance; }
    double GetPatternValue() const { return m_patternValue; }

    const CDoubleArray& GetDSpare() const { return m_dSpare; }
    const CDoubleMatrix& GetDVelocityDHoldup() const { return m_dVelocityDHoldup; }
    const CDoubleMatrix& GetDVelocityDDensity() const { return m_dVelocityDDensity; }
    const CDoubleMatrix& GetDVelocityDViscosity() const { return m_dVelocityDViscosity; }
    const CDoubleArray3D& GetDVelocityDPairProps() const { return m_dVelocityDPairProps; }
    const CDoubleArray& GetDVelocityDMassVelocity() const { return m_dVelocityDMassVelocity; }
    const CDoubleArray& GetDVelocityDDrivingVelocity() const { return m_dVelocityDDrivingVelocity; }
    const CDoubleArray& GetDDpdzDHoldup() const { return m_dDpdzDHoldup; }
    const CDoubleArray& GetDDpdzDDensity() const { return m_dDpdzDDensity; }
    const CDoubleArray& GetDDpdzDViscosity() const { return m_dDpdzDViscosity; }
    const CDoubleMatrix& GetDDpdzDPairProps() const { return m_dDpdzDPairProps; }
    double GetDDpdzDMassVelocity() const { return m_dDpdzDMassVelocity; }
    double GetDDpdzDMixtureVelocity() const { return m_dDpdzDMixtureVelocity; }
    const CDoubleArray& GetDThermalDHoldup() const { return m_dThermalDHoldup; }
    const CDoubleArray& GetDThermalDDensity() const { return m_dThermalDDensity; }
    const CDoubleArray& GetDThermalDViscosity() const { return m_dThermalDViscosity; }
    const CDoubleMatrix& GetDThermalDPairProps() const { return m_dThermalDPairProps; }
    const CDoubleArray& GetDThermalDHeatCapacity() const { return m_dThermalDHeatCapacity; }
    const CDoubleArray& GetDThermalDConductivity() const { return m_dThermalDConductivity; }
    double GetDThermalDMassVelocity() const { return m_dThermalDMassVelocity; }

protected:
    int m_mode;
    double m_diameter;
    double m_inclination; // sine of the angle to the horizontal: multiplies gravity
    double m_roughness;   // stored only
    int m_phaseCount;
    CIntArray m_phaseKinds; // kinds of the present phases, in the caller's order
    CDoubleArray m_holdup;
    CDoubleArray m_noSlipHoldup; // superficial velocity / mixture velocity
    CDoubleArray m_density;
    CDoubleArray m_viscosity;      // dynamic
    CDoubleMatrix m_twoPhaseProps; // per pair of kinds; stored only
    CDoubleArray m_heatCapacity;
    CDoubleArray m_thermalConductivity;
    CDoubleArray m_superficialVelocity;
    CDoubleArray m_velocity; // in situ
    double m_massAverageVelocity;
    double m_mixtureVelocity;
    EHydroFlowPatterns m_flowPattern;
    double m_dpdzTotal;
    double m_dpdzFriction;
    double m_dpdzGravity;
    double m_thermalResistance; // wall heat-transfer resistance per unit length, K.m/W
    double m_patternValue;
    CDoubleArray m_dSpare;
    CDoubleMatrix m_dVelocityDHoldup; // [kind][state variable]
    CDoubleMatrix m_dVelocityDDensity;
    CDoubleMatrix m_dVelocityDViscosity;
    CDoubleArray3D m_dVelocityDPairProps;
    CDoubleArray m_dVelocityDMassVelocity;
    CDoubleArray m_dVelocityDDrivingVelocity;
    CDoubleArray m_dDpdzDHoldup;
    CDoubleArray m_dDpdzDDensity;
    CDoubleArray m_dDpdzDViscosity;
    CDoubleMatrix m_dDpdzDPairProps;
    double m_dDpdzDMassVelocity;
    double m_dDpdzDMixtureVelocity;
    CDoubleArray m_dThermalDHoldup;
    CDoubleArray m_dThermalDDensity;
    CDoubleArray m_dThermalDViscosity; // with respect to kinematic viscosity
    CDoubleMatrix m_dThermalDPairProps;
    CDoubleArray m_dThermalDHeatCapacity;
    CDoubleArray m_dThermalDConductivity;
    double m_dThermalDMassVelocity;

    // Set by whatever writes a derivative array or matrix: Reset then refills them. While it is false
    // they still hold the undefined value and Reset leaves them be.
    bool m_derivativesWritten;
};

} // namespace ondivar
