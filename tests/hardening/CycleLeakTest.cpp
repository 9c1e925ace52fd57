// A hundred thousand simulator cycles on one component, each feeding the worked example, calculating
// and reading the results, every fourth one also taking the failure paths (refused inputs, an unknown flow
// basis, results asked before a calculation): the process's memory must not grow, and once the
// component is gone Ondivar.dll, which made it, agrees to be unloaded.
#include "DllComponentTest.h"
#include "tests/common/MemoryProbe.h"
#include "tests/component/FlowTesting.h"

namespace ondivar::testing {
namespace {

constexpr int kCycles = 100000;

// The arguments of a cycle, made once: the memory measured is the component's.
struct CycleArguments {
    const FlowCase c;
    Text names[5] = {Text(kInputs[0]), Text(kInputs[1]), Text(kInputs[2]), Text(kInputs[3]),
                     Text(kInputs[4])};
    Text labels[2] = {Text(L"gas"), Text(L"oil")};
    Text geometryNames[3] = {Text(L"diameter"), Text(L"inclination"), Text(L"roughness")};
    Arg geometry[3] = {Arg{c.diameter}, Arg{c.inclination}, Arg{c.roughness}};
    Arg inputs[5][2] = {{Arg{c.inputs[0][0]}, Arg{c.inputs[0][1]}},
                        {Arg{c.inputs[1][0]}, Arg{c.inputs[1][1]}},
                        {Arg{c.inputs[2][0]}, Arg{c.inputs[2][1]}},
                        {Arg{c.inputs[3][0]}, Arg{c.inputs[3][1]}},
                        {Arg{c.inputs[4][0]}, Arg{c.inputs[4][1]}}};
    Arg phaseLabels{c.labels}, states{c.states}, types{c.types};
    Arg empty;
    Arg texts{L"not", L"numbers"};
    Text us{L"Us"}, other{L"Holdup"}, unknownLabel{L"brine"}, total{L"pressureDropTotal"},
        holdup{L"volumeFraction"}, colour{L"colour"};
};

// Returns the number of calls whose outcome was not the expected one.
int cycle(ICapeHydroFlow* flow, ICapeHydroFlowRoutine* routine, const CycleArguments& a, bool failures)
{
    int wrong = 0;
    auto expect = [&](HRESULT expected, HRESULT hr) { wrong += hr == expected ? 0 : 1; };
    if (failures) {
        expect(S_OK, flow->ClearAllProps());
        UniqueVariant values;
        expect(kCapeUnknown, flow->GetMixtureProp(a.total, values.put()));
        expect(kCapeInvalidArgument, flow->SetGeometryProp(a.colour, a.geometry[0]));
        expect(kCapeInvalidArgument, flow->SetGeometryProp(a.geometryNames[0], a.empty));
        expect(kCapeData, flow->SetGeometryProp(a.geometryNames[0], a.texts));
        expect(kCapeNoImpl, routine->CalcFlow(a.other, nullptr, nullptr));
    }
    for (int g = 0; g < 3; ++g)
        expect(S_OK, flow->SetGeometryProp(a.geometryNames[g], a.geometry[g]));
    expect(S_OK, flow->SetPresentPhases(a.phaseLabels, a.states, a.types));
    for (int p = 0; p < 2; ++p) {
        expect(S_OK, flow->SetSingleHydroProp(a.names[0], a.labels[p], a.inputs[0][p]));
        for (int i = 1; i < 5; ++i)
            expect(S_OK, flow->SetSinglePhaseProp(a.names[i], a.labels[p], a.inputs[i][p]));
    }
    if (failures)
        expect(kCapeInvalidArgument, flow->SetSinglePhaseProp(a.names[1], a.unknownLabel, a.inputs[1][0]));
    expect(S_OK, routine->CalcFlow(a.us, nullptr, nullptr));
    UniqueVariant values;
    expect(S_OK, flow->GetMixtureProp(a.total, values.put()));
    for (int p = 0; p < 2; ++p)
        expect(S_OK, flow->GetSingleHydroProp(a.holdup, a.labels[p], values.put()));
    if (failures)
        expect(kCapeInvalidArgument, flow->GetSingleHydroProp(a.holdup, a.unknownLabel, values.put()));
    return wrong;
}

using CycleLeakTest = DllComponentTest;

TEST_F(CycleLeakTest, HundredThousandCyclesKeepMemoryFlatAndReleaseTheModule)
{
    {
        auto flow = createFromDll<ICapeHydroFlow>();
        auto routine = flow.query<ICapeHydroFlowRoutine>();
        ASSERT_TRUE(flow && routine);
        const CycleArguments arguments;
        int wrong = 0;
        int n = 0;
        const ondivar::testing::MemoryReading growth = ondivar::testing::growthOver(
            kCycles, [&] { wrong += cycle(flow.get(), routine.get(), arguments, ++n % 4 == 0); });
        EXPECT_EQ(0, wrong);
        ondivar::testing::expectNoGrowth(growth);
        // The worked example still comes out as the model computes it.
        expectResultsOf(referenceModel(arguments.c, {0, 1}), flow.get(), arguments.c);
    }
    expectDllUnloadable();
}

} // namespace
} // namespace ondivar::testing
