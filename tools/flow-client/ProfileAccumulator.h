// Adds up a profile's segments: the distance along the line and the pressure change from the inlet,
// Σ dp/dz × length over the segments computed so far; keeps the points of the plot. A refused segment
// keeps its place and length but adds no pressure change: from there on the sum is incomplete.
#pragma once

#include "tools/flow-client/FlowCase.h"
#include "tools/flow-client/PressureTraverse.h"

#include <cstddef>
#include <string>
#include <vector>

namespace ondivar::flow {

struct SegmentTotals {
    double distanceEnd = 0.0;        // m from the inlet at the segment's end
    double pressureChange = 0.0;     // Pa over this segment: dp/dz × length
    double cumulativePressure = 0.0; // Pa from the inlet at the segment's end (NaN for a refused one)
    bool complete = true;            // false once a segment before or at this one was refused
};

// What the plot shows, one entry per computed segment (distances at the segment ends).
struct ProfileSeries {
    std::vector<std::string> phaseLabels;
    // A traverse's absolute pressure at each segment's end (Pa; NaN for a refused one), from the inlet's.
    bool absolutePressure = false;
    double inletPressure = 0.0;
    std::vector<double> pressure;
    std::vector<double> elevationEnd; // m above the inlet at each segment's end (Σ inclination × length)
    std::vector<std::string> regime;  // empty for a refused segment
    std::vector<double> distanceStart;
    std::vector<double> distanceEnd;
    std::vector<double> cumulativePressure;  // NaN for a refused segment
    std::vector<std::vector<double>> holdup; // [phase][segment]; NaN for a refused segment
    std::vector<bool> refused;
    std::vector<bool> complete; // the cumulative pressure covers every segment up to this one
};

class ProfileAccumulator {
public:
    explicit ProfileAccumulator(std::vector<std::string> phaseLabels);

    // The segment's totals; result.phases must follow the labels given to the constructor.
    // inclination: the segment's, for the elevation; march: the traverse's segment, or null.
    SegmentTotals add(double length, const FlowResult& result, double inclination = 0.0,
                      const SegmentMarch* march = nullptr);
    // A traverse from this inlet pressure (Pa): the series keeps the absolute pressures.
    void startTraverse(double inletPressure);
    // A segment without a result. A length that is not a number (unknown) adds no distance and no
    // point to the plot.
    SegmentTotals addRefused(double length, double inclination = 0.0);

    const ProfileSeries& series() const noexcept { return m_series; }

private:
    double m_distance = 0.0;
    double m_pressure = 0.0;
    double m_elevation = 0.0;
    bool m_complete = true;
    ProfileSeries m_series;
};

} // namespace ondivar::flow
