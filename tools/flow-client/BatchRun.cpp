#include "tools/flow-client/BatchRun.h"

namespace ondivar::flow {

BatchSummary computeProfile(ProfileReader& reader, FlowCalculator& calculator, ResultsCsvWriter& results,
                            ProfileAccumulator& accumulator, ProgressMeter& progress,
                            std::ostream& diagnostics)
{
    BatchSummary summary;
    calculator.declarePhases(reader.phases());
    results.writeHeader();

    forEachProfileRow(
        reader, progress, summary, [&](const ProfileRow& row, ProfileReader::Status status, RowError& error) {
            bool failed = status == ProfileReader::Status::BadRow;
            if (failed) {
                results.writeUnresolved(row, accumulator.addRefused(row.length), false,
                                        "bad row: " + error.reason);
            } else {
                try {
                    const FlowResult result = calculator.calculate(row.inputs);
                    results.write(row, result,
                                  accumulator.add(row.length, result, row.inputs.pipe.inclination));
                    ++summary.computed;
                } catch (const CalculationFailure& failure) {
                    failed = true;
                    error.line = row.line;
                    error.reason = failure.what();
                    results.writeUnresolved(row,
                                            accumulator.addRefused(row.length, row.inputs.pipe.inclination),
                                            true, "refused: " + failure.reason());
                }
            }
            if (failed) {
                diagnostics << "ondivar-flow: line " << error.line << ": " << error.reason << '\n';
                summary.failures.push_back(error);
            }
            return true;
        });
    return summary;
}

void writeSummary(std::ostream& diagnostics, const BatchSummary& summary)
{
    diagnostics << "ondivar-flow: " << summary.computed << " of " << summary.rows << " segments computed";
    if (summary.failures.empty()) {
        diagnostics << '\n';
        return;
    }
    diagnostics << "; " << summary.failures.size() << (summary.failures.size() == 1 ? " row" : " rows")
                << " failed, at line";
    const std::size_t listed = 20;
    for (std::size_t i = 0; i < summary.failures.size() && i < listed; ++i)
        diagnostics << (i == 0 ? (summary.failures.size() == 1 ? " " : "s ") : ", ")
                    << summary.failures[i].line;
    if (summary.failures.size() > listed)
        diagnostics << ", ...";
    diagnostics << "\nondivar-flow: failed rows keep their place in the results with their status and "
                   "empty results; the cumulative pressure change leaves them out and is incomplete from "
                   "the first of them on\n";
}

} // namespace ondivar::flow
