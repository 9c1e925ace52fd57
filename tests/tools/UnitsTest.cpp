// Units in options and profile headers: each converts to SI and back, unknown ones are refused with the
// accepted list, and numbers out of a double's range say so.
#include "tools/flow-client/Quantities.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace ondivar::flow {
namespace {

std::string refusal(Quantity q, const char* text)
{
    try {
        parseQuantityValue(q, text);
    } catch (const std::invalid_argument& e) {
        return e.what();
    }
    return "accepted";
}

TEST(Units, ValuesWithUnitsBecomeSiAndComeBack)
{
    const std::pair<std::pair<Quantity, const char*>, double> cases[] = {
        {{Quantity::Length, "2.5km"}, 2500.0},
        {{Quantity::Diameter, "6 in"}, 0.1524},
        {{Quantity::Length, "1000ft"}, 304.8},
        {{Quantity::Roughness, "0.045mm"}, 4.5e-5},
        {{Quantity::InletPressure, "190bar"}, 1.9e7},
        {{Quantity::InletPressure, "250 kPa"}, 2.5e5},
        {{Quantity::InletPressure, "1000psi"}, 6894757.293168361},
        {{Quantity::InletPressure, "101325"}, 101325.0},
        {{Quantity::Viscosity, "2.8cP"}, 2.8e-3},
        {{Quantity::Viscosity, "1.5e-5 Pa s"}, 1.5e-5},
        {{Quantity::Density, "62.42796057614462 lb/ft3"}, 1000.0},
        {{Quantity::MassRate, "3600kg/h"}, 1.0},
        {{Quantity::Temperature, "20degC"}, 293.15},
        {{Quantity::MolarMass, "19g/mol"}, 0.019},
        {{Quantity::StandardVolumeRate, "86400 Sm3/d"}, 1.0},
    };
    for (const auto& [input, si] : cases)
        EXPECT_NEAR(parseQuantityValue(input.first, input.second), si, 1e-9 * si) << input.second;

    for (Dimension d : {Dimension::Length, Dimension::Pressure, Dimension::Viscosity, Dimension::Density,
                        Dimension::MassRate, Dimension::Temperature, Dimension::StandardVolumeRate}) {
        std::string list = acceptedUnits(d) + ", ";
        for (std::size_t at = 0, comma; (comma = list.find(", ", at)) != std::string::npos; at = comma + 2) {
            const std::optional<Unit> unit = unitNamed(d, list.substr(at, comma - at));
            ASSERT_TRUE(unit) << list;
            EXPECT_NEAR(fromSi(*unit, toSi(*unit, 12.5)), 12.5, 1e-12) << unit->name;
        }
    }
    EXPECT_NEAR(fromSi(*unitNamed(Dimension::Pressure, "bar"), 1.9e7), 190.0, 1e-12);
    EXPECT_NEAR(fromSi(*unitNamed(Dimension::Temperature, "degC"), 273.15), 0.0, 1e-12);
}

TEST(Units, UnknownUnitsAndBadNumbersAreRefusedWithTheReason)
{
    EXPECT_EQ(refusal(Quantity::Length, "3 miles"),
              "unknown unit 'miles' for length (accepted: m, km, ft, in, mm)");
    EXPECT_NE(refusal(Quantity::InletPressure, "3atm").find("accepted: Pa, kPa, MPa, bar, psi"),
              std::string::npos);
    EXPECT_NE(refusal(Quantity::Diameter, "1e400").find("beyond the range"), std::string::npos);
    EXPECT_EQ(refusal(Quantity::Diameter, "abc"), "'abc' is not a number");
    EXPECT_NE(refusal(Quantity::Diameter, "-2in").find("must be greater than 0"), std::string::npos);
    EXPECT_NE(refusal(Quantity::Temperature, "-300degC").find("must be greater than 0"), std::string::npos);
}

} // namespace
} // namespace ondivar::flow
