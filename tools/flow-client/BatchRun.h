// A batch run: every row of a profile through one calculator, results and plot points collected. A bad
// row or a failed calculation is reported with its line number and the run goes on with the next row.
#pragma once

#include "tools/flow-client/FlowCalculator.h"
#include "tools/flow-client/ProfileAccumulator.h"
#include "tools/flow-client/ProfileReader.h"
#include "tools/flow-client/ProgressMeter.h"
#include "tools/flow-client/ResultsCsvWriter.h"

#include <cstddef>
#include <ostream>
#include <vector>

namespace ondivar::flow {

struct BatchSummary {
    std::size_t rows = 0;     // data rows read, bad ones included
    std::size_t computed = 0; // rows written to the results
    std::vector<RowError> failures;
};

// reader must have read its header. declarePhases failing (CalculationFailure) ends the run.
BatchSummary computeProfile(ProfileReader& reader, FlowCalculator& calculator, ResultsCsvWriter& results,
                            ProfileAccumulator& accumulator, ProgressMeter& progress,
                            std::ostream& diagnostics);

// "20 segments computed" or what failed, on diagnostics.
void writeSummary(std::ostream& diagnostics, const BatchSummary& summary);

} // namespace ondivar::flow
