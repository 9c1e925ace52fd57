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

// Reads the profile's rows to its end, counting them in summary.rows: each row goes to
// onRow(row, status, error), which returns false to stop after that row; progress follows every row.
template <class OnRow>
void forEachProfileRow(ProfileReader& reader, ProgressMeter& progress, BatchSummary& summary, OnRow onRow)
{
    ProfileRow row;
    RowError error;
    for (;;) {
        const ProfileReader::Status status = reader.next(row, error);
        if (status == ProfileReader::Status::End)
            break;
        ++summary.rows;
        const bool goOn = onRow(row, status, error);
        progress.update(summary.rows, reader.bytesRead());
        if (!goOn)
            break;
    }
    progress.finish(summary.rows);
}

} // namespace ondivar::flow
