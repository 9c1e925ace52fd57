// The analytic derivatives of the holdup-driven modes against central differences of the model's own
// results, the aqueous holdup following alpha2 = 1 - alpha0 - alpha1.
#include "HydroTestInputs.h"

#include <algorithm>
#include <cmath>
#include <string>

using namespace ondivar;
using namespace ondivar::testing;

namespace {

struct CState {
    std::string name;
    double diameter, inclination, alpha0, alpha1, driving;
    double density[3], kinematicViscosity[3], heatCapacity[3], conductivity[3];
};

CState MakeState(std::string name, double diameter, double inclination, double alpha0, double alpha1,
                 double driving, const double (&density)[3], const double (&viscosity)[3],
                 const double (&heatCapacity)[3], const double (&conductivity)[3])
{
    CState s{std::move(name), diameter, inclination, alpha0, alpha1, driving, {}, {}, {}, {}};
    for (int i = 0; i < 3; ++i) {
        s.density[i] = density[i];
        s.kinematicViscosity[i] = viscosity[i] / density[i];
        s.heatCapacity[i] = heatCapacity[i];
        s.conductivity[i] = conductivity[i];
    }
    return s;
}

// Viscosities and conductivities are kept clear of their floors (5e-6, 5e-5, 5e-4 Pa.s; 0.001, 0.01,
// 0.01 W/(m.K)) by at least 20 %, on either side.
const CState kStates[] = {
    MakeState("vertical", 0.1, 1.0, 0.3, 0.5, 1.5, {50, 800, 1000}, {1.5e-5, 0.002, 0.0008},
              {2000, 2000, 4180}, {0.03, 0.13, 0.6}),
    MakeState("inclined, flowing down", 0.15, 0.5, 0.2, 0.3, -2.0, {30, 700, 990}, {1.2e-5, 0.004, 0.001},
              {2200, 1900, 4100}, {0.025, 0.11, 0.58}),
    MakeState("horizontal", 0.2, 0.0, 0.6, 0.1, 3.0, {20, 850, 1000}, {1e-5, 0.001, 0.0009},
              {2100, 2100, 4180}, {0.02, 0.12, 0.6}),
    MakeState("descending", 0.08, -0.8, 0.25, 0.25, 1.0, {60, 750, 1010}, {1.8e-5, 0.0015, 0.0011},
              {1900, 2050, 4150}, {0.035, 0.14, 0.61}),
    MakeState("below the floors", 0.1, 1.0, 0.3, 0.4, 2.0, {40, 820, 960}, {3e-6, 0.003, 0.0003},
              {2000, 2000, 4200}, {0.0008, 0.005, 0.65}),
    MakeState("counter-current", 0.1, 1.0, 0.2, 0.4, -0.1, {50, 800, 1000}, {1.5e-5, 3e-5, 0.0004},
              {2000, 2000, 4180}, {0.03, 0.13, 0.008}),
};

enum EVariable { eHoldupVar, eDrivingVar, eDensityVar, eViscosityVar, eHeatCapacityVar, eConductivityVar };

double& VariableOf(CState& s, EVariable v, int j)
{
    switch (v) {
    case eHoldupVar:
        return j == 0 ? s.alpha0 : s.alpha1;
    case eDrivingVar:
        return s.driving;
    case eDensityVar:
        return s.density[j]; // at fixed kinematic viscosity
    case eViscosityVar:
        return s.kinematicViscosity[j];
    case eHeatCapacityVar:
        return s.heatCapacity[j];
    default:
        return s.conductivity[j];
    }
}

// Outputs: u0, u1, u2, dp/dz, R.
constexpr int kOutputs = 5;

void RunState(CSimpleHydro& model, int mode, const CState& s)
{
    CHoldupCase c;
    c.diameter = s.diameter;
    c.inclination = s.inclination;
    c.holdup = Values({s.alpha0, s.alpha1, 1.0 - s.alpha0 - s.alpha1});
    c.drivingVelocity = s.driving;
    for (int i = 0; i < 3; ++i) {
        c.density[i] = s.density[i];
        c.viscosity[i] = s.kinematicViscosity[i] * s.density[i];
        c.heatCapacity[i] = s.heatCapacity[i];
        c.conductivity[i] = s.conductivity[i];
    }
    ASSERT_EQ(0, mode == 1 ? c.SetupMassVelocity(model) : c.SetupMixtureVelocity(model));
    ASSERT_EQ(0, model.ComputeProperties());
    ASSERT_EQ(0, model.ComputeDerivatives());
}

double Output(const CSimpleHydro& model, int o)
{
    return o < 3 ? model.GetVelocity()[o] : o == 3 ? model.GetDpdzTotal() : model.GetThermalResistance();
}

// NaN where the mode has no such derivative.
double Analytic(const CSimpleHydro& model, int mode, int o, EVariable v, int j)
{
    const double none = std::nan("");
    if (o < 3) {
        switch (v) {
        case eHoldupVar:
            return model.GetDVelocityDHoldup()[o][j];
        case eDrivingVar:
            return model.GetDVelocityDDrivingVelocity()[o];
        case eDensityVar:
            return model.GetDVelocityDDensity()[o][j];
        case eViscosityVar:
            return model.GetDVelocityDViscosity()[o][j];
        default:
            return 0.0; // nothing to depend on
        }
    }
    if (o == 3) {
        switch (v) {
        case eHoldupVar:
            return model.GetDDpdzDHoldup()[j];
        case eDrivingVar:
            return mode == 1 ? model.GetDDpdzDMassVelocity() : model.GetDDpdzDMixtureVelocity();
        case eDensityVar:
            return model.GetDDpdzDDensity()[j];
        case eViscosityVar:
            return model.GetDDpdzDViscosity()[j];
        default:
            return 0.0;
        }
    }
    if (mode != 1)
        return none;
    switch (v) {
    case eHoldupVar:
        return model.GetDThermalDHoldup()[j];
    case eDrivingVar:
        return model.GetDThermalDMassVelocity();
    case eDensityVar:
        return model.GetDThermalDDensity()[j];
    case eViscosityVar:
        return model.GetDThermalDViscosity()[j];
    case eHeatCapacityVar:
        return model.GetDThermalDHeatCapacity()[j];
    default:
        return model.GetDThermalDConductivity()[j];
    }
}

void CheckAgainstDifferences(int mode, const CState& state)
{
    CSimpleHydro model;
    RunState(model, mode, state);
    struct {
        EVariable v;
        int count;
        const char* name;
    } const variables[] = {{eHoldupVar, 2, "holdup"},
                           {eDrivingVar, 1, "driving velocity"},
                           {eDensityVar, 3, "density"},
                           {eViscosityVar, 3, "kinematic viscosity"},
                           {eHeatCapacityVar, 3, "heat capacity"},
                           {eConductivityVar, 3, "conductivity"}};
    int compared = 0;
    for (const auto& variable : variables) {
        for (int j = 0; j < variable.count; ++j) {
            CState plus = state, minus = state;
            const double x = VariableOf(plus, variable.v, j);
            const double h = 1e-6 * std::fabs(x);
            VariableOf(plus, variable.v, j) = x + h;
            VariableOf(minus, variable.v, j) = x - h;
            CSimpleHydro up, down;
            RunState(up, mode, plus);
            RunState(down, mode, minus);
            for (int o = 0; o < kOutputs; ++o) {
                const double analytic = Analytic(model, mode, o, variable.v, j);
                if (std::isnan(analytic))
                    continue;
                const double difference = (Output(up, o) - Output(down, o)) / (2.0 * h);
                // Relative to the derivative, with room for the rounding of the differences.
                const double tolerance = 1e-6 * std::fabs(analytic) + 1e-8 * std::fabs(Output(model, o) / x);
                EXPECT_NEAR(difference, analytic, tolerance)
                    << "mode " << mode << ", " << state.name << ": d(output " << o << ")/d(" << variable.name
                    << " " << j << ")";
                ++compared;
            }
        }
    }
    EXPECT_EQ(mode == 1 ? 15 * 5 : 15 * 4, compared);
}

} // namespace

TEST(Derivatives, MassVelocityModeMatchesDifferences)
{
    for (const CState& state : kStates)
        CheckAgainstDifferences(1, state);
}

TEST(Derivatives, MixtureVelocityModeMatchesDifferences)
{
    for (const CState& state : kStates)
        CheckAgainstDifferences(2, state);
}

TEST(Derivatives, DependentHoldupAndUnusedPropertiesHaveZeroEntries)
{
    for (int mode : {1, 2}) {
        CSimpleHydro model;
        RunState(model, mode, kStates[0]);
        EXPECT_EQ(0.0, model.GetDDpdzDHoldup()[2]);
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(0.0, model.GetDVelocityDHoldup()[i][2]);
            EXPECT_EQ(0.0, model.GetDDpdzDPairProps()[i][2]);
            for (int j = 0; j < 3; ++j)
                EXPECT_EQ(0.0, model.GetDVelocityDPairProps()[i][j][2]);
        }
        if (mode == 1) {
            EXPECT_EQ(0.0, model.GetDThermalDHoldup()[2]);
            EXPECT_EQ(0.0, model.GetDThermalDPairProps()[1][2]);
            EXPECT_EQ(1.0, model.GetDVelocityDMassVelocity()[2]);
        }
    }
}

TEST(Derivatives, NusseltDerivHasTheFloorOfFour)
{
    double dRe = -1.0, dPr = -1.0;
    EXPECT_EQ(4.0, CSimpleHydro::NusseltDeriv(10.0, 1.0, dRe, dPr));
    EXPECT_EQ(0.0, dRe);
    EXPECT_EQ(0.0, dPr);
    const double re = 1e5, pr = 5.0;
    const double nu = CSimpleHydro::NusseltDeriv(re, pr, dRe, dPr);
    EXPECT_EQ(CSimpleHydro::Nusselt(re, pr), nu);
    EXPECT_NEAR(0.023 * std::pow(re, 0.8) * std::pow(pr, 0.333333333333), nu, 1e-12 * nu);
    EXPECT_NEAR((CSimpleHydro::Nusselt(re * (1 + 1e-6), pr) - CSimpleHydro::Nusselt(re * (1 - 1e-6), pr)) /
                    (2e-6 * re),
                dRe, 1e-7 * dRe);
    EXPECT_NEAR(nu / (3.0 * pr), dPr, 1e-15 * dPr);
    EXPECT_TRUE(std::isnan(CSimpleHydro::NusseltDeriv(std::nan(""), pr, dRe, dPr)));
}

// A model carried from one state to the next (what a solver does) gives, bit for bit, what a new model
// gives: nothing of the previous state (derivatives of the other mode, numbers kept from the previous
// properties) shows through.
TEST(Derivatives, ReusedModelComputesAsANewOne)
{
    CHoldupCase first;
    CHoldupCase second;
    second.holdup = Values({0.6, 0.1, 0.3});
    second.viscosity = Values({2e-05, 0.004, 0.0009}); // other Prandtl numbers
    second.conductivity = Values({0.025, 0.12, 0.65});
    const auto expectSameResults = [&](const CSimpleHydro& reused, const CSimpleHydro& fresh) {
        EXPECT_TRUE(SameBits({fresh.GetThermalResistance()}, {reused.GetThermalResistance()}));
        EXPECT_TRUE(SameBits({fresh.GetDThermalDMassVelocity()}, {reused.GetDThermalDMassVelocity()}));
        EXPECT_TRUE(SameBits(DerivativeValues(fresh), DerivativeValues(reused)));
    };
    for (int mode : {1, 2}) {
        CSimpleHydro reused, fresh;
        first.SetupMassVelocity(reused); // mass-velocity derivatives write the most
        reused.ComputeProperties();
        reused.ComputeDerivatives();
        for (CSimpleHydro* model : {&reused, &fresh}) {
            mode == 1 ? second.SetupMassVelocity(*model) : second.SetupMixtureVelocity(*model);
            model->ComputeProperties();
            model->ComputeDerivatives();
        }
        expectSameResults(reused, fresh);
    }
}
