// Writes the results of a batch run, one row per profile row:
//   line,name,status,length[m],distance[m],diameter[m],inclination[-],regime,qualifier,
//   dpdz_total[Pa/m],dpdz_frictional[Pa/m],dpdz_gravity[Pa/m],dp_segment[Pa],dp_cumulative[Pa],
//   dp_cumulative_complete, then per phase LABEL.holdup[-],LABEL.us[m/s],LABEL.velocity[m/s]
// "line" is the segment's line in the profile; status is "ok", "refused: <CAPE-OPEN error>: <why>" or
// "bad row: <why>"; a row without a result keeps its place and distance with empty result cells.
// dp_cumulative is the pressure change from the inlet to the segment's end, summed over the computed
// segments; dp_cumulative_complete turns from "yes" to "no" at the first segment without a result.
// A traverse's results go on with temperature[K],pressure_in[Pa],pressure_out[Pa],pressure_out[bar],
// iterations and per phase LABEL.density[kg/m3] (the gas's at the segment's mean pressure).
#pragma once

#include "tools/flow-client/FlowCase.h"
#include "tools/flow-client/ProfileAccumulator.h"
#include "tools/flow-client/PressureTraverse.h"
#include "tools/flow-client/ProfileReader.h"

#include <ostream>
#include <string>
#include <vector>

namespace ondivar::flow {

class ResultsCsvWriter {
public:
    ResultsCsvWriter(std::ostream& out, const std::vector<PhaseDeclaration>& phases, bool traverse = false);
    void writeHeader();
    // march: the traverse's segment (for its columns), or null in a batch run.
    void write(const ProfileRow& row, const FlowResult& result, const SegmentTotals& totals,
               const SegmentMarch* march = nullptr);
    // A row without a result; inputsKnown: the row's diameter and inclination were read.
    void writeUnresolved(const ProfileRow& row, const SegmentTotals& totals, bool inputsKnown,
                         const std::string& status);

private:
    std::ostream& m_out;
    std::vector<std::string> m_labels;
    bool m_traverse;
};

// A number as the results show it: up to 10 significant digits, "nan" or "inf" as they come, never "-0".
std::string formatNumber(double value);

} // namespace ondivar::flow
