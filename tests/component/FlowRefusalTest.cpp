// CalcFlow refuses inputs the model cannot mean (CCapeOutOfBounds with boundaries) and results that are
// no physical solution (CCapeSolvingError), through the vtable and through IDispatch::Invoke; a refusal
// keeps the last results, and the refusals that existed before come first.
#include "DispatchCalls.h"

#include <limits>

namespace ondivar::testing {
namespace {

using ondivar::kCapeOutOfBounds;
using ondivar::kCapeSolvingError;
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kMax = std::numeric_limits<double>::max();
constexpr double kTiny = std::numeric_limits<double>::denorm_min();

using FlowRefusalTest = ComponentTest;

// One input of the riser example set to another value: a geometry property without a label, else a
// per-phase input of the phase with that label.
struct Change {
    const wchar_t* property;
    const wchar_t* label;
    double value;
};

void apply(ICapeHydroFlow* flow, const Change& change)
{
    const std::wstring_view property = change.property;
    if (change.label == nullptr)
        ASSERT_EQ(S_OK, flow->SetGeometryProp(Text(change.property), Arg{change.value}));
    else if (property == kInputs[0])
        ASSERT_EQ(S_OK,
                  flow->SetSingleHydroProp(Text(change.property), Text(change.label), Arg{change.value}));
    else
        ASSERT_EQ(S_OK,
                  flow->SetSinglePhaseProp(Text(change.property), Text(change.label), Arg{change.value}));
}

HRESULT calcFlow(ICapeHydroFlowRoutine* routine, bool throughInvoke)
{
    return throughInvoke ? call(routine, 0, {arg(Text(L"Us")), arg(nullptr), arg(nullptr)})
                         : routine->CalcFlow(Text(L"Us"), nullptr, nullptr);
}

bool sameNumber(double a, double b)
{
    return a == b || (std::isnan(a) && std::isnan(b));
}

struct Refusal {
    std::vector<Change> changes;
    HRESULT hr;
    std::wstring description; // the whole description, or with `partly` its start
    std::wstring contains;    // with `partly`, a text the description holds after its start
    bool partly = false;
    CapeBoundaries bounds{0.0, 0.0, 0.0, L""};
};

// After a calculation of the riser example, each change is refused with its error; the example's results
// stay readable, and the example computes again once its inputs are back.
void expectRefusals(const std::vector<Refusal>& refusals)
{
    const FlowCase c;
    const CSimpleHydro riser = referenceModel(c, {0, 1});
    for (const bool throughInvoke : {false, true}) {
        for (const Refusal& refusal : refusals) {
            SCOPED_TRACE(::testing::Message()
                         << (throughInvoke ? "through Invoke: " : "through the vtable: ")
                         << std::string(refusal.description.begin(), refusal.description.end()));
            ComPtr<ICapeHydroFlow> flow;
            ASSERT_EQ(S_OK, COndivar_Velt::createInstance(nullptr, IID_ICapeHydroFlow, flow.putVoid()));
            auto routine = flow.query<ICapeHydroFlowRoutine>();
            feed(flow.get(), c);
            ASSERT_EQ(S_OK, calcFlow(routine.get(), throughInvoke));
            for (const Change& change : refusal.changes)
                apply(flow.get(), change);
            EXPECT_EQ(refusal.hr, calcFlow(routine.get(), throughInvoke));
            ErrorReadout preset;
            preset.lowerBound = preset.upperBound = preset.value = 12345.0;
            const ErrorReadout r = readErrors(flow.get(), preset);
            EXPECT_EQ(refusal.hr, r.code);
            EXPECT_EQ(L"ICapeHydroFlowRoutine", r.interfaceName);
            EXPECT_EQ(L"CalcFlow", r.operation);
            if (refusal.partly) {
                EXPECT_EQ(refusal.description, r.description.substr(0, refusal.description.size()));
                EXPECT_NE(std::wstring::npos,
                          r.description.find(refusal.contains, refusal.description.size()))
                    << std::string(r.description.begin(), r.description.end());
            } else {
                EXPECT_EQ(refusal.description, r.description);
            }
            if (refusal.hr == kCapeOutOfBounds) {
                EXPECT_EQ(refusal.bounds.lower, r.lowerBound);
                EXPECT_EQ(refusal.bounds.upper, r.upperBound);
                EXPECT_PRED2(sameNumber, refusal.bounds.value, r.value);
                EXPECT_EQ(refusal.bounds.type, r.type);
            } else {
                // A solving error has no boundaries: the getters leave their outputs alone.
                EXPECT_EQ(12345.0, r.value);
                EXPECT_EQ(L"", r.type);
            }
            expectResultsOf(riser, flow.get(), c);
            feed(flow.get(), c);
            ASSERT_EQ(S_OK, calcFlow(routine.get(), throughInvoke));
            expectResultsOf(riser, flow.get(), c);
        }
    }
}

TEST_F(FlowRefusalTest, InputsTheModelCannotMeanAreOutOfBounds)
{
    const std::wstring positive = L": it must be a finite number greater than 0.";
    const std::wstring finite = L": it must be a finite number (negative for flow in the other direction).";
    const std::wstring sine =
        L": it is the sine of the angle between the pipe and the horizontal, within [-1, 1] "
        L"(1 for vertical upward flow, 0 horizontal, -1 vertical downward flow), not an "
        L"angle.";
    const std::wstring neverSet = L" A value that was never set is NaN.\n";
    expectRefusals({
        {{{L"inclination", nullptr, 90.0}},
         kCapeOutOfBounds,
         L"The inclination is 90" + sine + L"\n",
         L"",
         false,
         {-1.0, 1.0, 90.0, L"inclination"}},
        {{{L"inclination", nullptr, -1.0000000000000002}},
         kCapeOutOfBounds,
         L"The inclination is -1.0000000000000002" + sine + L"\n",
         L"",
         false,
         {-1.0, 1.0, -1.0000000000000002, L"inclination"}},
        {{{L"inclination", nullptr, kNaN}},
         kCapeOutOfBounds,
         L"The inclination is NaN" + sine + neverSet,
         L"",
         false,
         {-1.0, 1.0, kNaN, L"inclination"}},
        {{{L"diameter", nullptr, 0.0}},
         kCapeOutOfBounds,
         L"The diameter is 0 m" + positive + L"\n",
         L"",
         false,
         {kTiny, kMax, 0.0, L"diameter"}},
        {{{L"diameter", nullptr, -0.1}},
         kCapeOutOfBounds,
         L"The diameter is -0.1 m" + positive + L"\n",
         L"",
         false,
         {kTiny, kMax, -0.1, L"diameter"}},
        {{{L"diameter", nullptr, kInf}},
         kCapeOutOfBounds,
         L"The diameter is inf m" + positive + L"\n",
         L"",
         false,
         {kTiny, kMax, kInf, L"diameter"}},
        {{{L"density", L"oil", 0.0}},
         kCapeOutOfBounds,
         L"The density of phase \"oil\" is 0 kg/m3" + positive + L"\n",
         L"",
         false,
         {kTiny, kMax, 0.0, L"density"}},
        {{{L"density", L"gas", kNaN}},
         kCapeOutOfBounds,
         L"The density of phase \"gas\" is NaN kg/m3" + positive + neverSet,
         L"",
         false,
         {kTiny, kMax, kNaN, L"density"}},
        {{{L"superficialVelocity", L"gas", -kInf}},
         kCapeOutOfBounds,
         L"The superficial velocity of phase \"gas\" is -inf m/s" + finite + L"\n",
         L"",
         false,
         {-kMax, kMax, -kInf, L"superficialVelocity"}},
        // The geometry first, then the phases in label order, a phase's velocity before its density.
        {{{L"density", L"oil", -1.0}, {L"diameter", nullptr, 0.0}},
         kCapeOutOfBounds,
         L"The diameter is 0 m" + positive + L"\n",
         L"",
         false,
         {kTiny, kMax, 0.0, L"diameter"}},
        {{{L"density", L"oil", -1.0}, {L"superficialVelocity", L"gas", kNaN}},
         kCapeOutOfBounds,
         L"The superficial velocity of phase \"gas\" is NaN m/s" + finite + neverSet,
         L"",
         false,
         {-kMax, kMax, kNaN, L"superficialVelocity"}},
        {{{L"density", L"gas", kInf}, {L"superficialVelocity", L"oil", kNaN}},
         kCapeOutOfBounds,
         L"The density of phase \"gas\" is inf kg/m3" + positive + L"\n",
         L"",
         false,
         {kTiny, kMax, kInf, L"density"}},
        // Inputs come before results: gas flowing down without a solution, and a sine of 90.
        {{{L"superficialVelocity", L"gas", -1.0}, {L"inclination", nullptr, 90.0}},
         kCapeOutOfBounds,
         L"The inclination is 90" + sine + L"\n",
         L"",
         false,
         {-1.0, 1.0, 90.0, L"inclination"}},
    });
}

TEST_F(FlowRefusalTest, ResultsThatAreNoPhysicalSolutionAreSolvingErrors)
{
    const std::wstring notPhysical = L", which is not a physical solution: ";
    const std::wstring noNetFlow =
        L"the superficial velocities add up to a mixture velocity of 0 m/s, for which the "
        L"drift-flux relation has no solution (no net flow through the pipe).\n";
    const std::wstring flooding =
        L"gas and liquid flowing against each other exceed the counter-current "
        L"(flooding) limit of the drift-flux relation: the gas velocity has no real "
        L"solution.\n";
    expectRefusals({
        // Gas flowing down a riser at 1 m/s while oil flows up at 2 m/s: bubbles rise faster.
        {{{L"superficialVelocity", L"gas", -1.0}, {L"superficialVelocity", L"oil", 2.0}},
         kCapeSolvingError,
         L"The volume fraction of phase \"gas\" is -0.54",
         L" m/s, against its superficial velocity of -1 m/s).\n",
         true},
        // Both add up to no net flow, but what has no solution is the gas flowing down, and the gas
        // flowing up against the oil beyond flooding.
        {{{L"superficialVelocity", L"gas", -1.0}},
         kCapeSolvingError,
         L"The volume fraction of phase \"gas\" is -1.270502394150",
         L", outside [0, 1]" + notPhysical +
             L"gas flowing down slower than its bubbles rise has no drift-flux solution (the drift-flux "
             L"relation moves phase \"gas\" at 0.78",
         true},
        {{{L"superficialVelocity", L"oil", -1.0}},
         kCapeSolvingError,
         L"The absolute velocity of phase \"gas\" is NaN m/s" + notPhysical + flooding,
         L"",
         false},
        {{{L"superficialVelocity", L"oil", -0.9}},
         kCapeSolvingError,
         L"The absolute velocity of phase \"gas\" is NaN m/s" + notPhysical + flooding,
         L"",
         false},
        {{{L"superficialVelocity", L"gas", -1.0}, {L"inclination", nullptr, 0.0}},
         kCapeSolvingError,
         L"The volume fraction of phase \"gas\" is -inf, outside [0, 1]" + notPhysical + noNetFlow,
         L"",
         false},
        {{{L"superficialVelocity", L"oil", -2.0}, {L"inclination", nullptr, 0.0}},
         kCapeSolvingError,
         L"The volume fraction of phase \"gas\" is -1, outside [0, 1]" + notPhysical +
             L"in a horizontal pipe every phase moves at the mixture velocity, so a phase flowing against "
             L"the "
             L"mixture has no drift-flux solution (the drift-flux relation moves phase \"gas\" at -1 m/s, "
             L"against its superficial velocity of 1 m/s).\n",
         L"",
         false},
        {{{L"density", L"gas", 1e308}, {L"density", L"oil", 1e308}},
         kCapeSolvingError,
         L"The total pressure gradient is -inf Pa/m" + notPhysical +
             L"the densities and velocities given are too large to compute with.\n",
         L"",
         false},
    });
}

// What the model does not use for the results a client reads is not checked; downward flow that has a
// solution computes as the model computes it.
TEST_F(FlowRefusalTest, AcceptedCasesKeepTheModelsNumbers)
{
    struct Accepted {
        FlowCase c;
        double gasHoldup, total;
    };
    FlowCase unchecked;
    unchecked.roughness = kNaN;
    unchecked.inputs[2][0] = -1.0; // viscosity
    unchecked.inputs[3][1] = kNaN; // heat capacity
    unchecked.inputs[4][0] = 0.0;  // conductivity
    FlowCase down;                 // every phase down a riser, fast enough for the drift to follow the flow
    down.inputs[0][0] = -3.0;
    down.inputs[0][1] = -2.0;
    FlowCase downcomer; // every phase along a downward pipe
    downcomer.inclination = -1.0;
    downcomer.inputs[0][0] = 3.0;
    downcomer.inputs[0][1] = 2.0;
    FlowCase stagnant; // nothing flows: a standing oil column under a gas cap of holdup 0
    stagnant.inputs[0][0] = 0.0;
    stagnant.inputs[0][1] = 0.0;
    const Accepted cases[] = {{unchecked, 0.409711, -5030.638},
                              {down, 0.5679360260891574, -2734.2907369661953},
                              {downcomer, 0.6604032591941542, 2227.33913146805},
                              {stagnant, 0.0, -7848.0}};
    for (const Accepted& a : cases) {
        auto flow = createComponent<ICapeHydroFlow>();
        feed(flow.get(), a.c);
        ASSERT_EQ(S_OK, calcUs(flow));
        const CSimpleHydro model = referenceModel(a.c, {0, 1});
        expectResultsOf(model, flow.get(), a.c);
        EXPECT_NEAR(a.gasHoldup, model.GetHoldup()[eVapor], 1e-6);
        EXPECT_NEAR(a.total, model.GetDpdzTotal(), 1e-3);
    }
}

// Gas, a trickle of oil and water declared without flow: water, listed last, closes the holdups at a
// rounding error from its true 0, which can be thousands of units in the last place of 1 when the oil
// moves slowly (its velocity is a difference of larger numbers). That is no refusal.
TEST_F(FlowRefusalTest, RoundingOfAPhaseWithoutFlowIsNoRefusal)
{
    const double cases[][4] = {// diameter, inclination, gas and oil superficial velocities
                               {0.293, 0.92, 0.1, 5.1e-6},
                               {0.062, 0.62, 0.14, 3.6e-6},
                               {0.071, 0.87, 0.16, 1.39e-5},
                               {0.062, 0.71, 0.21, 5.9e-6}};
    double lowest = 0.0;
    for (const auto& [diameter, inclination, gas, oil] : cases) {
        auto flow = createComponent<ICapeHydroFlow>();
        ASSERT_EQ(S_OK, flow->SetGeometryProp(Text(L"diameter"), Arg{diameter}));
        ASSERT_EQ(S_OK, flow->SetGeometryProp(Text(L"inclination"), Arg{inclination}));
        ASSERT_EQ(S_OK,
                  flow->SetPresentPhases(Arg{L"gas", L"oil", L"water"}, Arg{L"Vapor", L"Liquid", L"Liquid"},
                                         Arg{L"", L"Organic", L"Aqueous"}));
        const std::pair<const wchar_t*, double> inputs[] = {{L"gas", gas}, {L"oil", oil}, {L"water", 0.0}};
        for (const auto& [label, us] : inputs) {
            ASSERT_EQ(S_OK, flow->SetSingleHydroProp(Text(L"superficialVelocity"), Text(label), Arg{us}));
            ASSERT_EQ(S_OK, flow->SetSinglePhaseProp(Text(L"density"), Text(label), Arg{800.0}));
        }
        ASSERT_EQ(S_OK, calcUs(flow));
        const double water = result(flow.get(), L"volumeFraction", L"water");
        EXPECT_NEAR(0.0, water, 1e-10);
        lowest = std::min(lowest, water);
    }
    // The 64-bit build computes in double precision throughout; the 32-bit build's x87 arithmetic
    // rounds differently.
    if (sizeof(void*) == 8) {
        EXPECT_LT(lowest, -1000 * std::numeric_limits<double>::epsilon());
    }
}

// The refusals that existed before keep their codes and come first; a refused first calculation leaves no
// results to read.
TEST_F(FlowRefusalTest, EarlierRefusalsComeFirst)
{
    auto bare = createComponent<ICapeHydroFlow>(); // no geometry, no phase
    EXPECT_EQ(kCapeBadArgument, calcUs(bare));
    EXPECT_EQ(0x80040009L, readErrors(bare.get()).code);

    FlowCase c;
    c.diameter = -1.0;
    c.inputs[0][0] = -1.0;
    auto flow = createComponent<ICapeHydroFlow>();
    feed(flow.get(), c);
    auto routine = flow.query<ICapeHydroFlowRoutine>();
    EXPECT_EQ(kCapeNoImpl, routine->CalcFlow(Text(L"US"), nullptr, nullptr));
    ASSERT_EQ(S_OK, flow->SetPresentPhases(Arg{L"gas", L"gas"}, Arg{L"Vapor", L"Liquid"}, Arg{L"", L""}));
    EXPECT_EQ(kCapeBadArgument, calcUs(flow));
    ASSERT_EQ(S_OK, flow->SetPresentPhases(Arg{L"a", L"b", L"c", L"d"},
                                           Arg{L"Vapor", L"Liquid", L"Liquid", L"Liquid"},
                                           Arg{L"", L"Organic", L"Aqueous", L"Aqueous"}));
    EXPECT_EQ(kCapeBadArgument, calcUs(flow));
    feed(flow.get(), c);
    EXPECT_EQ(kCapeOutOfBounds, calcUs(flow));
    UniqueVariant values;
    EXPECT_EQ(kCapeUnknown, flow->GetMixtureProp(Text(L"pressureDropTotal"), values.put()));
    ASSERT_EQ(S_OK, flow->SetGeometryProp(Text(L"diameter"), Arg{0.1}));
    EXPECT_EQ(kCapeSolvingError, calcUs(flow));
    EXPECT_EQ(kCapeUnknown, flow->GetMixtureProp(Text(L"pressureDropTotal"), values.put()));
}

} // namespace
} // namespace ondivar::testing
