// One segment of a pressure traverse: from the pressure at its inlet, the pressure at its outlet. The gas
// is ideal with a compressibility factor, ρ = p·M / (Z·R·T), and the segment isothermal; the liquids are
// incompressible. Every phase keeps its mass rate along the line (no mass transfer between phases). The
// segment is computed at its mean pressure: starting from the inlet pressure, each iteration finds the
// gas density and every superficial velocity at the mean pressure, calls the calculator once, and takes
// the outlet pressure p_out = p_in + dp/dz × length, until two successive mean pressures differ by less
// than relativeTolerance × the inlet pressure.
#pragma once

#include "tools/flow-client/FlowCalculator.h"
#include "tools/flow-client/ProfileReader.h"

#include <stdexcept>
#include <string>
#include <vector>

namespace ondivar::flow {

constexpr double gasConstant = 8.314462618;    // J/(mol K)
constexpr double standardPressure = 101325.0;  // Pa, of a standard volume
constexpr double standardTemperature = 288.15; // K (15 °C), of a standard volume

// kg/m³ of an ideal gas with compressibility factor z at pressure Pa and temperature K (molar mass
// kg/mol).
double gasDensity(double pressure, double temperature, double molarMass, double z);

// A segment the march cannot get through: the line cannot deliver the rates, or no mean pressure was found.
class TraverseStop : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct SegmentMarch {
    double pressureIn = 0.0;  // Pa
    double pressureOut = 0.0; // Pa
    int iterations = 0;       // calculations made
    FlowInputs inputs;        // at the mean pressure: the gas density and the superficial velocities found
    FlowResult result;
};

class SegmentMarcher {
public:
    static constexpr double relativeTolerance = 1e-9;
    static constexpr int maxIterations = 50;

    // massRate[i] in kg/s for the i-th declared phase.
    SegmentMarcher(std::vector<PhaseDeclaration> phases, std::vector<double> massRate);

    // row.inputs gives the pipe and the liquids' properties; row.temperature, row.molarMass and
    // row.compressibility the gas. Throws CalculationFailure (the calculator refused) or TraverseStop.
    SegmentMarch march(FlowCalculator& calculator, const ProfileRow& row, double pressureIn) const;

private:
    std::vector<PhaseDeclaration> m_phases;
    std::vector<double> m_massRate;
};

} // namespace ondivar::flow
