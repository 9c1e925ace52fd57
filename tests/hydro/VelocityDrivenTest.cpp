#include "HydroTestInputs.h"

#include <cmath>

using namespace ondivar;
using namespace ondivar::testing;

namespace {
constexpr double kPi = 3.141592653589793;
}

TEST(VelocityDriven, VerticalSlugFlowWorkedExample)
{
    CSimpleHydro model;
    const CFlowCase flow; // vapour and organic liquid, Us = 1 m/s each, D = 0.1 m, vertical
    flow.Run(model);
    const CDoubleArray& alpha = model.GetHoldup();
    const CDoubleArray& u = model.GetVelocity();
    EXPECT_EQ(2.0, model.GetMixtureVelocity());
    EXPECT_NEAR(2.440745, u[eVapor], 1e-6);
    EXPECT_NEAR(1.694086, u[eLiquid], 1e-6);
    EXPECT_NEAR(0.746659, u[eVapor] - u[eLiquid], 1e-6); // the drift
    EXPECT_NEAR(0.409711, alpha[eVapor], 1e-6);
    EXPECT_NEAR(0.590289, alpha[eLiquid], 1e-6);
    EXPECT_DOUBLE_EQ(1.0, alpha[eVapor] + alpha[eLiquid]);
    EXPECT_EQ(0.5, model.GetNoSlipHoldup()[eVapor]);
    EXPECT_EQ(0.5, model.GetNoSlipHoldup()[eLiquid]);
    EXPECT_NEAR(1.725129, model.GetMassAverageVelocity(), 1e-6);
    EXPECT_EQ(eSlug, model.GetFlowPattern());
    EXPECT_EQ(0.5, model.GetPatternValue());
    EXPECT_NEAR(-197.0867, model.GetDpdzFriction(), 1e-4);
    EXPECT_NEAR(-4833.551, model.GetDpdzGravity(), 1e-3);
    EXPECT_NEAR(-5030.638, model.GetDpdzTotal(), 1e-3);
    EXPECT_NEAR(0.00936793, model.GetThermalResistance(), 5e-9);
    // Unlisted kinds have no results, and computing again changes nothing.
    EXPECT_TRUE(std::isnan(alpha[eWater]) && std::isnan(u[eWater]) && std::isnan(alpha[3]));
    const double total = model.GetDpdzTotal(), resistance = model.GetThermalResistance();
    EXPECT_EQ(0, model.ComputeProperties());
    EXPECT_EQ(total, model.GetDpdzTotal());
    EXPECT_EQ(resistance, model.GetThermalResistance());
}

TEST(VelocityDriven, HorizontalThreePhaseFlowHasNoSlip)
{
    CSimpleHydro model;
    CFlowCase flow;
    flow.diameter = 0.2;
    flow.inclination = 0.0;
    flow.kinds = Kinds({eVapor, eLiquid, eWater});
    flow.superficialVelocity = Values({2.0, 0.5, 0.5});
    flow.density = Values({20.0, 850.0, 1000.0});
    flow.Run(model);
    for (int i : {eVapor, eLiquid, eWater})
        EXPECT_DOUBLE_EQ(3.0, model.GetVelocity()[i]);
    EXPECT_DOUBLE_EQ(2.0 / 3.0, model.GetHoldup()[eVapor]);
    EXPECT_DOUBLE_EQ(1.0 / 6.0, model.GetHoldup()[eLiquid]);
    EXPECT_NEAR(1.0 / 6.0, model.GetHoldup()[eWater], 1e-15);
    EXPECT_EQ(eThreePhase, model.GetFlowPattern());
    EXPECT_NEAR(-144.75, model.GetDpdzFriction(), 1e-9);
    EXPECT_EQ(0.0, model.GetDpdzGravity());
    EXPECT_TRUE(std::signbit(model.GetDpdzGravity()));
}

TEST(VelocityDriven, LoneVapourRisesAtTheDrift)
{
    CSimpleHydro model;
    CFlowCase flow;
    flow.kinds = Kinds({eVapor});
    flow.superficialVelocity = Values({0.2, 7.0, 7.0});
    flow.Run(model);
    EXPECT_EQ(1.0, model.GetHoldup()[eVapor]);
    EXPECT_NEAR(0.386659, model.GetVelocity()[eVapor], 1e-6);
    EXPECT_EQ(eSinglePhaseVapor, model.GetFlowPattern());
    EXPECT_EQ(1.0, model.GetPatternValue());
    EXPECT_NEAR(-490.5, model.GetDpdzGravity(), 1e-9);
}

TEST(VelocityDriven, LiquidsMoveTogetherAndDescentReversesTheDrift)
{
    CSimpleHydro model;
    CFlowCase flow;
    flow.kinds = Kinds({eWater, eLiquid});
    flow.superficialVelocity = Values({5.0, 0.3, 0.7});
    flow.Run(model);
    EXPECT_NEAR(1.0, model.GetVelocity()[eLiquid], 1e-15);
    EXPECT_NEAR(1.0, model.GetVelocity()[eWater], 1e-15);
    EXPECT_NEAR(0.7, model.GetHoldup()[eWater], 1e-15);
    EXPECT_NEAR(0.3, model.GetHoldup()[eLiquid], 1e-15);
    EXPECT_EQ(eLiquidLiquid, model.GetFlowPattern());
    EXPECT_TRUE(std::isnan(model.GetVelocity()[eVapor])); // not listed, though given

    flow.kinds = Kinds({eVapor, eLiquid});
    flow.inclination = -1.0;
    flow.superficialVelocity = Values({1.0, 1.0, 1.0});
    flow.Run(model);
    EXPECT_LT(model.GetVelocity()[eVapor], model.GetVelocity()[eLiquid]);
    EXPECT_GT(model.GetHoldup()[eVapor], 0.5);
    EXPECT_GT(model.GetDpdzGravity(), 0.0);
}

TEST(VelocityDriven, HeatTransferUsesTheFloorsWhereTheyApply)
{
    CSimpleHydro model;
    CFlowCase flow;
    flow.kinds = Kinds({eVapor});
    flow.viscosity = Values({1e-6, 0.0, 0.0});      // below 5e-6
    flow.conductivity = Values({0.0005, 0.0, 0.0}); // below 0.001
    flow.Run(model);
    const double us = flow.superficialVelocity[eVapor];
    const double reynolds = 50.0 * 0.1 * us / 5e-6;
    const double prandtl = 1e-6 * 2000.0 / 0.001;
    const double nusselt = 0.023 * std::pow(reynolds, 0.8) * std::pow(prandtl, 0.333333333333);
    ASSERT_GT(nusselt, 4.0);
    EXPECT_NEAR(1.0 / (kPi * 0.0005 * nusselt), model.GetThermalResistance(),
                1e-12 * model.GetThermalResistance());

    // A phase at rest contributes alpha k 4; a zero conductivity contributes nothing.
    flow.kinds = Kinds({eLiquid, eWater});
    flow.inclination = 0.0;
    flow.superficialVelocity = Values({0.0, 0.0, 1.0});
    flow.viscosity = Values({0.0, 0.002, 0.001});
    flow.conductivity = Values({0.0, 0.13, 0.0});
    flow.Run(model);
    EXPECT_EQ(0.0, model.GetHoldup()[eLiquid]);
    EXPECT_TRUE(std::isinf(model.GetThermalResistance()));
    flow.superficialVelocity = Values({0.0, 0.0, 0.0});
    flow.conductivity = Values({0.0, 0.13, 0.6});
    flow.Run(model); // Um = 0: holdups come out NaN, not an error
    EXPECT_TRUE(std::isnan(model.GetHoldup()[eLiquid]));
    flow.kinds = Kinds({eLiquid});
    flow.Run(model);
    EXPECT_NEAR(1.0 / (kPi * 0.13 * 4.0), model.GetThermalResistance(), 1e-15);
}

TEST(VelocityDriven, PatternKeyIsAPlainSumOfKinds)
{
    CSimpleHydro model;
    CFlowCase flow;
    flow.kinds = Kinds({eLiquid, eLiquid});
    flow.Run(model);
    EXPECT_EQ(eSinglePhaseWater, model.GetFlowPattern());
    flow.kinds = Kinds({eVapor, eLiquid, eLiquid});
    flow.Run(model);
    EXPECT_EQ(eSlug, model.GetFlowPattern());
}

TEST(VelocityDriven, MissingPatternKeyRaisesAfterTheVelocities)
{
    for (const CIntArray& kinds : {Kinds({}), Kinds({eVapor, eLiquid, eWater, eVapor})}) { // keys 0 and 8
        CSimpleHydro model;
        CFlowCase flow;
        flow.kinds = kinds.copy();
        flow.Setup(model);
        ExpectConfigurationError([&] { model.ComputeProperties(); });
        EXPECT_EQ(kUndefinedInteger, static_cast<int>(model.GetFlowPattern()));
        EXPECT_TRUE(std::isnan(model.GetDpdzTotal()) && std::isnan(model.GetThermalResistance()));
        if (kinds.size() > 0) {
            EXPECT_FALSE(std::isnan(model.GetVelocity()[eWater]));
        }
    }
    // The largest key a phase list can form: four phases of the last slot (arrays that have it).
    CSimpleHydro lastSlot;
    CFlowCase flow;
    flow.kinds = Kinds({3, 3, 3, 3});
    flow.superficialVelocity = Values({1.0, 1.0, 1.0, 1.0});
    flow.density = Values({50.0, 800.0, 1000.0, 900.0});
    flow.viscosity = Values({1.5e-05, 0.002, 0.001, 0.001});
    flow.pairs = CDoubleMatrix(4, 4, 0.25);
    flow.heatCapacity = Values({2000.0, 2000.0, 4180.0, 2000.0});
    flow.conductivity = Values({0.03, 0.13, 0.6, 0.1});
    flow.Setup(lastSlot);
    ExpectConfigurationError([&] { lastSlot.ComputeProperties(); });
    // A model never set up has no phase list to look up.
    CSimpleHydro model;
    ExpectConfigurationError([&] { model.ComputeProperties(); });
}

TEST(VelocityDriven, PhaseListOutsideTheArraysIsRejectedUntouched)
{
    CSimpleHydro model;
    const CFlowCase valid;
    valid.Run(model);
    const double total = model.GetDpdzTotal();

    auto expectRejected = [&](const CFlowCase& flow, int phaseCount) {
        ExpectConfigurationError([&] { flow.Setup(model, phaseCount); });
        EXPECT_EQ(total, model.GetDpdzTotal()); // nothing written
        EXPECT_EQ(2, model.GetPhaseCount());
    };
    expectRejected(valid, -1);
    expectRejected(valid, 5);
    expectRejected(valid, 3); // the list holds two kinds
    CFlowCase flow;
    flow.kinds = Kinds({eVapor, -1});
    expectRejected(flow, 2);
    flow.kinds = Kinds({eVapor, 3}); // beyond the component's three slots
    expectRejected(flow, 2);
    flow.kinds = Kinds({eVapor, 4, 0, 0, 0});
    expectRejected(flow, 2);
    flow.kinds = Kinds({eVapor, eWater});
    flow.heatCapacity = Values({2000.0, 2000.0});
    expectRejected(flow, 2);
    flow.heatCapacity = valid.heatCapacity.copy();
    flow.pairs = CDoubleMatrix(2, 3, 0.0);
    expectRejected(flow, 2);
    flow.pairs = CDoubleMatrix(3, 3, 0.0);
    flow.pairs[eVapor] = Values({0.0, 0.0});
    expectRejected(flow, 2);

    // A fourth slot given by the caller is a slot of the model: accepted, but no pattern has it.
    flow = CFlowCase();
    flow.kinds = Kinds({eVapor, 3});
    for (CDoubleArray* a :
         {&flow.superficialVelocity, &flow.density, &flow.viscosity, &flow.heatCapacity, &flow.conductivity})
        *a = Values({1.0, 1.0, 1.0, 1.0});
    flow.pairs = CDoubleMatrix(4, 4, 0.0);
    flow.Setup(model);
    EXPECT_FALSE(std::isnan(model.GetHoldup()[3]));
    ExpectConfigurationError([&] { model.ComputeProperties(); });
}
