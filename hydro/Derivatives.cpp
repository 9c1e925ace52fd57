// Analytic derivatives of the holdup-driven modes with respect to alpha0, alpha1 (alpha2 = 1 - alpha0 -
// alpha1 dependent), the driving velocity and the phase properties. Only slots 0 to 2 are written.
#include "hydro/AbsoluteValue.h"
#include "hydro/DriftFlux.h"
#include "hydro/ModelConstants.h"
#include "hydro/NusseltCorrelation.h"
#include "hydro/PhaseHeatTransfer.h"
#include "hydro/SimpleHydro.h"
#include "hydro/Slots.h"

namespace ondivar {

int CSimpleHydro::ComputeDerivatives()
{
    switch (m_mode) {
    case eModeHoldupsAndMassVelocity:
        if (PrepareDerivatives(EDerivativeLayout::eMassVelocity))
            WriteMassVelocityConstants();
        ComputeMassVelocityDerivatives();
        return 0;
    case eModeHoldupsAndMixtureVelocity:
        if (PrepareDerivatives(EDerivativeLayout::eMixtureVelocity))
            WriteMixtureVelocityConstants();
        ComputeMixtureVelocityDerivatives();
        return 0;
    default: // after a velocity-driven set-up, or none
        return 1;
    }
}

// The entries of mode 1's derivatives that are the same in every state: velocities follow the mass-average
// velocity one to one; nothing depends on the viscosities or pair properties; the aqueous holdup is no
// state variable.
void CSimpleHydro::WriteMassVelocityConstants()
{
    for (int i = 0; i < kStateKinds; ++i) {
        m_dVelocityDHoldup[i][2] = 0.0;
        m_dVelocityDMassVelocity[i] = 1.0;
        m_dVelocityDDrivingVelocity[i] = 1.0;
    }
    FillSlots<kStateKinds>(m_dVelocityDViscosity, 0.0);
    FillSlots<kStateKinds>(m_dVelocityDPairProps, 0.0);
    m_dDpdzDHoldup[2] = 0.0;
    FillSlots<kStateKinds>(m_dDpdzDViscosity, 0.0);
    FillSlots<kStateKinds>(m_dDpdzDPairProps, 0.0);
    m_dThermalDHoldup[2] = 0.0;
    FillSlots<kStateKinds>(m_dThermalDPairProps, 0.0);
}

void CSimpleHydro::ComputeMassVelocityDerivatives()
{
    const CDoubleArray& a = m_holdup;
    const CDoubleArray& rho = m_density;
    const double diameter = m_diameter;
    const double mixtureDensity = MixtureDensity(rho, a);
    const double drift = BubbleRiseVelocity(diameter) * m_inclination;
    const double liquidDensityHoldup = rho[1] * a[1] + rho[2] * a[2];

    // Every kind moves at u0 less a constant: one velocity derivative serves all three rows.
    const double dUDHoldup0 =
        ((((a[1] - 1.0) * rho[2] - rho[1] * a[1]) * rho[0]) * drift) / mixtureDensity / mixtureDensity;
    const double dUDHoldup1 =
        (((rho[1] - rho[2]) * (rho[0] * a[0])) * drift) / mixtureDensity / mixtureDensity;
    const double dUDDensity[kStateKinds] = {
        ((-a[0] * liquidDensityHoldup) * drift) / mixtureDensity / mixtureDensity,
        (((rho[0] * a[0]) * a[1]) * drift) / mixtureDensity / mixtureDensity,
        (((rho[0] * a[0]) * a[2]) * drift) / mixtureDensity / mixtureDensity,
    };
    for (int i = 0; i < kStateKinds; ++i) {
        CDoubleArray& velocityDHoldup = m_dVelocityDHoldup[i];
        velocityDHoldup[0] = dUDHoldup0;
        velocityDHoldup[1] = dUDHoldup1;
        CDoubleArray& velocityDDensity = m_dVelocityDDensity[i];
        velocityDDensity[0] = dUDDensity[0];
        velocityDDensity[1] = dUDDensity[1];
        velocityDDensity[2] = dUDDensity[2];
    }

    // dp/dz = -rhoM A(Um); B = rhoM dA/dUm. Um = u0 - (1 - alpha0) d, so dUm/dalpha0 = du/dalpha0 + d.
    const double um = m_mixtureVelocity;
    const double gradientPerDensity =
        (((2.0 * m_frictionFactor) * um) * AbsoluteValue(um)) / diameter + kGravity * m_inclination;
    const double frictionSlope = (((4.0 * mixtureDensity) * m_frictionFactor) * AbsoluteValue(um)) / diameter;
    m_dDpdzDHoldup[0] = (rho[2] - rho[0]) * gradientPerDensity - (dUDHoldup0 + drift) * frictionSlope;
    m_dDpdzDHoldup[1] = (rho[2] - rho[1]) * gradientPerDensity - frictionSlope * dUDHoldup1;
    m_dDpdzDMassVelocity = -frictionSlope;
    for (int j = 0; j < kStateKinds; ++j)
        m_dDpdzDDensity[j] = (-gradientPerDensity) * a[j] - frictionSlope * dUDDensity[j];

    ComputeThermalDerivatives(dUDHoldup0, dUDHoldup1, dUDDensity);
}

// R = 1 / (pi S), S = sum alpha_i k_i Nu(Re_i, Pr_i), Re_i = rho_i D |alpha_i u_i| / mu_e,i and
// Pr_i = mu_i Cp_i / k_e,i (mu_e, k_e floored). Property variables: rho_i and nu_i = mu_i / rho_i (so
// mu_i = rho_i nu_i), Cp_i, k_i. Where a floor holds, the floored number no longer depends on the
// property: Re gets a direct density term and loses its viscosity term, Pr loses its conductivity term.
void CSimpleHydro::ComputeThermalDerivatives(double dUDHoldup0, double dUDHoldup1, const double* dUDDensity)
{
    const CDoubleArray& a = m_holdup;
    const CDoubleArray& rho = m_density;
    const CDoubleArray& mu = m_viscosity;
    const CDoubleArray& cp = m_heatCapacity;
    const CDoubleArray& k = m_thermalConductivity;
    const CDoubleArray& u = m_velocity;
    const double diameter = m_diameter;
    const double r = m_thermalResistance;
    const double dRDS = (-kPi * r) * r;

    const CPhaseHeatTransfer* h[kStateKinds]; // the state's own, found once
    double nusselt[kStateKinds], dNuDRe[kStateKinds], dNuDPr[kStateKinds];
    // dS/dUs_i: how S follows the phase's superficial velocity through its Reynolds number.
    double dSDUs[kStateKinds];
    for (int i = 0; i < kStateKinds; ++i) {
        const CStateHeatTransfer& known = HeatTransferOfKind(i);
        h[i] = &known.numbers;
        nusselt[i] =
            nusselt::WithDerivatives(known.colburn, h[i]->reynolds, h[i]->prandtl, dNuDRe[i], dNuDPr[i]);
        const double dReDAbsUs = (rho[i] * diameter) / h[i]->viscosity;
        dSDUs[i] = ((a[i] * k[i]) * dNuDRe[i]) * dReDAbsUs * SignOf(m_superficialVelocity[i]);
    }

    // Us_i = alpha_i u_i with alpha2 = 1 - alpha0 - alpha1 and a common du.
    const double dUDHoldup[2] = {dUDHoldup0, dUDHoldup1};
    for (int j = 0; j < 2; ++j) {
        double viaReynolds = 0.0;
        for (int i = 0; i < kStateKinds; ++i) {
            const double dHoldupI = (i == j ? 1.0 : 0.0) - (i == 2 ? 1.0 : 0.0);
            viaReynolds += dSDUs[i] * (dHoldupI * u[i] + a[i] * dUDHoldup[j]);
        }
        m_dThermalDHoldup[j] = dRDS * ((k[j] * nusselt[j] - k[2] * nusselt[2]) + viaReynolds);
    }

    double dSDU = 0.0; // the common velocity follows v one to one
    for (int i = 0; i < kStateKinds; ++i)
        dSDU += dSDUs[i] * a[i];
    m_dThermalDMassVelocity = dRDS * dSDU;

    for (int j = 0; j < kStateKinds; ++j) {
        const double weight = a[j] * k[j];
        const bool viscosityFloored = !(mu[j] > m_minimumViscosity[j]);
        const bool conductivityFloored = !(k[j] > m_minimumConductivity[j]);
        // Own kinematic viscosity; a zero density takes the dynamic one.
        const double nu = rho[j] != 0.0 ? mu[j] / rho[j] : mu[j];

        // At fixed nu: Pr = rho nu Cp / k_e; Re = rho D |Us| / mu_min below the viscosity floor, and
        // D |Us| / nu above it.
        const double dPrDDensity = (nu * cp[j]) / h[j]->conductivity;
        const double dReDDensity =
            viscosityFloored ? (diameter * AbsoluteValue(m_superficialVelocity[j])) / h[j]->viscosity : 0.0;
        m_dThermalDDensity[j] =
            dRDS * (weight * (dNuDPr[j] * dPrDDensity + dNuDRe[j] * dReDDensity) + dSDU * dUDDensity[j]);

        // At fixed rho: Pr = rho nu Cp / k_e; Re = D |Us| / nu above the floor (Re rho / mu_e = Re / nu).
        const double dPrDNu = (rho[j] * cp[j]) / h[j]->conductivity;
        const double dReDNu = viscosityFloored ? 0.0 : -(h[j]->reynolds * rho[j]) / h[j]->viscosity;
        m_dThermalDViscosity[j] = dRDS * (weight * (dNuDPr[j] * dPrDNu + dNuDRe[j] * dReDNu));

        // Pr = mu Cp / k above the conductivity floor: k dPr/dk = -Pr.
        const double prandtlTerm = conductivityFloored ? 0.0 : a[j] * dNuDPr[j] * h[j]->prandtl;
        m_dThermalDConductivity[j] = dRDS * (a[j] * nusselt[j] - prandtlTerm);

        m_dThermalDHeatCapacity[j] = dRDS * (weight * dNuDPr[j] * (mu[j] / h[j]->conductivity));
    }
}

// The entries of mode 2's derivatives that are the same in every state: velocities depend on the vapour
// holdup only, and not on the phase properties; the aqueous holdup is no state variable.
void CSimpleHydro::WriteMixtureVelocityConstants()
{
    for (int i = 0; i < kStateKinds; ++i) {
        m_dVelocityDHoldup[i][1] = 0.0;
        m_dVelocityDHoldup[i][2] = 0.0;
    }
    FillSlots<kStateKinds>(m_dVelocityDDensity, 0.0);
    FillSlots<kStateKinds>(m_dVelocityDViscosity, 0.0);
    FillSlots<kStateKinds>(m_dVelocityDPairProps, 0.0);
    m_dDpdzDHoldup[2] = 0.0;
    FillSlots<kStateKinds>(m_dDpdzDViscosity, 0.0);
    FillSlots<kStateKinds>(m_dDpdzDPairProps, 0.0);
}

void CSimpleHydro::ComputeMixtureVelocityDerivatives()
{
    const CDoubleArray& a = m_holdup;
    const CDoubleArray& rho = m_density;
    const double diameter = m_diameter;
    const double s = m_inclination;
    const double um = m_mixtureVelocity;
    const double mixtureDensity = MixtureDensity(rho, a);
    const double drift = (BubbleRiseVelocity(diameter) + kDriftMixtureCoefficient * um) * s;

    for (int i = 0; i < kStateKinds; ++i)
        m_dVelocityDHoldup[i][0] = -drift;
    m_dVelocityDDrivingVelocity[0] = 1.0 + (a[1] + a[2]) * (kDriftMixtureCoefficient * s);
    m_dVelocityDDrivingVelocity[1] = 1.0 - (kDriftMixtureCoefficient * s) * a[0];
    m_dVelocityDDrivingVelocity[2] = 1.0 - (kDriftMixtureCoefficient * s) * a[0];

    const double gradientPerDensity =
        (((2.0 * m_frictionFactor) * um) * AbsoluteValue(um)) / diameter + kGravity * s;
    const double frictionSlope = (((4.0 * mixtureDensity) * m_frictionFactor) * AbsoluteValue(um)) / diameter;
    m_dDpdzDHoldup[0] = (rho[2] - rho[0]) * gradientPerDensity;
    m_dDpdzDHoldup[1] = (rho[2] - rho[1]) * gradientPerDensity;
    m_dDpdzDMixtureVelocity = -frictionSlope;
    for (int j = 0; j < kStateKinds; ++j)
        m_dDpdzDDensity[j] = (-gradientPerDensity) * a[j];
}

} // namespace ondivar
