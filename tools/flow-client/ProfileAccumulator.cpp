#include "tools/flow-client/ProfileAccumulator.h"

#include <cmath>

namespace ondivar::flow {

ProfileAccumulator::ProfileAccumulator(std::vector<std::string> phaseLabels)
{
    m_series.holdup.resize(phaseLabels.size());
    m_series.phaseLabels = std::move(phaseLabels);
}

SegmentTotals ProfileAccumulator::add(double length, const FlowResult& result)
{
    SegmentTotals totals;
    totals.pressureChange = result.dpdzTotal * length;
    m_series.distanceStart.push_back(m_distance);
    m_distance += length;
    m_pressure += totals.pressureChange;
    totals.distanceEnd = m_distance;
    totals.cumulativePressure = m_pressure;
    totals.complete = m_complete;

    m_series.distanceEnd.push_back(m_distance);
    m_series.cumulativePressure.push_back(m_pressure);
    for (std::size_t p = 0; p < m_series.holdup.size(); ++p)
        m_series.holdup[p].push_back(p < result.phases.size() ? result.phases[p].volumeFraction
                                                              : std::nan(""));
    m_series.refused.push_back(false);
    m_series.complete.push_back(m_complete);
    return totals;
}

SegmentTotals ProfileAccumulator::addRefused(double length)
{
    m_complete = false;
    SegmentTotals totals;
    totals.pressureChange = std::nan("");
    totals.cumulativePressure = std::nan("");
    totals.complete = false;
    if (!std::isfinite(length)) {
        totals.distanceEnd = std::nan("");
        return totals;
    }
    m_series.distanceStart.push_back(m_distance);
    m_distance += length;
    totals.distanceEnd = m_distance;
    m_series.distanceEnd.push_back(m_distance);
    m_series.cumulativePressure.push_back(std::nan(""));
    for (std::vector<double>& holdups : m_series.holdup)
        holdups.push_back(std::nan(""));
    m_series.refused.push_back(true);
    m_series.complete.push_back(false);
    return totals;
}

} // namespace ondivar::flow
