// A pressure traverse over a profile: from the inlet pressure, every segment in turn through the
// SegmentMarcher, its outlet pressure the next one's inlet. A bad row, a refused segment or a pressure
// that cannot stay positive stops the march there: the pressure further on is unknown.
#pragma once

#include "tools/flow-client/BatchRun.h"
#include "tools/flow-client/PressureTraverse.h"

#include <ostream>
#include <string>

namespace ondivar::flow {

struct TraverseSummary {
    BatchSummary rows;
    double arrivalPressure = 0.0; // Pa at the end of the last segment marched
    std::string stop;             // why the march stopped early; empty when it reached the outlet
    std::size_t calculations = 0; // calls of the calculator
    double seconds = 0.0;         // the march's wall-clock time
};

// reader must have read its header. declarePhases failing (CalculationFailure) ends the run.
TraverseSummary marchProfile(ProfileReader& reader, FlowCalculator& calculator, const SegmentMarcher& marcher,
                             double inletPressure, ResultsCsvWriter& results, ProfileAccumulator& accumulator,
                             ProgressMeter& progress, std::ostream& diagnostics);

// The arrival pressure, or where and why the march stopped, on diagnostics.
void writeTraverseSummary(std::ostream& diagnostics, const TraverseSummary& summary);

} // namespace ondivar::flow
