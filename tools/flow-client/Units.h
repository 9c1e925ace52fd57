// The units a user may give a number in (options, profile headers), and their conversion to and from
// the SI units the client computes in. Every unit is linear in SI: si = value × factor + offset.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace ondivar::flow {

enum class Dimension {
    None, // a plain number (the sine of an angle, a compressibility factor)
    Angle,
    Length,
    Pressure,
    Temperature,
    Velocity,
    Density,
    Viscosity,
    HeatCapacity,
    Conductivity,
    MassRate,
    StandardVolumeRate,
    MolarMass,
};

struct Unit {
    Dimension dimension;
    std::string_view name;
    double factor;
    double offset;
};

// The SI unit of a dimension (the first of its list).
const Unit& siUnit(Dimension dimension);
// The unit of this dimension with this name (exact, case-sensitive), if any.
std::optional<Unit> unitNamed(Dimension dimension, std::string_view name);
// "m, km, ft, in": the accepted names, for messages and the help.
std::string acceptedUnits(Dimension dimension);

double toSi(const Unit& unit, double value);
double fromSi(const Unit& unit, double si);

} // namespace ondivar::flow
