// The pressure traverse against closed forms: a single-phase gas line, isothermal, with the model's
// constant friction factor (dp/dz = -2·f·ρ·u·|u|/D - ρ·g·sinθ, f = 0.005), where the ideal gas with Z
// gives p² along a horizontal line exactly and along an inclined one as an exponential. The calculator is
// a stand-in that applies that law, as the component does for a lone gas phase; the march, the iteration
// and the stop are the client's.
#include "tools/flow-client/TraverseRun.h"

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

namespace ondivar::flow {
namespace {

constexpr double f = 0.005, g = 9.81, pi = 3.141592653589793;
constexpr double molarMass = 0.019, z = 0.9, temperature = 300.0, diameter = 0.1;

class GasLine : public FlowCalculator {
public:
    void declarePhases(const std::vector<PhaseDeclaration>&) override {}
    FlowResult calculate(const FlowInputs& in) override
    {
        ++calls;
        const double rho = in.properties[0].density, u = in.properties[0].superficialVelocity;
        FlowResult r;
        r.regime = "SinglePhase";
        r.dpdzFriction = -2.0 * rho * f * u * std::fabs(u) / in.pipe.diameter;
        r.dpdzGravity = -rho * g * in.pipe.inclination;
        r.dpdzTotal = r.dpdzFriction + r.dpdzGravity;
        r.phases = {{"gas", 1.0, u, u}};
        return r;
    }
    int calls = 0;
};

struct March {
    TraverseSummary summary;
    std::string results, diagnostics;
    int calls;
};

March march(double inletPressure, double massRate, int segments, double length, double inclination)
{
    CaseSettings settings;
    settings.pipe = {{Quantity::Diameter, diameter},
                     {Quantity::Inclination, inclination},
                     {Quantity::Temperature, temperature}};
    settings.phaseValues["gas"] = {{Quantity::MolarMass, molarMass}, {Quantity::Compressibility, z}};
    std::string text = "phases,gas:Vapor\nlength\n";
    for (int i = 0; i < segments; ++i)
        text += std::to_string(length) + "\n";
    std::istringstream in(text);
    ProfileReader reader(in, settings, ProfileKind::Traverse);
    reader.readHeader();
    GasLine line;
    std::ostringstream results, diagnostics;
    ResultsCsvWriter writer(results, reader.phases(), true);
    ProfileAccumulator accumulator({"gas"});
    ProgressMeter progress(diagnostics, 0, false);
    const SegmentMarcher marcher(reader.phases(), {massRate});
    March m{marchProfile(reader, line, marcher, inletPressure, writer, accumulator, progress, diagnostics),
            "", "", 0};
    m.results = results.str();
    m.diagnostics = diagnostics.str();
    m.calls = line.calls;
    return m;
}

TEST(Traverse, HorizontalGasLineMeetsTheIsothermalClosedForm)
{
    // p_in² - p_out² = 4·f·G²·c·L / D with c = Z·R·T/M: the mean-pressure march is exact here, whatever
    // the number of segments.
    const double pIn = 50e5, rate = 1.0, area = pi * diameter * diameter / 4, G = rate / area;
    const double c = z * gasConstant * temperature / molarMass;
    for (int segments : {1, 10}) {
        const March m = march(pIn, rate, segments, 10000.0 / segments, 0.0);
        const double exact = std::sqrt(pIn * pIn - 4 * f * G * G * c * 10000.0 / diameter);
        ASSERT_TRUE(m.summary.stop.empty()) << m.summary.stop;
        EXPECT_NEAR(m.summary.arrivalPressure, exact, 1e-6 * (pIn - exact)) << segments;
        EXPECT_LT(m.calls, 12 * segments) << "a few calculations per segment";
        EXPECT_GT(m.calls, segments);
        EXPECT_EQ(m.summary.calculations, static_cast<std::size_t>(m.calls));
    }
    EXPECT_NE(march(pIn, rate, 10, 1000.0, 0.0).results.find(",pressure_out[bar],"), std::string::npos);
}

TEST(Traverse, RisingGasLineMeetsItsExponentialClosedForm)
{
    // dp/dz = -k/p - (g·s/c)·p with k = 2·f·G²·c/D: p² = (p_in² + k·c/(g·s))·exp(-2·g·s·L/c) - k·c/(g·s).
    const double pIn = 50e5, rate = 1.0, s = 0.2, length = 10000.0, area = pi * diameter * diameter / 4;
    const double G = rate / area, c = z * gasConstant * temperature / molarMass,
                 k = 2 * f * G * G * c / diameter;
    const double b = k * c / (g * s);
    const double exact = std::sqrt((pIn * pIn + b) * std::exp(-2 * g * s * length / c) - b);
    const March m = march(pIn, rate, 200, length / 200, s);
    EXPECT_NEAR(m.summary.arrivalPressure, exact, 1e-5 * (pIn - exact));
    EXPECT_LT(m.summary.arrivalPressure, pIn - 2e5); // the column of gas weighs
}

TEST(Traverse, APressureThatWouldFallToZeroStopsTheMarchNamingTheSegment)
{
    const March m = march(5e5, 1.0, 10, 1000.0, 0.0);
    EXPECT_FALSE(m.summary.stop.empty());
    ASSERT_EQ(m.summary.rows.failures.size(), 1u);
    EXPECT_NE(m.diagnostics.find("line 3: segment (line 3): the pressure would fall from 5 bar to zero or "
                                 "below"),
              std::string::npos)
        << m.diagnostics;
    EXPECT_NE(m.diagnostics.find("the line cannot deliver these rates"), std::string::npos);
    EXPECT_NE(m.results.find(",stopped: segment (line 3)"), std::string::npos) << m.results;
}

} // namespace
} // namespace ondivar::flow
