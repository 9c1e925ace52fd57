#include "tools/flow-client/TraverseRun.h"

#include <cstdio>

namespace ondivar::flow {

TraverseSummary marchProfile(ProfileReader& reader, FlowCalculator& calculator, const SegmentMarcher& marcher,
                             double inletPressure, ResultsCsvWriter& results, ProfileAccumulator& accumulator,
                             ProgressMeter& progress, std::ostream& diagnostics)
{
    const double start = ProgressMeter::steadySeconds();
    TraverseSummary summary;
    BatchSummary& rows = summary.rows;
    calculator.declarePhases(reader.phases());
    results.writeHeader();
    accumulator.startTraverse(inletPressure);
    summary.arrivalPressure = inletPressure;

    forEachProfileRow(
        reader, progress, rows,
        [&](const ProfileRow& row, ProfileReader::Status status, const RowError& error) {
            std::string why;
            if (status == ProfileReader::Status::BadRow) {
                results.writeUnresolved(row, accumulator.addRefused(row.length), false,
                                        "bad row: " + error.reason);
                why = error.reason;
            } else {
                try {
                    const SegmentMarch march = marcher.march(calculator, row, summary.arrivalPressure);
                    ProfileRow marched = row;
                    marched.inputs = march.inputs;
                    results.write(
                        marched, march.result,
                        accumulator.add(row.length, march.result, row.inputs.pipe.inclination, &march),
                        &march);
                    summary.arrivalPressure = march.pressureOut;
                    summary.calculations += static_cast<std::size_t>(march.iterations);
                    ++rows.computed;
                } catch (const CalculationFailure& failure) {
                    why = failure.what();
                    results.writeUnresolved(row,
                                            accumulator.addRefused(row.length, row.inputs.pipe.inclination),
                                            true, "refused: " + failure.reason());
                } catch (const TraverseStop& stop) {
                    why = stop.what();
                    results.writeUnresolved(row,
                                            accumulator.addRefused(row.length, row.inputs.pipe.inclination),
                                            true, "stopped: " + std::string(stop.what()));
                }
            }
            if (why.empty())
                return true;
            diagnostics << "ondivar-flow: line " << row.line << ": " << why << '\n';
            rows.failures.push_back({row.line, why});
            summary.stop = "the march stopped at line " + std::to_string(row.line) +
                           ": the pressure beyond it is unknown";
            return false;
        });
    summary.seconds = ProgressMeter::steadySeconds() - start;
    return summary;
}

void writeTraverseSummary(std::ostream& diagnostics, const TraverseSummary& summary)
{
    char pressure[96];
    std::snprintf(pressure, sizeof pressure, "%.0f Pa (%.4f bar)", summary.arrivalPressure,
                  summary.arrivalPressure / 1e5);
    diagnostics << "ondivar-flow: " << summary.rows.computed << " segments marched";
    if (summary.stop.empty())
        diagnostics << "; arrival pressure " << pressure;
    else
        diagnostics << "; " << summary.stop << " (last pressure known: " << pressure << ")";
    char timing[96];
    std::snprintf(timing, sizeof timing, "; %zu calculations in %.2f s\n", summary.calculations,
                  summary.seconds);
    diagnostics << timing;
}

} // namespace ondivar::flow
