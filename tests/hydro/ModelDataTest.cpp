#include "HydroTestInputs.h"

#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

using namespace ondivar;
using namespace ondivar::testing;

namespace {

void ExpectAllNaN(const CDoubleArray& a, std::size_t slots = kModelSlots)
{
    ASSERT_EQ(slots, a.size());
    for (double v : a)
        EXPECT_TRUE(std::isnan(v));
}

void ExpectAllNaN(const CDoubleMatrix& m)
{
    ASSERT_EQ(std::size_t(kModelSlots), m.rows());
    for (std::size_t i = 0; i < m.rows(); ++i)
        ExpectAllNaN(m[i]);
}

// Every result and derivative of the model is undefined (the inputs are not looked at).
void ExpectResultsUndefined(const CHydro& h)
{
    EXPECT_EQ(kUndefinedInteger, static_cast<int>(h.GetFlowPattern()));
    for (int kind : h.GetPhaseKinds())
        EXPECT_EQ(kUndefinedInteger, kind);
    for (double v : {h.GetMassAverageVelocity(), h.GetMixtureVelocity(), h.GetDpdzTotal(),
                     h.GetDpdzFriction(), h.GetDpdzGravity(), h.GetThermalResistance(), h.GetPatternValue(),
                     h.GetDDpdzDMassVelocity(), h.GetDThermalDMassVelocity()})
        EXPECT_TRUE(std::isnan(v));
    for (const CDoubleArray* a :
         {&h.GetHoldup(), &h.GetNoSlipHoldup(), &h.GetSuperficialVelocity(), &h.GetVelocity(), &h.GetDSpare(),
          &h.GetDVelocityDMassVelocity(), &h.GetDVelocityDDrivingVelocity(), &h.GetDDpdzDHoldup(),
          &h.GetDDpdzDDensity(), &h.GetDDpdzDViscosity(), &h.GetDThermalDHoldup(), &h.GetDThermalDDensity(),
          &h.GetDThermalDViscosity(), &h.GetDThermalDHeatCapacity(), &h.GetDThermalDConductivity()})
        ExpectAllNaN(*a);
    for (const CDoubleMatrix* m :
         {&h.GetDVelocityDHoldup(), &h.GetDVelocityDDensity(), &h.GetDVelocityDViscosity(),
          &h.GetDDpdzDPairProps(), &h.GetDThermalDPairProps()})
        ExpectAllNaN(*m);
    ASSERT_EQ(std::size_t(kModelSlots), h.GetDVelocityDPairProps().planes());
    for (std::size_t i = 0; i < kModelSlots; ++i)
        ExpectAllNaN(h.GetDVelocityDPairProps()[i]);
}

} // namespace

TEST(ModelData, UndefinedRealIsTheNaNOfHugeValOverHugeVal)
{
    volatile double huge = HUGE_VAL;
    const double computed = huge / huge;
    std::uint64_t expected, actual;
    std::memcpy(&expected, &computed, sizeof expected);
    std::memcpy(&actual, &kUndefinedReal, sizeof actual);
    EXPECT_EQ(expected, actual);
}

TEST(ModelData, NewModelHoldsNothing)
{
    CSimpleHydro model;
    ExpectResultsUndefined(model);
    EXPECT_EQ(kUndefinedInteger, model.GetMode());
    EXPECT_EQ(kUndefinedInteger, model.GetPhaseCount());
    EXPECT_TRUE(std::isnan(model.GetDiameter()) && std::isnan(model.GetInclination()) &&
                std::isnan(model.GetRoughness()) && std::isnan(model.GetDDpdzDMixtureVelocity()));
    for (const CDoubleArray* a : {&model.GetDensity(), &model.GetViscosity(), &model.GetHeatCapacity(),
                                  &model.GetThermalConductivity()})
        ExpectAllNaN(*a);
    ExpectAllNaN(model.GetTwoPhaseProps());
    EXPECT_EQ(2, model.GetModelType());
    EXPECT_EQ(0.005, model.GetFrictionFactor());
    for (bool present : model.GetPhasePresent())
        EXPECT_FALSE(present);
}

TEST(ModelData, PatternTableFollowsThePhaseKinds)
{
    const CSimpleHydro model;
    const CSimpleHydro::CPatternTable expected = {{1, {eSinglePhaseVapor, 1.0}},
                                                  {2, {eSinglePhaseLiquid, 0.0}},
                                                  {3, {eSlug, 0.5}},
                                                  {4, {eSinglePhaseWater, 0.0}},
                                                  {5, {eSlug, 0.5}},
                                                  {6, {eLiquidLiquid, 0.0}},
                                                  {7, {eThreePhase, 0.5}}};
    EXPECT_EQ(expected, model.GetPatternTable());
}

TEST(ModelData, ResetClearsResultsAndKeepsInputs)
{
    CSimpleHydro model;
    CFlowCase flow;
    flow.kinds = Kinds({eVapor, eLiquid, eWater});
    flow.Run(model);
    EXPECT_EQ(1, model.ComputeDerivatives()); // velocity-driven: nothing to derive
    const CHoldupCase state;
    state.SetupMassVelocity(model);
    model.ComputeProperties();
    ASSERT_EQ(0, model.ComputeDerivatives());
    for (int round = 0; round < 2; ++round) {
        model.Reset();
        ExpectResultsUndefined(model);
    }
    EXPECT_EQ(1, model.GetMode());
    EXPECT_EQ(3, model.GetPhaseCount());
    EXPECT_EQ(0.1, model.GetDiameter());
    EXPECT_EQ(1.0, model.GetInclination());
    EXPECT_EQ(1e-5, model.GetRoughness());
    EXPECT_EQ(800.0, model.GetDensity()[eLiquid]);
    EXPECT_EQ(0.001, model.GetViscosity()[eWater]);
    EXPECT_EQ(0.25, model.GetTwoPhaseProps()[eVapor][eWater]);
    EXPECT_EQ(4180.0, model.GetHeatCapacity()[eWater]);
    EXPECT_EQ(0.03, model.GetThermalConductivity()[eVapor]);
}

// A set-up leaves the previous derivatives in place until they are read or computed again: read, even
// through a copy, they are undefined; computed again, they are whole, whether the mode's constant entries
// stayed in place or had to be written anew.
TEST(ModelData, DerivativesOfAnEarlierStateAreNeverRead)
{
    const CHoldupCase state;
    for (int mode : {1, 2}) {
        const auto setup = [&](CSimpleHydro& model) {
            mode == 1 ? state.SetupMassVelocity(model) : state.SetupMixtureVelocity(model);
        };
        const auto compute = [](CSimpleHydro& model) {
            model.ComputeProperties();
            ASSERT_EQ(0, model.ComputeDerivatives());
        };
        CSimpleHydro fresh;
        setup(fresh);
        compute(fresh);
        const std::vector<double> expected = DerivativeValues(fresh);

        CSimpleHydro model;
        state.SetupMassVelocity(model); // the mode that writes the most
        compute(model);
        setup(model);
        CSimpleHydro copy = model;
        const CSimpleHydro& readOnly = copy;
        for (double v : DerivativeValues(readOnly))
            ASSERT_TRUE(std::isnan(v)) << "mode " << mode;
        compute(model); // nothing of the earlier state read in between
        compute(copy);  // after its derivatives were read as undefined
        EXPECT_TRUE(SameBits(expected, DerivativeValues(model))) << "mode " << mode;
        EXPECT_TRUE(SameBits(expected, DerivativeValues(copy))) << "mode " << mode;
    }
}

TEST(ModelData, PresenceFollowsHoldupsAboveThreshold)
{
    CSimpleHydro model;
    CFlowCase flow;
    flow.inclination = 0.0; // holdups equal the input fractions
    flow.kinds = Kinds({eVapor, eWater, eLiquid});
    flow.superficialVelocity = Values({1.0, 0.0, 1e-12});
    flow.Run(model);
    model.UpdatePresence();
    const auto& present = model.GetPhasePresent();
    EXPECT_TRUE(present[eVapor]);
    EXPECT_FALSE(present[eLiquid]); // closes the sum: about 0
    EXPECT_FALSE(present[eWater]);  // holdup 1e-12
    EXPECT_FALSE(present[3]);       // NaN

    flow.kinds = Kinds({eWater});
    flow.Run(model);
    model.UpdatePresence();
    EXPECT_FALSE(present[eVapor]);
    EXPECT_TRUE(present[eWater]);
}
