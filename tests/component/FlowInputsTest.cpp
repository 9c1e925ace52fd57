// ICapeHydroFlow inputs: what is stored, mapped and refused, seen through the calculation's results.
#include "FlowTesting.h"

namespace ondivar::testing {
namespace {

using FlowInputsTest = ComponentTest;

TEST_F(FlowInputsTest, OnlyAcceptedInputsAreStored)
{
    auto flow = createComponent<ICapeHydroFlow>();
    const FlowCase c;
    feed(flow.get(), c);
    EXPECT_EQ(S_OK, flow->SetGeometryProp(Text(L"diameter"), Arg{c.diameter, 0.2}));
    // Refused, stored nothing: another letter case, no value, no number, an undeclared label.
    EXPECT_EQ(kCapeInvalidArgument, flow->SetGeometryProp(Text(L"Diameter"), Arg{0.5}));
    EXPECT_EQ(kCapeInvalidArgument, flow->SetGeometryProp(Text(L"diameter"), Arg{}));
    EXPECT_EQ(kCapeData, flow->SetGeometryProp(Text(L"diameter"), Arg{L"0.5"}));
    expectRecorded(flow.get(), L"ICapeHydroFlow", L"SetGeometryProp");
    EXPECT_EQ(kCapeInvalidArgument,
              flow->SetSingleHydroProp(Text(L"superficialVelocity"), Text(L"Gas"), Arg{1.0}));
    EXPECT_EQ(kCapeInvalidArgument, flow->SetSinglePhaseProp(Text(L"viscosity"), Text(L"gas"), Arg{}));
    EXPECT_EQ(kCapeData, flow->SetSinglePhaseProp(Text(L"viscosity"), Text(L"gas"), Arg{L"1"}));
    expectRecorded(flow.get(), L"ICapeHydroFlow", L"SetSinglePhaseProp");
    // Unknown names are ignored, whatever the label; other setters keep nothing.
    EXPECT_EQ(S_OK, flow->SetSinglePhaseProp(Text(L"Density"), Text(L"oil"), Arg{1.0}));
    EXPECT_EQ(S_OK, flow->SetSingleHydroProp(Text(L"density"), Text(nullptr), Arg{1.0}));
    EXPECT_EQ(S_OK, flow->SetMixtureProp(Text(L"any"), Arg{L"x"}));
    // A caller's text is never a format: it comes back as it was given.
    EXPECT_EQ(kCapeInvalidArgument, flow->SetSinglePhaseProp(Text(L"density"), Text(L"%n%s%ls"), Arg{1.0}));
    EXPECT_NE(std::wstring::npos, readErrors(flow.get()).description.find(L"\"%n%s%ls\""));
    ASSERT_EQ(S_OK, calcUs(flow));
    expectResultsOf(referenceModel(c, {0, 1}), flow.get(), c);
}

// A calculation with one phase leaves a number in its kind's slot only, which labels of known kinds
// declared afterwards read back.
TEST_F(FlowInputsTest, DeclaredPhasesMapToKinds)
{
    const std::tuple<const wchar_t*, const wchar_t*, int> rows[] = {
        {L"Vapor", L"Aqueous", eVapor}, {L"Liquid", L"Organic", eLiquid}, {L"Liquid", L"Aqueous", eWater},
        {L"Liquid", L"x", eLiquid},     {L"Solid", L"Aqueous", eLiquid},  {L"Unknown", L"Aqueous", eLiquid}};
    for (const auto& [state, type, expected] : rows) {
        auto flow = createComponent<ICapeHydroFlow>();
        ASSERT_EQ(S_OK, flow->SetGeometryProp(Text(L"diameter"), Arg{0.1}));
        ASSERT_EQ(S_OK, flow->SetGeometryProp(Text(L"inclination"), Arg{1.0}));
        ASSERT_EQ(S_OK, flow->SetPresentPhases(Arg{L"p"}, Arg{state}, Arg{type}));
        ASSERT_EQ(S_OK, flow->SetSingleHydroProp(Text(L"superficialVelocity"), Text(L"p"), Arg{0.7}));
        ASSERT_EQ(S_OK, flow->SetSinglePhaseProp(Text(L"density"), Text(L"p"), Arg{800.0}));
        ASSERT_EQ(S_OK, calcUs(flow));
        ASSERT_EQ(S_OK, flow->SetPresentPhases(Arg{L"0", L"1", L"2"}, Arg{L"Vapor", L"Liquid", L"Liquid"},
                                               Arg{L"", L"Organic", L"Aqueous"}));
        for (int kind = eVapor; kind <= eWater; ++kind)
            EXPECT_EQ(kind == expected, result(flow.get(), kInputs[0], std::to_wstring(kind).c_str()) == 0.7)
                << state << L"/" << type << L" kind " << kind;
    }
}

// A simulator declares its phases before every calculation: the same declaration keeps the phases, and
// any difference (a kind, a repeated label) counts as a new declaration.
TEST_F(FlowInputsTest, DeclaringPhasesAgainKeepsOnlyWhatIsTheSame)
{
    auto flow = createComponent<ICapeHydroFlow>();
    const auto declare = [&](Arg states, Arg types, Arg labels = Arg{L"gas", L"oil"}) {
        return flow->SetPresentPhases(labels, states, types);
    };
    for (int time = 0; time < 2; ++time)
        ASSERT_EQ(S_OK, declare(Arg{L"Vapor", L"Liquid"}, Arg{L"", L"Organic"}));
    ASSERT_EQ(S_OK, declare(Arg{L"Liquid", L"Vapor"}, Arg{L"Organic", L""}, Arg{L"oil", L"gas"}));
    ASSERT_EQ(S_OK, flow->SetSingleHydroProp(Text(L"superficialVelocity"), Text(L"oil"), Arg{0.3}));
    // oil becomes aqueous: the value set for it now lands in the water slot.
    ASSERT_EQ(S_OK, declare(Arg{L"Vapor", L"Liquid"}, Arg{L"", L"Aqueous"}));
    ASSERT_EQ(S_OK, flow->SetSingleHydroProp(Text(L"superficialVelocity"), Text(L"oil"), Arg{0.6}));
    ASSERT_EQ(S_OK, flow->SetGeometryProp(Text(L"diameter"), Arg{0.1}));
    ASSERT_EQ(S_OK, flow->SetGeometryProp(Text(L"inclination"), Arg{1.0}));
    for (const wchar_t* label : {L"gas", L"oil"})
        ASSERT_EQ(S_OK, flow->SetSinglePhaseProp(Text(L"density"), Text(label), Arg{800.0}));
    ASSERT_EQ(S_OK, calcUs(flow));
    ASSERT_EQ(S_OK, flow->SetPresentPhases(Arg{L"0", L"1", L"2"}, Arg{L"Vapor", L"Liquid", L"Liquid"},
                                           Arg{L"", L"Organic", L"Aqueous"}));
    EXPECT_TRUE(std::isnan(result(flow.get(), kInputs[0], L"1")));
    EXPECT_EQ(0.6, result(flow.get(), kInputs[0], L"2"));
    // Three labels again, one of them repeated: two phases, which the calculation refuses.
    EXPECT_EQ(S_OK, declare(Arg{L"Vapor", L"Liquid", L"Liquid"}, Arg{L"", L"Organic", L"Aqueous"},
                            Arg{L"0", L"1", L"1"}));
    EXPECT_EQ(kCapeBadArgument, calcUs(flow));
}

TEST_F(FlowInputsTest, RefusedOrRepeatedPhasesBlockTheCalculation)
{
    auto flow = createComponent<ICapeHydroFlow>();
    // A repeated label keeps its last kind: the value set for "gas" lands in the organic slot.
    ASSERT_EQ(S_OK, flow->SetPresentPhases(Arg{L"gas", L"gas"}, Arg{L"Vapor", L"Liquid"}, Arg{L"", L""}));
    ASSERT_EQ(S_OK, flow->SetSingleHydroProp(Text(L"superficialVelocity"), Text(L"gas"), Arg{0.9}));
    EXPECT_EQ(kCapeBadArgument, calcUs(flow));
    ErrorReadout error = readErrors(flow.get());
    EXPECT_EQ(L"Invalid hydro configuration.", error.name);
    EXPECT_EQ(0x80040009L, error.code);
    expectRecorded(flow.get(), L"ICapeHydroFlowRoutine", L"CalcFlow");
    EXPECT_EQ(kCapeInvalidArgument,
              flow->SetPresentPhases(Arg{L"gas", L"%s%n"}, Arg{L"Vapor", L"Plasma"}, Arg{L"", L""}));
    error = readErrors(flow.get());
    EXPECT_EQ(L"SetPresentPhases", error.operation);
    EXPECT_NE(std::wstring::npos, error.description.find(L"\"%s%n\" has the state \"Plasma\""));
    EXPECT_EQ(kCapeBadArgument, calcUs(flow));
    // Arrays too short or not texts: refused whole, the declaration before stays.
    ASSERT_EQ(S_OK, flow->SetPresentPhases(Arg{L"oil"}, Arg{L"Liquid"}, Arg{L"Organic"}));
    EXPECT_EQ(kCapeInvalidArgument, flow->SetPresentPhases(Arg{L"a", L"b"}, Arg{L"Vapor"}, Arg{L"", L""}));
    EXPECT_EQ(kCapeInvalidArgument, flow->SetPresentPhases(Arg{L"a"}, Arg{L"Vapor"}, Arg{}));
    EXPECT_EQ(kCapeData, flow->SetPresentPhases(Arg{1.0}, Arg{L"Vapor"}, Arg{L""}));
    ASSERT_EQ(S_OK, flow->SetGeometryProp(Text(L"diameter"), Arg{0.1}));
    ASSERT_EQ(S_OK, flow->SetGeometryProp(Text(L"inclination"), Arg{1.0}));
    ASSERT_EQ(S_OK, flow->SetSinglePhaseProp(Text(L"density"), Text(L"oil"), Arg{800.0}));
    ASSERT_EQ(S_OK, calcUs(flow));
    EXPECT_EQ(0.9, result(flow.get(), L"superficialVelocity", L"oil"));
}

} // namespace
} // namespace ondivar::testing
