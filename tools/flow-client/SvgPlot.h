// A plot of a profile's results as a stand-alone SVG file, in three panels over one horizontal axis: the
// pressure (a traverse's absolute pressure, or a batch run's change from the inlet), the elevation of
// the line above its inlet, and each phase's holdup over the flow regime as coloured bands. Refused
// segments are marked bands across all panels; no line leaves its panel.
#pragma once

#include "tools/flow-client/ProfileAccumulator.h"

#include <ostream>
#include <string>
#include <vector>

namespace ondivar::flow {

struct PlotOptions {
    std::string title;
    // Against the segment number instead of the distance: every segment equally wide, so that the short
    // steep parts of a line (a riser, the topsides) are as readable as a long flowline.
    bool bySegment = false;
};

void writeProfileSvg(std::ostream& out, const ProfileSeries& series, const PlotOptions& options);

// Evenly spaced round values (1, 2 or 5 × 10^n apart) whose first is ≤ low and last ≥ high.
std::vector<double> axisTicks(double low, double high, int roughCount);

// Text made safe for SVG content and attribute values.
std::string xmlEscaped(const std::string& text);

} // namespace ondivar::flow
