#include "tools/flow-client/Quantities.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <stdexcept>

namespace ondivar::flow {
namespace {

const QuantityInfo table[] = {
    {Quantity::Length, "length", "", Dimension::Length, false},
    {Quantity::Diameter, "diameter", "", Dimension::Length, false},
    {Quantity::Inclination, "inclination", "", Dimension::None, false},
    {Quantity::Angle, "angle", "", Dimension::Angle, false},
    {Quantity::Roughness, "roughness", "", Dimension::Length, false},
    {Quantity::Temperature, "temperature", "", Dimension::Temperature, false},
    {Quantity::InletPressure, "inlet-pressure", "", Dimension::Pressure, false},
    {Quantity::SuperficialVelocity, "us", "superficialVelocity", Dimension::Velocity, true},
    {Quantity::Density, "density", "", Dimension::Density, true},
    {Quantity::Viscosity, "viscosity", "", Dimension::Viscosity, true},
    {Quantity::HeatCapacity, "cp", "heatCapacityCp", Dimension::HeatCapacity, true},
    {Quantity::Conductivity, "k", "ThermalConductivity", Dimension::Conductivity, true},
    {Quantity::MassRate, "mass-rate", "", Dimension::MassRate, true},
    {Quantity::StandardVolumeRate, "std-rate", "", Dimension::StandardVolumeRate, true},
    {Quantity::MolarMass, "molar-mass", "", Dimension::MolarMass, true},
    {Quantity::Compressibility, "z", "", Dimension::None, true},
};

std::string describe(double value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%g", value == 0.0 ? 0.0 : value);
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

std::optional<double> parseNumber(std::string_view text, std::string* problem)
{
    const std::string original(text);
    // from_chars takes no leading '+', and reads "inf"/"nan", which are refused below.
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    double value = 0.0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    const bool whole = !text.empty() && end == text.data() + text.size();
    if (whole && error == std::errc::result_out_of_range) {
        if (problem)
            *problem = "'" + original + "' is beyond the range of numbers the client computes with (about " +
                       "1.8e308 at most, 2.2e-308 at least apart from 0)";
        return std::nullopt;
    }
    if (!whole || error != std::errc() || !std::isfinite(value)) {
        if (problem)
            *problem = "'" + original + "' is not a number";
        return std::nullopt;
    }
    return value;
}

double parseQuantityValue(Quantity q, std::string_view text)
{
    // The number is the longest start of the text that reads as one; the rest, trimmed, is the unit.
    std::string_view number = text;
    std::string_view unitName;
    const std::size_t start = text.find_first_not_of("+-0123456789.eE");
    if (start != std::string_view::npos && start > 0) {
        number = text.substr(0, start);
        unitName = text.substr(start);
        while (!unitName.empty() && unitName.front() == ' ')
            unitName.remove_prefix(1);
    }
    std::string problem;
    const std::optional<double> value = parseNumber(number, &problem);
    if (!value)
        throw std::invalid_argument(unitName.empty() ? problem
                                                     : "'" + std::string(text) + "' is not a number");
    double si = *value;
    if (!unitName.empty()) {
        const Dimension dimension = info(q).dimension;
        const std::optional<Unit> unit = unitNamed(dimension, unitName);
        if (!unit)
            throw std::invalid_argument("unknown unit '" + std::string(unitName) + "' for " +
                                        std::string(info(q).name) +
                                        " (accepted: " + acceptedUnits(dimension) + ")");
        si = toSi(*unit, *value);
    }
    const std::string range = checkValue(q, si);
    if (!range.empty())
        throw std::invalid_argument(range);
    return si;
}

std::string checkValue(Quantity q, double value)
{
    const std::string name(info(q).name);
    switch (q) {
    case Quantity::Length:
    case Quantity::Diameter:
    case Quantity::Temperature:
    case Quantity::InletPressure:
    case Quantity::MolarMass:
    case Quantity::Compressibility:
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
    case Quantity::MassRate:
    case Quantity::StandardVolumeRate:
        if (!(value >= 0.0))
            return name + " must not be negative (got " + describe(value) + ")";
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
