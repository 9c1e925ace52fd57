#include "tools/flow-client/ProfileAccumulator.h"

#include <cmath>

namespace ondivar::flow {

ProfileAccumulator::ProfileAccumulator(std::vector<std::string> phaseLabels)
{
    m_series.holdup.resize(phaseLabels.size());
    m_series.phaseLabels = std::move(phaseLabels);
}

void ProfileAccumulator::startTraverse(double inletPressure)
{
    m_series.absolutePressure = true;
    m_series.inletPressure = inletPressure;
}

SegmentTotals ProfileAccumulator::add(double length, const FlowResult& result, double inclination,
                                      const SegmentMarch* march)
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
    m_series.regime.push_back(result.regime);
    m_series.pressure.push_back(march ? march->pressureOut : m_pressure);
    m_elevation += inclination * length;
    m_series.elevationEnd.push_back(m_elevation);
    return totals;
}

SegmentTotals ProfileAccumulator::addRefused(double length, double inclination)
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
    m_series.regime.emplace_back();
    m_series.pressure.push_back(std::nan(""));
    m_elevation += std::isfinite(inclination) ? inclination * length : 0.0;
    m_series.elevationEnd.push_back(m_elevation);
    return totals;
}

} // namespace ondivar::flow
