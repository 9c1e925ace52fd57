// What one flow calculation takes and gives, as the client sees it: the pipe, the declared phases with
// their properties, and the regime, pressure gradients and per-phase results read back. Plain values in
// SI units; texts are UTF-8.
#pragma once

#include <string>
#include <vector>

namespace ondivar::flow {

struct PipeGeometry {
    double diameter = 0.0;    // m
    double inclination = 0.0; // sine of the angle to the horizontal: 0 horizontal, 1 vertical upward
    double roughness = 0.0;   // m
};

// A phase as declared to the component: its label, state of aggregation and type information.
struct PhaseDeclaration {
    std::string label;
    std::string state; // "Vapor", "Liquid", "Solid", "Unknown"
    std::string type;  // "Organic", "Aqueous", or empty
};

struct PhaseProperties {
    double superficialVelocity = 0.0; // m/s
    double density = 0.0;             // kg/m³
    double viscosity = 0.0;           // Pa·s
    double heatCapacity = 0.0;        // J/(kg·K)
    double conductivity = 0.0;        // W/(m·K)
};

// The inputs of one calculation; properties[i] belongs to the i-th declared phase.
struct FlowInputs {
    PipeGeometry pipe;
    std::vector<PhaseProperties> properties;
};

struct PhaseResult {
    std::string label;
    double volumeFraction = 0.0;      // -
    double superficialVelocity = 0.0; // m/s
    double absoluteVelocity = 0.0;    // m/s
};

struct FlowResult {
    std::string regime;
    std::string qualifier;           // empty when the component gives none
    double dpdzTotal = 0.0;          // Pa/m, with the sign of dp/dz
    double dpdzFriction = 0.0;       // Pa/m
    double dpdzGravity = 0.0;        // Pa/m
    std::vector<PhaseResult> phases; // in the order of the declaration
};

} // namespace ondivar::flow
