// A plot of a profile's results as a stand-alone SVG file: the pressure change from the inlet (top
// panel) and each phase's holdup (bottom panel) against the distance along the line.
#pragma once

#include "tools/flow-client/ProfileAccumulator.h"

#include <ostream>
#include <string>
#include <vector>

namespace ondivar::flow {

void writeProfileSvg(std::ostream& out, const ProfileSeries& series, const std::string& title);

// Evenly spaced round values (1, 2 or 5 × 10^n apart) whose first is ≤ low and last ≥ high.
std::vector<double> axisTicks(double low, double high, int roughCount);

// Text made safe for SVG content and attribute values.
std::string xmlEscaped(const std::string& text);

} // namespace ondivar::flow
