#include "HydroTestInputs.h"

#include <cmath>

using namespace ondivar;
using namespace ondivar::testing;

namespace {

double MixtureDensity(const CHydro& model)
{
    const CDoubleArray& rho = model.GetDensity();
    const CDoubleArray& a = model.GetHoldup();
    return rho[0] * a[0] + rho[1] * a[1] + rho[2] * a[2];
}

void ExpectUnwritten(const CDoubleArray& a)
{
    for (double v : a)
        EXPECT_TRUE(std::isnan(v));
}

} // namespace

TEST(HoldupDriven, MassVelocitySetupInvertsTheMassAverage)
{
    CSimpleHydro model;
    const CHoldupCase state;
    ASSERT_EQ(0, state.SetupMassVelocity(model));
    EXPECT_EQ(1, model.GetMode());
    const CDoubleArray& u = model.GetVelocity();
    const CDoubleArray& us = model.GetSuperficialVelocity();
    const double drift = 0.35 * std::sqrt(9.81 * 0.1);
    EXPECT_NEAR(drift, u[0] - u[1], 1e-14);
    EXPECT_EQ(u[1], u[2]);
    double massFlux = 0.0, um = 0.0;
    for (int i = 0; i < 3; ++i) {
        massFlux += model.GetDensity()[i] * us[i];
        um += us[i];
        EXPECT_DOUBLE_EQ(state.holdup[i] * u[i], us[i]);
    }
    EXPECT_NEAR(1.5, massFlux / MixtureDensity(model), 1e-14);
    EXPECT_DOUBLE_EQ(um, model.GetMixtureVelocity());
    const CDoubleArray& lambda = model.GetNoSlipHoldup();
    EXPECT_DOUBLE_EQ(1.0, lambda[0] + lambda[1] + lambda[2]);
    EXPECT_DOUBLE_EQ(us[2] / um, lambda[2]);
    EXPECT_EQ(1.5, model.GetMassAverageVelocity());
    EXPECT_EQ(0, model.ComputeProperties());
    EXPECT_EQ(eThreePhase, model.GetFlowPattern());
}

TEST(HoldupDriven, MixtureVelocitySetupSplitsTheMixtureVelocity)
{
    CSimpleHydro model;
    CHoldupCase state;
    state.inclination = 0.5;
    ASSERT_EQ(0, state.SetupMixtureVelocity(model));
    EXPECT_EQ(2, model.GetMode());
    const CDoubleArray& u = model.GetVelocity();
    const CDoubleArray& a = model.GetHoldup();
    EXPECT_NEAR((0.35 * std::sqrt(9.81 * 0.1) + 0.2 * 1.5) * 0.5, u[0] - u[1], 1e-14);
    EXPECT_NEAR(1.5, a[0] * u[0] + a[1] * u[1] + a[2] * u[2], 1e-14);
    EXPECT_EQ(u[1], u[2]);
    EXPECT_TRUE(std::isnan(model.GetMassAverageVelocity()));
}

TEST(HoldupDriven, HorizontalPipeHasNoSlipInEitherMode)
{
    CSimpleHydro model;
    CHoldupCase state;
    state.inclination = 0.0;
    for (int mode : {1, 2}) {
        (mode == 1 ? state.SetupMassVelocity(model) : state.SetupMixtureVelocity(model));
        model.ComputeProperties();
        ASSERT_EQ(0, model.ComputeDerivatives());
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(1.5, model.GetVelocity()[i]);
            EXPECT_EQ(1.0, model.GetDVelocityDDrivingVelocity()[i]);
            for (int j = 0; j < 3; ++j) {
                EXPECT_EQ(0.0, model.GetDVelocityDHoldup()[i][j]);
                EXPECT_EQ(0.0, model.GetDVelocityDDensity()[i][j]);
            }
        }
    }
}

// The model's arrays keep four slots whatever the arguments have; missing slots are undefined.
TEST(HoldupDriven, ShortArgumentsLeaveTheOtherSlotsUndefined)
{
    CSimpleHydro model;
    CFlowCase flow;
    flow.kinds = Kinds({eVapor, 3});
    for (CDoubleArray* a :
         {&flow.superficialVelocity, &flow.density, &flow.viscosity, &flow.heatCapacity, &flow.conductivity})
        *a = Values({1.0, 1.0, 1.0, 1.0});
    flow.pairs = CDoubleMatrix(4, 4, 1.0);
    flow.Setup(model); // fills slot 3 of every property array

    CHoldupCase state;
    state.phaseCount = 2;
    state.kinds = Kinds({eVapor, eLiquid});
    state.density = Values({50.0, 800.0});
    state.holdup = Values({0.4, 0.6, 0.0});
    state.SetupMassVelocity(model);
    for (const CDoubleArray* a : {&model.GetHoldup(), &model.GetDensity(), &model.GetViscosity(),
                                  &model.GetHeatCapacity(), &model.GetThermalConductivity()}) {
        ASSERT_EQ(std::size_t(kModelSlots), a->size());
        EXPECT_TRUE(std::isnan((*a)[3]));
    }
    EXPECT_TRUE(std::isnan(model.GetDensity()[eWater]));
    EXPECT_EQ(kUndefinedInteger, model.GetPhaseKinds()[2]);
    ASSERT_EQ(std::size_t(kModelSlots), model.GetTwoPhaseProps().rows());
    for (std::size_t i = 0; i < kModelSlots; ++i) {
        ASSERT_EQ(std::size_t(kModelSlots), model.GetTwoPhaseProps()[i].size());
        EXPECT_TRUE(std::isnan(model.GetTwoPhaseProps()[i][3]) && std::isnan(model.GetTwoPhaseProps()[3][i]));
    }
    model.UpdatePresence();
    EXPECT_TRUE(model.GetPhasePresent()[eLiquid]);
    EXPECT_FALSE(model.GetPhasePresent()[eWater] || model.GetPhasePresent()[3]);
}

TEST(HoldupDriven, InvalidPhaseListIsRejectedUntouched)
{
    CSimpleHydro model;
    const CHoldupCase valid;
    valid.SetupMixtureVelocity(model);
    const double um = model.GetMixtureVelocity();
    CHoldupCase state;
    auto expectRejected = [&] {
        ExpectConfigurationError([&] { state.SetupMassVelocity(model); });
        ExpectConfigurationError([&] { state.SetupMixtureVelocity(model); });
        EXPECT_EQ(2, model.GetMode());
        EXPECT_EQ(um, model.GetMixtureVelocity());
    };
    state.phaseCount = 5;
    expectRejected();
    state.phaseCount = 3;
    state.kinds = Kinds({eVapor, -1, eWater});
    expectRejected();
    state.kinds = valid.kinds.copy();
    state.holdup = Values({0.5, 0.5});
    expectRejected();
}

TEST(HoldupDriven, DerivativesNeedAHoldupDrivenSetup)
{
    CSimpleHydro model;
    EXPECT_EQ(1, model.ComputeDerivatives()); // never set up
    ExpectUnwritten(model.GetDDpdzDHoldup());
    EXPECT_TRUE(std::isnan(model.GetDDpdzDMixtureVelocity()));

    const CHoldupCase state;
    state.SetupMixtureVelocity(model);
    ASSERT_EQ(0, model.ComputeDerivatives());
    const double dDpdzDUm = model.GetDDpdzDMixtureVelocity();
    EXPECT_LT(dDpdzDUm, 0.0);
    // Mode 2 writes neither the mass-velocity nor the thermal derivatives, and no slot 3.
    ExpectUnwritten(model.GetDVelocityDMassVelocity());
    ExpectUnwritten(model.GetDThermalDHoldup());
    EXPECT_TRUE(std::isnan(model.GetDDpdzDMassVelocity()) && std::isnan(model.GetDThermalDMassVelocity()));
    EXPECT_TRUE(std::isnan(model.GetDDpdzDHoldup()[3]) && std::isnan(model.GetDVelocityDHoldup()[3][0]) &&
                std::isnan(model.GetDVelocityDHoldup()[0][3]) &&
                std::isnan(model.GetDVelocityDPairProps()[0][0][3]));
    ExpectUnwritten(model.GetDSpare());

    const CFlowCase flow;
    flow.Run(model);
    EXPECT_EQ(1, model.ComputeDerivatives());
    ExpectUnwritten(model.GetDDpdzDHoldup());
    EXPECT_EQ(dDpdzDUm, model.GetDDpdzDMixtureVelocity()); // not cleared by a set-up

    state.SetupMassVelocity(model);
    ASSERT_EQ(0, model.ComputeDerivatives()); // without ComputeProperties: R and its derivatives NaN
    ExpectUnwritten(model.GetDThermalDConductivity());
    EXPECT_FALSE(std::isnan(model.GetDDpdzDHoldup()[0]));
    EXPECT_EQ(dDpdzDUm, model.GetDDpdzDMixtureVelocity());
}
