// ICapeHydroFlowRoutine and the results: the calculation against the model run directly, what refuses
// a calculation or a result, which results stay readable, and the state vector.
#include "FlowTesting.h"

namespace ondivar::testing {
namespace {

using FlowCalculationTest = ComponentTest;

std::wstring regimeOf(ICapeHydroFlow* flow)
{
    BSTR regime = nullptr, qualifier = nullptr;
    EXPECT_EQ(S_OK, flow->GetFlowRegime(&regime, &qualifier));
    return take(regime) + L"/" + take(qualifier);
}

TEST_F(FlowCalculationTest, RiserExampleGivesTheModelsNumbers)
{
    auto flow = createComponent<ICapeHydroFlow>();
    EXPECT_EQ(L"(null)/(null)", regimeOf(flow.get()));
    const FlowCase c;
    feed(flow.get(), c);
    ASSERT_EQ(S_OK, flow.query<ICapeHydroFlowRoutine>()->CalcFlow(Text(L"Us"), Text(L"x"), Text(L"Annular")));
    const CSimpleHydro model = referenceModel(c, {0, 1});
    expectResultsOf(model, flow.get(), c);
    EXPECT_NEAR(-5030.638, model.GetDpdzTotal(), 1e-3);
    EXPECT_EQ(L"Slug/(null)", regimeOf(flow.get()));
}

// Phases reach the model in label order, not in declaration order: the last label closes the holdups.
TEST_F(FlowCalculationTest, LabelOrderDecidesTheClosurePhase)
{
    FlowCase c;
    c.labels[0] = L"zgas";
    c.inputs[0][0] = 0.37;
    const CSimpleHydro labelOrder = referenceModel(c, {1, 0});
    ASSERT_NE(labelOrder.GetHoldup()[eVapor], referenceModel(c, {0, 1}).GetHoldup()[eVapor]);
    auto flow = createComponent<ICapeHydroFlow>();
    feed(flow.get(), c);
    ASSERT_EQ(S_OK, calcUs(flow));
    expectResultsOf(labelOrder, flow.get(), c);
}

TEST_F(FlowCalculationTest, FailuresKeepTheLastResultsUntilCleared)
{
    auto flow = createComponent<ICapeHydroFlow>();
    auto routine = flow.query<ICapeHydroFlowRoutine>();
    UniqueVariant values;
    EXPECT_EQ(kCapeUnknown, flow->GetMixtureProp(Text(L"unknown"), values.put()));
    EXPECT_EQ(kCapeUnknown, flow->GetTwoHydroProp(nullptr, Arg{}, values.get()));
    const FlowCase c;
    feed(flow.get(), c);
    ASSERT_EQ(S_OK, calcUs(flow));
    for (const wchar_t* flowSpec : {L"us", L"Us ", L"", static_cast<const wchar_t*>(nullptr)}) {
        EXPECT_EQ(kCapeNoImpl, routine->CalcFlow(Text(flowSpec), Text(L"Us"), nullptr));
        expectRecorded(flow.get(), L"ICapeHydroFlowRoutine", L"CalcFlow");
        // The description names the basis given (a null one as empty).
        const std::wstring basis = flowSpec != nullptr ? flowSpec : L"";
        EXPECT_EQ(L"The flow basis \"" + basis +
                      L"\" is not supported: the flow is computed from the superficial velocity of each "
                      L"phase, basis \"Us\".\n",
                  readErrors(flow.get()).description);
    }
    // The model refuses vapour, organic and two aqueous phases after it computed their holdups.
    ASSERT_EQ(S_OK, flow->SetPresentPhases(Arg{L"a", L"b", L"c", L"d"},
                                           Arg{L"Vapor", L"Liquid", L"Liquid", L"Liquid"},
                                           Arg{L"", L"Organic", L"Aqueous", L"Aqueous"}));
    EXPECT_EQ(kCapeBadArgument, calcUs(flow));
    EXPECT_EQ(L"Fail to compute hydro properties: present phases are not valid. Please contact support.\n",
              readErrors(flow.get()).description);
    ASSERT_EQ(S_OK, flow->SetPresentPhases(Arg{}, Arg{}, Arg{}));
    EXPECT_EQ(kCapeBadArgument, calcUs(flow));
    // Refused requests; new inputs do not show before the next calculation.
    ASSERT_EQ(S_OK, flow->SetPresentPhases(Arg{L"gas", L"oil"}, Arg{L"Vapor", L"Liquid"}, Arg{L"", L""}));
    ASSERT_EQ(S_OK, flow->SetGeometryProp(Text(L"diameter"), Arg{0.3}));
    V_VT(values.put()) = VT_I4;
    EXPECT_EQ(S_OK, flow->GetTwoHydroProp(nullptr, Arg{}, values.get()));
    EXPECT_EQ(VT_I4, V_VT(values.get()));
    EXPECT_EQ(kCapeBadInvOrder, flow->GetMixtureProp(Text(L"volumeFraction"), values.get()));
    EXPECT_EQ(VT_EMPTY, V_VT(values.get()));
    EXPECT_EQ(kCapeBadInvOrder,
              flow->GetSingleHydroProp(Text(L"pressureDropTotal"), Text(L"gas"), values.put()));
    EXPECT_EQ(kCapeInvalidArgument,
              flow->GetSingleHydroProp(Text(L"volumeFraction"), Text(L"water"), values.put()));
    expectRecorded(flow.get(), L"ICapeHydroFlow", L"GetSingleHydroProp");
    expectResultsOf(referenceModel(c, {0, 1}), flow.get(), c);

    ASSERT_EQ(S_OK, flow->ClearAllProps());
    EXPECT_EQ(kCapeUnknown, flow->GetMixtureProp(Text(L"pressureDropTotal"), values.put()));
    EXPECT_EQ(VT_EMPTY, V_VT(values.get()));
    EXPECT_EQ(kCapeUnknown, flow->GetSingleHydroProp(Text(L"volumeFraction"), Text(L"gas"), values.put()));
    EXPECT_EQ(L"Slug/(null)", regimeOf(flow.get()));
    // The refused label did not join the phases; geometry that was never set is refused.
    ASSERT_EQ(S_OK, calcUs(flow));
    auto fresh = createComponent<ICapeHydroFlow>();
    ASSERT_EQ(S_OK, fresh->SetPresentPhases(Arg{L"gas"}, Arg{L"Vapor"}, Arg{L""}));
    ASSERT_EQ(S_OK, fresh->SetSingleHydroProp(Text(L"superficialVelocity"), Text(L"gas"), Arg{1.0}));
    EXPECT_EQ(kCapeOutOfBounds, calcUs(fresh));
    EXPECT_EQ(0u, readErrors(fresh.get()).description.rfind(L"The diameter is NaN m:", 0));
}

TEST_F(FlowCalculationTest, FlowSpecCheckAndStateVector)
{
    auto routine = createComponent<ICapeHydroFlowRoutine>();
    const std::tuple<const wchar_t*, const wchar_t*, VARIANT_BOOL> rows[] = {
        {L"Us", nullptr, VARIANT_TRUE},
        {L"Us", L"", VARIANT_FALSE},
        {L"us", nullptr, VARIANT_FALSE},
        {nullptr, nullptr, VARIANT_FALSE}};
    for (const auto& [flowSpec, regime, expected] : rows) {
        VARIANT_BOOL supported = 7;
        EXPECT_EQ(S_OK, routine->CheckCalcFlowSpec(Text(flowSpec), Text(L"x"), Text(regime), &supported));
        EXPECT_EQ(expected, supported);
    }
    EXPECT_EQ(L"", readErrors(routine.get()).operation);

    UniqueVariant state;
    ASSERT_EQ(S_OK, routine->GetFinalState(state.put()));
    EXPECT_EQ(VT_EMPTY, V_VT(state.get()));
    ASSERT_EQ(S_OK, routine->SetInitState(Arg{1.5, 2.5, 3.5}));
    EXPECT_EQ(kCapeUnknown, routine->SetInitState(Arg{L"1.5"})); // keeps the state before
    expectRecorded(routine.get(), L"ICapeHydroFlowRoutine", L"SetInitState");
    auto flow = routine.query<ICapeHydroFlow>();
    feed(flow.get(), FlowCase());
    ASSERT_EQ(S_OK, calcUs(flow));
    ASSERT_EQ(S_OK, routine->GetFinalState(state.put()));
    CDoubleArray values;
    variantToArray(state.get(), values);
    EXPECT_EQ((std::vector<double>{1.5, 2.5, 3.5}), std::vector<double>(values.begin(), values.end()));
    ASSERT_EQ(S_OK, routine->SetInitState(Arg{}));
    ASSERT_EQ(S_OK, routine->GetFinalState(state.put()));
    EXPECT_EQ(VT_EMPTY, V_VT(state.get()));
}

} // namespace
} // namespace ondivar::testing
