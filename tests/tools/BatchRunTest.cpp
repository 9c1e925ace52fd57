// The batch loop with a fake calculator: results per row, the cumulative pressure change, failures by
// line with the run going on, the summary and progress for long profiles.
#include "tools/flow-client/BatchRun.h"
#include "tests/tools/CsvColumns.h"
#include "tools/flow-client/CsvFields.h"

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

namespace ondivar::flow {
namespace {

using ondivar::flow::testing::columnOf;

// Gradient = -1000 × diameter; the holdup of the first phase = its superficial velocity / 10. A diameter
// of 0.5 makes the calculation fail.
class FakeCalculator : public FlowCalculator {
public:
    void declarePhases(const std::vector<PhaseDeclaration>& phases) override { declared = phases; }
    FlowResult calculate(const FlowInputs& inputs) override
    {
        if (inputs.pipe.diameter == 0.5)
            throw CalculationFailure({"ICapeHydroFlowRoutine::CalcFlow", "ICapeHydroFlowRoutine", "CalcFlow",
                                      "No solution.\n", 0x80040510u, "ECapeSolvingError", std::nullopt});
        FlowResult r;
        r.regime = "Slug";
        r.dpdzTotal = -1000.0 * inputs.pipe.diameter;
        r.dpdzGravity = r.dpdzTotal * 0.9;
        r.dpdzFriction = r.dpdzTotal * 0.1;
        for (std::size_t i = 0; i < declared.size(); ++i)
            r.phases.push_back({declared[i].label,
                                i == 0 ? inputs.properties[0].superficialVelocity / 10 : 0.5,
                                inputs.properties[i].superficialVelocity, 1.0});
        ++calls;
        return r;
    }
    std::vector<PhaseDeclaration> declared;
    int calls = 0;
};

std::string profile(const std::vector<std::string>& rows)
{
    std::string text = "phases,gas:Vapor,oil:Liquid\nlength,diameter\n";
    for (const std::string& row : rows)
        text += row + "\n";
    return text;
}

struct BatchOutput {
    BatchSummary summary;
    std::vector<std::vector<std::string>> results; // header first
    std::string diagnostics;
    ProfileSeries series;
};

// secondsPerRow: how fast the test's clock runs for the progress meter (not a terminal).
BatchOutput run(const std::string& text, double secondsPerRow = 0.0)
{
    CaseSettings settings;
    settings.pipe = {{Quantity::Inclination, 1.0}, {Quantity::Roughness, 0.0}};
    for (const char* label : {"gas", "oil"})
        settings.phaseValues[label] = {{Quantity::SuperficialVelocity, 2.0},
                                       {Quantity::Density, 1.0},
                                       {Quantity::Viscosity, 1.0},
                                       {Quantity::HeatCapacity, 1.0},
                                       {Quantity::Conductivity, 1.0}};
    std::istringstream in(text);
    ProfileReader reader(in, settings);
    reader.readHeader();
    FakeCalculator calculator;
    std::ostringstream results, diagnostics;
    ResultsCsvWriter writer(results, reader.phases());
    ProfileAccumulator accumulator({"gas", "oil"});
    double now = 0.0;
    ProgressMeter progress(diagnostics, text.size(), false, [&] { return now += secondsPerRow; });
    BatchOutput out;
    out.summary = computeProfile(reader, calculator, writer, accumulator, progress, diagnostics);
    writeSummary(diagnostics, out.summary);
    out.diagnostics = diagnostics.str();
    out.series = accumulator.series();
    std::istringstream lines(results.str());
    for (std::string line; std::getline(lines, line);)
        out.results.push_back(splitCsvLine(line));
    return out;
}

TEST(BatchRun, CumulativePressureIsTheSumOfGradientTimesLength)
{
    const BatchOutput out = run(profile({"100,0.1", "250,0.2", "50,0.3"}));
    ASSERT_EQ(out.results.size(), 4u);
    const auto& header = out.results[0];
    EXPECT_EQ(header.size(), 15u + 6u);
    const std::size_t line = columnOf(header, "line"), distance = columnOf(header, "distance[m]"),
                      segment = columnOf(header, "dp_segment[Pa]"),
                      cumulative = columnOf(header, "dp_cumulative[Pa]"),
                      holdup = columnOf(header, "gas.holdup[-]"), regime = columnOf(header, "regime");
    const double expected[] = {-100.0 * 100, -100.0 * 100 - 200.0 * 250,
                               -100.0 * 100 - 200.0 * 250 - 300.0 * 50};
    const double distances[] = {100, 350, 400};
    for (int i = 0; i < 3; ++i) {
        const auto& row = out.results[1 + i];
        EXPECT_EQ(row[line], std::to_string(3 + i));
        EXPECT_EQ(row[regime], "Slug");
        EXPECT_DOUBLE_EQ(std::stod(row[distance]), distances[i]);
        EXPECT_DOUBLE_EQ(std::stod(row[cumulative]), expected[i]);
        EXPECT_DOUBLE_EQ(std::stod(row[holdup]), 0.2);
        EXPECT_EQ(row[columnOf(header, "status")], "ok");
        EXPECT_EQ(row[columnOf(header, "dp_cumulative_complete")], "yes");
    }
    EXPECT_DOUBLE_EQ(std::stod(out.results[2][segment]), -200.0 * 250);
    EXPECT_EQ(out.series.cumulativePressure.size(), 3u);
    EXPECT_DOUBLE_EQ(out.series.cumulativePressure.back(), expected[2]);
    EXPECT_EQ(out.series.distanceStart[1], 100.0);
    EXPECT_TRUE(out.summary.failures.empty());
    EXPECT_NE(out.diagnostics.find("3 of 3 segments computed"), std::string::npos);
}

TEST(BatchRun, FailedRowsKeepTheirPlaceAndDistanceAndLeaveTheCumulativePressureIncomplete)
{
    // Line 4 has a bad diameter, line 5 is refused by the calculator, line 6 has no length.
    const BatchOutput out = run(profile({"100,0.1", "250,x", "10,0.5", "y,0.1", "50,0.3"}));
    EXPECT_EQ(out.summary.rows, 5u);
    EXPECT_EQ(out.summary.computed, 2u);
    ASSERT_EQ(out.summary.failures.size(), 3u);
    EXPECT_EQ(out.summary.failures[0].line, 4u);
    EXPECT_EQ(out.summary.failures[1].line, 5u);
    EXPECT_NE(out.diagnostics.find("line 4: column 'diameter': 'x' is not a number"), std::string::npos);
    EXPECT_NE(
        out.diagnostics.find("line 5: ICapeHydroFlowRoutine::CalcFlow failed: No solution. [ECapeUser "
                             "ICapeHydroFlowRoutine::CalcFlow] (ECapeSolvingError, HRESULT 0x80040510)"),
        std::string::npos)
        << out.diagnostics;
    EXPECT_NE(out.diagnostics.find("2 of 5 segments computed; 3 rows failed, at lines 4, 5, 6"),
              std::string::npos);

    ASSERT_EQ(out.results.size(), 6u);
    const auto& h = out.results[0];
    const std::size_t status = columnOf(h, "status"), distance = columnOf(h, "distance[m]"),
                      cumulative = columnOf(h, "dp_cumulative[Pa]"),
                      complete = columnOf(h, "dp_cumulative_complete"), regime = columnOf(h, "regime"),
                      velocity = columnOf(h, "oil.velocity[m/s]");
    for (const auto& row : out.results)
        EXPECT_EQ(row.size(), h.size());
    const std::vector<std::string> statuses = {"ok", "bad row: column 'diameter': 'x' is not a number",
                                               "refused: ECapeSolvingError: No solution.", "", "ok"};
    const std::vector<std::string> distances = {"100", "350", "360", "", "410"};
    const std::vector<std::string> completes = {"yes", "no", "no", "no", "no"};
    for (std::size_t i = 0; i < 5; ++i) {
        const auto& row = out.results[1 + i];
        EXPECT_EQ(row[0], std::to_string(3 + i));
        if (!statuses[i].empty()) {
            EXPECT_EQ(row[status], statuses[i]);
        }
        EXPECT_EQ(row[distance], distances[i]) << i;
        EXPECT_EQ(row[complete], completes[i]) << i;
        EXPECT_EQ(row[regime].empty(), statuses[i] != "ok") << i;
        EXPECT_EQ(row[velocity].empty(), statuses[i] != "ok") << i;
    }
    EXPECT_EQ(out.results[4][status].rfind("bad row: column 'length': 'y'", 0), 0u);
    EXPECT_EQ(out.results[3][columnOf(h, "diameter[m]")], "0.5") << "a refused row shows its inputs";
    EXPECT_EQ(out.results[3][cumulative], "");
    EXPECT_DOUBLE_EQ(std::stod(out.results[5][cumulative]), -100.0 * 100 - 300.0 * 50);

    // The plot: every row with a known length has its place, the refused ones without values.
    const ProfileSeries& s = out.series;
    ASSERT_EQ(s.distanceEnd.size(), 4u);
    EXPECT_EQ(s.refused, (std::vector<bool>{false, true, true, false}));
    EXPECT_EQ(s.complete, (std::vector<bool>{true, false, false, false}));
    EXPECT_EQ(s.distanceStart[3], 360.0);
    EXPECT_TRUE(std::isnan(s.cumulativePressure[2]));
    EXPECT_TRUE(std::isnan(s.holdup[0][1]));
}

TEST(BatchRun, ProgressOnlyForLongRuns)
{
    std::vector<std::string> rows(60, "1,0.1");
    EXPECT_EQ(run(profile(rows)).diagnostics.find('%'), std::string::npos);
    const BatchOutput out = run(profile(rows), 0.2);
    EXPECT_NE(out.diagnostics.find("% of the profile"), std::string::npos);
    EXPECT_NE(out.diagnostics.find("100% of the profile, 60 rows"), std::string::npos);
}

} // namespace
} // namespace ondivar::flow
