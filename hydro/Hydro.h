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

// What the derivative arrays and matrices hold at the state slots: undefined values, or the derivatives of
// one holdup-driven mode, whose entries that are the same in every state (its zeros and ones) then stay
// in place from one calculation to the next.
enum class EDerivativeLayout : int { eUndefined, eMassVelocity, eMixtureVelocity };

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

    const CDoubleArray& GetDSpare() const { return Settled(m_dSpare); }
    const CDoubleMatrix& GetDVelocityDHoldup() const { return Settled(m_dVelocityDHoldup); }
    const CDoubleMatrix& GetDVelocityDDensity() const { return Settled(m_dVelocityDDensity); }
    const CDoubleMatrix& GetDVelocityDViscosity() const { return Settled(m_dVelocityDViscosity); }
    const CDoubleArray3D& GetDVelocityDPairProps() const { return Settled(m_dVelocityDPairProps); }
    const CDoubleArray& GetDVelocityDMassVelocity() const { return Settled(m_dVelocityDMassVelocity); }
    const CDoubleArray& GetDVelocityDDrivingVelocity() const { return Settled(m_dVelocityDDrivingVelocity); }
    const CDoubleArray& GetDDpdzDHoldup() const { return Settled(m_dDpdzDHoldup); }
    const CDoubleArray& GetDDpdzDDensity() const { return Settled(m_dDpdzDDensity); }
    const CDoubleArray& GetDDpdzDViscosity() const { return Settled(m_dDpdzDViscosity); }
    const CDoubleMatrix& GetDDpdzDPairProps() const { return Settled(m_dDpdzDPairProps); }
    double GetDDpdzDMassVelocity() const { return m_dDpdzDMassVelocity; }
    double GetDDpdzDMixtureVelocity() const { return m_dDpdzDMixtureVelocity; }
    const CDoubleArray& GetDThermalDHoldup() const { return Settled(m_dThermalDHoldup); }
    const CDoubleArray& GetDThermalDDensity() const { return Settled(m_dThermalDDensity); }
    const CDoubleArray& GetDThermalDViscosity() const { return Settled(m_dThermalDViscosity); }
    const CDoubleMatrix& GetDThermalDPairProps() const { return Settled(m_dThermalDPairProps); }
    const CDoubleArray& GetDThermalDHeatCapacity() const { return Settled(m_dThermalDHeatCapacity); }
    const CDoubleArray& GetDThermalDConductivity() const { return Settled(m_dThermalDConductivity); }
    double GetDThermalDMassVelocity() const { return m_dThermalDMassVelocity; }

private:
    // A derivative array or matrix, refilled with the undefined value first when it is stale.
    template <class TDerivatives> const TDerivatives& Settled(const TDerivatives& derivatives) const
    {
        if (m_derivativesStale)
            ClearDerivatives();
        return derivatives;
    }
    void ClearDerivatives() const;

protected:
    // Before a mode's derivatives are written: true when the arrays did not hold the layout's constant
    // entries (they now hold undefined values, and the caller writes those entries).
    bool PrepareDerivatives(EDerivativeLayout layout);

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
    mutable CDoubleArray m_dSpare;
    mutable CDoubleMatrix m_dVelocityDHoldup; // [kind][state variable]
    mutable CDoubleMatrix m_dVelocityDDensity;
    mutable CDoubleMatrix m_dVelocityDViscosity;
    mutable CDoubleArray3D m_dVelocityDPairProps;
    mutable CDoubleArray m_dVelocityDMassVelocity;
    mutable CDoubleArray m_dVelocityDDrivingVelocity;
    mutable CDoubleArray m_dDpdzDHoldup;
    mutable CDoubleArray m_dDpdzDDensity;
    mutable CDoubleArray m_dDpdzDViscosity;
    mutable CDoubleMatrix m_dDpdzDPairProps;
    double m_dDpdzDMassVelocity;
    double m_dDpdzDMixtureVelocity;
    mutable CDoubleArray m_dThermalDHoldup;
    mutable CDoubleArray m_dThermalDDensity;
    mutable CDoubleArray m_dThermalDViscosity; // with respect to kinematic viscosity
    mutable CDoubleMatrix m_dThermalDPairProps;
    mutable CDoubleArray m_dThermalDHeatCapacity;
    mutable CDoubleArray m_dThermalDConductivity;
    double m_dThermalDMassVelocity;

    // What the derivative arrays and matrices hold at the state slots, and whether that belongs to an
    // earlier state: Reset only marks them stale, a getter refills stale ones with the undefined value
    // before it answers, and the next derivatives overwrite them. Mutable for that refill, which makes
    // reading a stale model a write: like every other call, not from two threads at once.
    mutable EDerivativeLayout m_derivativeLayout;
    mutable bool m_derivativesStale;

    // How many times Reset has cleared the state: what a model keeps about one state belongs to it while
    // this count stays the same.
    unsigned long long m_resets;
};

} // namespace ondivar
