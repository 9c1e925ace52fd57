// The riser example driven through IDispatch::Invoke with the dispatch ids of the component's type
// library, as a script host would drive it.
#include "DispatchCalls.h"

namespace ondivar::testing {
namespace {

using FlowDispatchTest = ComponentTest;

TEST_F(FlowDispatchTest, RiserExampleThroughInvoke)
{
    ASSERT_TRUE(kFlowTypeLibraryFile);
    auto flowInterface = createComponent<ICapeHydroFlow>();
    auto routine = flowInterface.query<ICapeHydroFlowRoutine>();
    IDispatch* flow = flowInterface.get();
    const FlowCase c;
    const std::pair<const wchar_t*, double> geometry[] = {
        {L"diameter", c.diameter}, {L"inclination", c.inclination}, {L"roughness", c.roughness}};
    for (const auto& [name, value] : geometry)
        ASSERT_EQ(S_OK, call(flow, 7, {arg(Text(name)), Arg{value}}));
    ASSERT_EQ(S_OK, call(flow, 10, {Arg(c.labels), Arg(c.states), Arg(c.types)}));
    for (std::size_t p = 0; p < c.labels.size(); ++p)
        for (std::size_t i = 0; i < 5; ++i)
            ASSERT_EQ(S_OK, call(flow, i == 0 ? 11 : 12,
                                 {arg(Text(kInputs[i])), arg(Text(c.labels[p])), Arg{c.inputs[i][p]}}));
    EXPECT_EQ(kCapeNoImpl, call(routine.get(), 0, {arg(Text(L"us")), arg(nullptr), arg(nullptr)}));
    ASSERT_EQ(S_OK, call(routine.get(), 0, {arg(Text(L"Us")), arg(nullptr), arg(nullptr)}));

    UniqueVariant values;
    ASSERT_EQ(S_OK, call(flow, 4, {arg(Text(L"pressureDropTotal")), arg(nullptr, values.put(), VT_VARIANT)}));
    const CSimpleHydro model = referenceModel(c, {0, 1});
    CDoubleArray total;
    variantToArray(values.get(), total);
    EXPECT_EQ(model.GetDpdzTotal(), total.size() == 1 ? total[0] : 0.0);
    UniqueBstr regime, qualifier;
    ASSERT_EQ(S_OK,
              call(flow, 3, {arg(nullptr, regime.put(), VT_BSTR), arg(nullptr, qualifier.put(), VT_BSTR)}));
    EXPECT_EQ(L"Slug", take(regime.release()));
    EXPECT_EQ(nullptr, qualifier.get());
    // Everything else the vtable reads back equals the model too.
    expectResultsOf(model, flowInterface.get(), c);
}

} // namespace
} // namespace ondivar::testing
