// The drift-flux model: the flow pattern follows from the phase kinds present, friction from a constant
// friction factor, the wall heat transfer from a Dittus-Boelter (Colburn) Nusselt number with a floor of 4.
#pragma once

#include "hydro/Hydro.h"

#include <array>
#include <map>
#include <utility>

namespace ondivar {

// Dimensionless numbers of one phase's wall heat transfer, with the property floors of its kind.
struct CPhaseHeatTransfer {
    double viscosity;    // floored dynamic viscosity (a NaN viscosity takes the floor)
    double conductivity; // floored thermal conductivity
    double reynolds;     // from the superficial velocity and the floored viscosity
    double prandtl;      // from the phase's own viscosity and the floored conductivity
};

class CSimpleHydro : public CHydro {
public:
    // Key: sum of 2^kind over the present phases.
    using CPatternTable = std::map<unsigned int, std::pair<EHydroFlowPatterns, double>>;

    // Property floors per kind (vapour, organic, aqueous, unused slot) used by the heat-transfer terms.
    static constexpr std::array<double, kModelSlots> m_minimumViscosity{5e-06, 5e-05, 0.0005, 0.0};
    static constexpr std::array<double, kModelSlots> m_minimumConductivity{0.001, 0.01, 0.01, 0.0};

    CSimpleHydro();
    CSimpleHydro(const CSimpleHydro&) = default;
    CSimpleHydro& operator=(const CSimpleHydro&) = default;
    CSimpleHydro(CSimpleHydro&&) = default;
    CSimpleHydro& operator=(CSimpleHydro&&) = default;
    ~CSimpleHydro() override;

    int GetModelType() override;

    // Raises the configuration error (see HydroConfiguration.h) when a listed kind is not a slot of the
    // model and of every argument array it indexes, or phaseCount is outside 0..4; the model is then
    // left untouched.
    void SetupFromVelocities(double diameter, double roughness, double inclination, int phaseCount,
                             const CIntArray& phaseKinds, const CDoubleArray& superficialVelocity,
                             const CDoubleArray& density, const CDoubleArray& viscosity,
                             const CDoubleMatrix& twoPhaseProps, const CDoubleArray& heatCapacity,
                             const CDoubleArray& thermalConductivity) override;
    // Both copy up to kModelSlots slots of every argument array (the others stay undefined) and read
    // slots 0, 1 and 2 whatever the phase list says. Return 0.
    int SetupFromHoldupsAndMassVelocity(double diameter, double roughness, double inclination, int phaseCount,
                                        const CIntArray& phaseKinds, const CDoubleArray& holdup,
                                        double massAverageVelocity, const CDoubleArray& density,
                                        const CDoubleArray& viscosity, const CDoubleMatrix& twoPhaseProps,
                                        const CDoubleArray& heatCapacity,
                                        const CDoubleArray& thermalConductivity) override;
    int SetupFromHoldupsAndMixtureVelocity(double diameter, double roughness, double inclination,
                                           int phaseCount, const CIntArray& phaseKinds,
                                           const CDoubleArray& holdup, double mixtureVelocity,
                                           const CDoubleArray& density, const CDoubleArray& viscosity,
                                           const CDoubleMatrix& twoPhaseProps,
                                           const CDoubleArray& heatCapacity,
                                           const CDoubleArray& thermalConductivity) override;
    // Raises the configuration error when the present kinds form no key of the pattern table.
    int ComputeProperties() override;
    int ComputeDerivatives() override;

    // Presence flag of each slot: its holdup is above 1e-10.
    void UpdatePresence();

    // Nusselt number Nu = 0.023 |Re|^0.8 |Pr|^0.333333333333, at least 4.
    static double Nusselt(double reynolds, double prandtl);
    // The same with its partial derivatives (both 0 where the floor of 4 holds).
    static double NusseltDeriv(double reynolds, double prandtl, double& dNuDRe, double& dNuDPr);

    const CPatternTable& GetPatternTable() const { return m_patternTable; }
    double GetFrictionFactor() const { return m_frictionFactor; }
    const std::array<bool, kModelSlots>& GetPhasePresent() const { return m_phasePresent; }

private:
    // The Colburn number last computed for a kind, with its arguments: a state that repeats an earlier
    // one's numbers (a simulator calling again with the same inputs) finds it. The Prandtl term
    // (kPrandtlExponent log |Pr|) is kept apart: the Prandtl number follows the phase's properties only,
    // which stay the same while a solver iterates over holdups and velocities. Never stale: a hit needs equal
    // arguments.
    struct CNusseltMemo {
        double reynolds;
        double prandtl;
        double nusselt;
        double termPrandtl; // the Prandtl number of prandtlTerm
        double prandtlTerm;
    };

    // The heat-transfer numbers and Colburn number of a kind in the present state: the thermal
    // resistance and its derivatives find them once per state.
    struct CStateHeatTransfer {
        unsigned long long resets; // the model's count of resets when they were found
        CPhaseHeatTransfer numbers;
        double colburn;
    };

    double PrandtlTermOfKind(int kind, double prandtl);
    const CStateHeatTransfer& HeatTransferOfKind(int kind);
    void FindHeatTransfer(int kind, CStateHeatTransfer& known);
    void FindHeatTransferOutOfLine(int kind, CStateHeatTransfer& known);
    void WriteMassVelocityConstants();
    void WriteMixtureVelocityConstants();
    void ComputeMassVelocityDerivatives();
    void ComputeMixtureVelocityDerivatives();
    void ComputeThermalDerivatives(double dUDHoldup0, double dUDHoldup1, const double* dUDDensity);
    void CopyHoldupDrivenInputs(double diameter, double roughness, double inclination, int phaseCount,
                                const CIntArray& phaseKinds, const CDoubleArray& holdup,
                                const CDoubleArray& density, const CDoubleArray& viscosity,
                                const CDoubleMatrix& twoPhaseProps, const CDoubleArray& heatCapacity,
                                const CDoubleArray& thermalConductivity);

    // The pattern table laid out by key for the lookup of every calculation, filled from m_patternTable:
    // a key sums up to kModelSlots phases of kinds below kModelSlots (a kind listed twice counts twice).
    static constexpr unsigned int kPatternKeys = (kModelSlots << (kModelSlots - 1)) + 1;
    struct CPatternEntry {
        bool known;
        CPatternTable::mapped_type patternAndValue;
    };

    CPatternTable m_patternTable;
    std::array<CPatternEntry, kPatternKeys> m_patternByKey;
    double m_frictionFactor;
    std::array<bool, kModelSlots> m_phasePresent;
    std::array<CNusseltMemo, kModelSlots> m_nusseltMemo;
    std::array<CStateHeatTransfer, kModelSlots> m_stateHeatTransfer;
};

} // namespace ondivar
