#include "tools/flow-client/Units.h"

namespace ondivar::flow {
namespace {

// The SI unit first for every dimension.
const Unit units[] = {
    {Dimension::None, "-", 1.0, 0.0},
    {Dimension::Angle, "deg", 1.0, 0.0},
    {Dimension::Length, "m", 1.0, 0.0},
    {Dimension::Length, "km", 1000.0, 0.0},
    {Dimension::Length, "ft", 0.3048, 0.0},
    {Dimension::Length, "in", 0.0254, 0.0},
    {Dimension::Length, "mm", 0.001, 0.0},
    {Dimension::Pressure, "Pa", 1.0, 0.0},
    {Dimension::Pressure, "kPa", 1000.0, 0.0},
    {Dimension::Pressure, "MPa", 1.0e6, 0.0},
    {Dimension::Pressure, "bar", 1.0e5, 0.0},
    {Dimension::Pressure, "psi", 6894.757293168361, 0.0}, // lbf/in²
    {Dimension::Temperature, "K", 1.0, 0.0},
    {Dimension::Temperature, "degC", 1.0, 273.15},
    {Dimension::Velocity, "m/s", 1.0, 0.0},
    {Dimension::Velocity, "ft/s", 0.3048, 0.0},
    {Dimension::Density, "kg/m3", 1.0, 0.0},
    {Dimension::Density, "lb/ft3", 16.018463373960138, 0.0}, // 0.45359237 kg / 0.3048³ m³
    {Dimension::Viscosity, "Pa s", 1.0, 0.0},
    {Dimension::Viscosity, "cP", 1.0e-3, 0.0},
    {Dimension::Viscosity, "mPa s", 1.0e-3, 0.0},
    {Dimension::HeatCapacity, "J/(kg K)", 1.0, 0.0},
    {Dimension::Conductivity, "W/(m K)", 1.0, 0.0},
    {Dimension::MassRate, "kg/s", 1.0, 0.0},
    {Dimension::MassRate, "kg/h", 1.0 / 3600.0, 0.0},
    {Dimension::StandardVolumeRate, "Sm3/s", 1.0, 0.0},
    {Dimension::StandardVolumeRate, "Sm3/h", 1.0 / 3600.0, 0.0},
    {Dimension::StandardVolumeRate, "Sm3/d", 1.0 / 86400.0, 0.0},
    {Dimension::MolarMass, "kg/mol", 1.0, 0.0},
    {Dimension::MolarMass, "g/mol", 1.0e-3, 0.0},
};

} // namespace

const Unit& siUnit(Dimension dimension)
{
    for (const Unit& unit : units)
        if (unit.dimension == dimension)
            return unit;
    return units[0];
}

std::optional<Unit> unitNamed(Dimension dimension, std::string_view name)
{
    for (const Unit& unit : units)
        if (unit.dimension == dimension && unit.name == name)
            return unit;
    return std::nullopt;
}

std::string acceptedUnits(Dimension dimension)
{
    std::string list;
    for (const Unit& unit : units)
        if (unit.dimension == dimension)
            list += (list.empty() ? "" : ", ") + std::string(unit.name);
    return list;
}

double toSi(const Unit& unit, double value)
{
    return value * unit.factor + unit.offset;
}

double fromSi(const Unit& unit, double si)
{
    return (si - unit.offset) / unit.factor;
}

} // namespace ondivar::flow
