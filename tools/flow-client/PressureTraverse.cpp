#include "tools/flow-client/PressureTraverse.h"

#include <cmath>
#include <cstdio>

namespace ondivar::flow {
namespace {

constexpr double pi = 3.141592653589793;

std::string pressureText(double pascals)
{
    char text[48];
    std::snprintf(text, sizeof text, "%.6g bar", pascals / 1e5);
    return text;
}

std::string segmentName(const ProfileRow& row)
{
    return "segment " + (row.name.empty() ? std::string() : "'" + row.name + "' ") + "(line " +
           std::to_string(row.line) + ")";
}

} // namespace

double gasDensity(double pressure, double temperature, double molarMass, double z)
{
    return pressure * molarMass / (z * gasConstant * temperature);
}

SegmentMarcher::SegmentMarcher(std::vector<PhaseDeclaration> phases, std::vector<double> massRate)
    : m_phases(std::move(phases)), m_massRate(std::move(massRate))
{
}

SegmentMarch SegmentMarcher::march(FlowCalculator& calculator, const ProfileRow& row, double pressureIn) const
{
    SegmentMarch m;
    m.pressureIn = pressureIn;
    m.inputs = row.inputs;
    const double area = pi * row.inputs.pipe.diameter * row.inputs.pipe.diameter / 4.0;
    double mean = pressureIn;
    for (m.iterations = 1; m.iterations <= maxIterations; ++m.iterations) {
        for (std::size_t p = 0; p < m_phases.size(); ++p) {
            PhaseProperties& phase = m.inputs.properties[p];
            if (m_phases[p].state == "Vapor")
                phase.density = gasDensity(mean, row.temperature, row.molarMass[p], row.compressibility[p]);
            phase.superficialVelocity = m_massRate[p] / (phase.density * area);
        }
        m.result = calculator.calculate(m.inputs);
        m.pressureOut = pressureIn + m.result.dpdzTotal * row.length;
        if (!(m.pressureOut > 0.0))
            throw TraverseStop(segmentName(row) + ": the pressure would fall from " +
                               pressureText(pressureIn) + " to zero or below (" +
                               pressureText(m.pressureOut) + " at the mean pressure " + pressureText(mean) +
                               "): the line cannot deliver these rates");
        const double next = 0.5 * (pressureIn + m.pressureOut);
        if (std::fabs(next - mean) <= relativeTolerance * pressureIn)
            return m;
        mean = next;
    }
    throw TraverseStop(segmentName(row) + ": no mean pressure found in " + std::to_string(maxIterations) +
                       " iterations (the last outlet pressure was " + pressureText(m.pressureOut) +
                       "): the segment is too long for the pressure change over it; split it");
}

} // namespace ondivar::flow
