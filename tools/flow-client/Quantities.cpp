#include "tools/flow-client/Quantities.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace ondivar::flow {
namespace {

const QuantityInfo table[] = {
    {Quantity::Length, "length", "", "m", false},
    {Quantity::Diameter, "diameter", "", "m", false},
    {Quantity::Inclination, "inclination", "", "-", false},
    {Quantity::Angle, "angle", "", "deg", false},
    {Quantity::Roughness, "roughness", "", "m", false},
    {Quantity::SuperficialVelocity, "us", "superficialVelocity", "m/s", true},
    {Quantity::Density, "density", "", "kg/m3", true},
    {Quantity::Viscosity, "viscosity", "", "Pa s", true},
    {Quantity::HeatCapacity, "cp", "heatCapacityCp", "J/(kg K)", true},
    {Quantity::Conductivity, "k", "ThermalConductivity", "W/(m K)", true},
};

std::string describe(double value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%g", value);
    return text;
}

} // namespace

const QuantityInfo& info(Quantity q)
{
    for (const QuantityInfo& entry : table)
        if (entry.quantity == q)
            return entry;
    return table[0];
}

std::optional<Quantity> quantityNamed(std::string_view name, bool perPhase)
{
    for (const QuantityInfo& entry : table)
        if (entry.perPhase == perPhase &&
            (name == entry.name || (!entry.alias.empty() && name == entry.alias)))
            return entry.quantity;
    return std::nullopt;
}

std::optional<double> parseNumber(std::string_view text)
{
    // from_chars takes no leading '+', and reads "inf"/"nan", which are refused below.
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    if (text.empty())
        return std::nullopt;
    double value = 0.0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::string checkValue(Quantity q, double value)
{
    const std::string name(info(q).name);
    switch (q) {
    case Quantity::Length:
    case Quantity::Diameter:
    case Quantity::Density:
    case Quantity::Viscosity:
    case Quantity::HeatCapacity:
    case Quantity::Conductivity:
        if (!(value > 0.0))
            return name + " must be greater than 0 (got " + describe(value) + ")";
        break;
    case Quantity::Roughness:
        if (!(value >= 0.0))
            return "roughness must not be negative (got " + describe(value) + ")";
        break;
    case Quantity::Inclination:
        if (!(value >= -1.0 && value <= 1.0))
            return "inclination is the sine of the angle and must lie in -1..1 (got " + describe(value) + ")";
        break;
    case Quantity::Angle:
        if (!(value >= -90.0 && value <= 90.0))
            return "angle must lie in -90..90 degrees (got " + describe(value) + ")";
        break;
    case Quantity::SuperficialVelocity:
        break; // any sign: negative is flow in the other direction
    }
    return std::string();
}

double& field(PhaseProperties& properties, Quantity q)
{
    switch (q) {
    case Quantity::Density:
        return properties.density;
    case Quantity::Viscosity:
        return properties.viscosity;
    case Quantity::HeatCapacity:
        return properties.heatCapacity;
    case Quantity::Conductivity:
        return properties.conductivity;
    default:
        return properties.superficialVelocity;
    }
}

double inclinationOfAngle(double degrees)
{
    if (degrees == 90.0 || degrees == -90.0)
        return degrees > 0 ? 1.0 : -1.0;
    if (degrees == 0.0)
        return 0.0;
    return std::sin(degrees * 3.141592653589793 / 180.0);
}

bool isValidLabel(std::string_view label)
{
    if (label.empty())
        return false;
    for (char c : label) {
        const bool ok = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                        c == '_' || c == '-';
        if (!ok)
            return false;
    }
    return true;
}

} // namespace ondivar::flow
