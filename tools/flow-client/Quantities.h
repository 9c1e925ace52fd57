// The numbers a user gives the client (on the command line or in a profile): their names, units and
// the range each must lie in. One table, so that options, profile columns, messages and the help agree.
#pragma once

#include "tools/flow-client/FlowCase.h"
#include "tools/flow-client/Units.h"

#include <optional>
#include <string>
#include <string_view>

namespace ondivar::flow {

enum class Quantity {
    // Pipe (one value per case or profile row).
    Length,
    Diameter,
    Inclination,
    Angle, // degrees to the horizontal; another way to give the inclination
    Roughness,
    Temperature,   // a traverse's temperature of the segment (or of the whole line)
    InletPressure, // a traverse's pressure at the inlet
    // Per phase.
    SuperficialVelocity,
    Density,
    Viscosity,
    HeatCapacity,
    Conductivity,
    MassRate,           // a traverse's mass rate of the phase
    StandardVolumeRate, // the same as a volume at 101325 Pa and 15 °C
    MolarMass,          // of the gas, for its density in a traverse
    Compressibility,    // Z of the gas, for its density in a traverse
};

struct QuantityInfo {
    Quantity quantity;
    std::string_view name;  // option name without "--" and profile column name (per phase: after "label.")
    std::string_view alias; // a second column name (the component's property name), or empty
    Dimension dimension;    // its SI unit is what the client computes in
    bool perPhase;
};

const QuantityInfo& info(Quantity q);
// The quantity a (column or option) name stands for: the name or the alias.
std::optional<Quantity> quantityNamed(std::string_view name, bool perPhase);

// Reads a whole text as a finite number (optional sign, decimal or exponent form; no other characters).
// When it is none, problem (if given) says why: not a number, or beyond the range of a double.
std::optional<double> parseNumber(std::string_view text, std::string* problem = nullptr);

// A value of q as an option gives it: a number with an optional unit after it ("6in", "190 bar",
// "1.5 cP"), converted to SI. Throws std::invalid_argument with the reason (not a number, unknown unit
// with the accepted ones, value out of range).
double parseQuantityValue(Quantity q, std::string_view text);

// Empty when value is acceptable for q, else the reason (e.g. "diameter must be greater than 0").
std::string checkValue(Quantity q, double value);

// Where a per-phase quantity lives in PhaseProperties.
double& field(PhaseProperties& properties, Quantity q);

// sin(angle in degrees), exact for 0 and ±90.
double inclinationOfAngle(double degrees);

// A phase label: letters, digits, '_' and '-'; not empty.
bool isValidLabel(std::string_view label);

} // namespace ondivar::flow
