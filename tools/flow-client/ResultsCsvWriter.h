// Writes the results of a batch run, one row per computed segment:
//   line,name,length[m],distance[m],diameter[m],inclination[-],regime,qualifier,
//   dpdz_total[Pa/m],dpdz_frictional[Pa/m],dpdz_gravity[Pa/m],dp_segment[Pa],dp_cumulative[Pa],
//   then per phase LABEL.holdup[-],LABEL.us[m/s],LABEL.velocity[m/s]
// "line" is the segment's line in the profile; dp_cumulative is the pressure change from the inlet to
// the segment's end, summed over the computed segments.
#pragma once

#include "tools/flow-client/FlowCase.h"
#include "tools/flow-client/ProfileAccumulator.h"
#include "tools/flow-client/ProfileReader.h"

#include <ostream>
#include <string>
#include <vector>

namespace ondivar::flow {

class ResultsCsvWriter {
public:
    ResultsCsvWriter(std::ostream& out, const std::vector<PhaseDeclaration>& phases);
    void writeHeader();
    void write(const ProfileRow& row, const FlowResult& result, const SegmentTotals& totals);

private:
    std::ostream& m_out;
    std::vector<std::string> m_labels;
};

// A number as the results show it: up to 10 significant digits, "nan" or "inf" as they come.
std::string formatNumber(double value);

} // namespace ondivar::flow
