// Reading profiles: rows and their values, header forms, and bad rows reported by line with a reason.
#include "tools/flow-client/ProfileReader.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace ondivar::flow {
namespace {

const char* const twoPhaseHeader =
    "phases,gas:Vapor,oil:Liquid:Organic\n"
    "name,length,diameter,inclination,roughness,gas.us,gas.density,gas.viscosity,"
    "gas.cp,gas.k,oil.us,oil.density,oil.viscosity,oil.cp,oil.k\n";

struct ReadProfile {
    std::vector<PhaseDeclaration> phases;
    std::vector<ProfileRow> rows;
    std::vector<RowError> errors;
};

ReadProfile readAll(const std::string& text, const CaseSettings& settings = CaseSettings())
{
    std::istringstream in(text);
    ProfileReader reader(in, settings);
    reader.readHeader();
    ReadProfile result{reader.phases(), {}, {}};
    ProfileRow row;
    RowError error;
    for (;;) {
        const auto status = reader.next(row, error);
        if (status == ProfileReader::Status::End)
            return result;
        if (status == ProfileReader::Status::Row)
            result.rows.push_back(row);
        else
            result.errors.push_back(error);
    }
}

// The line of the header fault, or 0 when the header was accepted.
std::size_t headerFaultLine(const std::string& text, const CaseSettings& settings = CaseSettings(),
                            std::string* reason = nullptr)
{
    std::istringstream in(text);
    ProfileReader reader(in, settings);
    try {
        reader.readHeader();
    } catch (const ProfileFormatError& e) {
        if (reason != nullptr)
            *reason = e.what();
        return e.line();
    }
    return 0;
}

TEST(ProfileReader, GoodRowsCarryEveryValueToItsPhase)
{
    const ReadProfile p =
        readAll(std::string("# a comment\n\n") + twoPhaseHeader +
                "\"riser, lower\",120,0.15,1,4.5e-5,2.1,60,1.4e-5,2100,0.03,0.8,820,0.003,2000,0.13\r\n"
                "   # an indented comment\n"
                "top,+30,0.2,-0.5,0,-1e-1,55,1.5e-5,2200,0.031,0.9,810,0.0031,2010,0.131\n");
    ASSERT_EQ(p.phases.size(), 2u);
    EXPECT_EQ(p.phases[1].state, "Liquid");
    EXPECT_EQ(p.phases[1].type, "Organic");
    ASSERT_TRUE(p.errors.empty());
    ASSERT_EQ(p.rows.size(), 2u);

    const ProfileRow& first = p.rows[0];
    EXPECT_EQ(first.line, 5u);
    EXPECT_EQ(first.name, "riser, lower");
    EXPECT_EQ(first.length, 120.0);
    EXPECT_EQ(first.inputs.pipe.diameter, 0.15);
    EXPECT_EQ(first.inputs.pipe.inclination, 1.0);
    EXPECT_EQ(first.inputs.pipe.roughness, 4.5e-5);
    ASSERT_EQ(first.inputs.properties.size(), 2u);
    const PhaseProperties& gas = first.inputs.properties[0];
    const PhaseProperties& oil = first.inputs.properties[1];
    EXPECT_EQ(gas.superficialVelocity, 2.1);
    EXPECT_EQ(gas.density, 60.0);
    EXPECT_EQ(gas.viscosity, 1.4e-5);
    EXPECT_EQ(gas.heatCapacity, 2100.0);
    EXPECT_EQ(gas.conductivity, 0.03);
    EXPECT_EQ(oil.superficialVelocity, 0.8);
    EXPECT_EQ(oil.density, 820.0);
    EXPECT_EQ(oil.viscosity, 0.003);
    EXPECT_EQ(oil.heatCapacity, 2000.0);
    EXPECT_EQ(oil.conductivity, 0.13);

    EXPECT_EQ(p.rows[1].line, 7u);
    EXPECT_EQ(p.rows[1].length, 30.0);
    EXPECT_EQ(p.rows[1].inputs.pipe.inclination, -0.5);
    EXPECT_EQ(p.rows[1].inputs.properties[0].superficialVelocity, -0.1);
}

TEST(ProfileReader, BadRowsAreReportedByLineAndReadingGoesOn)
{
    const std::string good = "ok,10,0.1,1,0,1,50,1.5e-5,2000,0.03,1,800,0.002,2000,0.13\n";
    const ReadProfile p = readAll(std::string(twoPhaseHeader) + good +
                                  "a,10,0.1,1,0,1,50,1.5e-5,2000,0.03,1,8OO,0.002,2000,0.13\n" +   // line 4
                                  "b,10,0.1,1,0,1,50\n" +                                          // line 5
                                  "c,10,0,1,0,1,50,1.5e-5,2000,0.03,1,800,0.002,2000,0.13\n" +     // line 6
                                  "d,10,0.1,1.5,0,1,50,1.5e-5,2000,0.03,1,800,0.002,2000,0.13\n" + // line 7
                                  "e,10,0.1,1,0,1,,1.5e-5,2000,0.03,1,800,0.002,2000,0.13\n" +     // line 8
                                  "\"f,10,0.1\n" +                                                 // line 9
                                  "g,10,0.1,1,0,nan,50,1.5e-5,2000,0.03,1,800,0.002,2000,0.13\n" + // line 10
                                  good);                                                           // line 11
    ASSERT_EQ(p.rows.size(), 2u);
    EXPECT_EQ(p.rows[0].line, 3u);
    EXPECT_EQ(p.rows[1].line, 11u);
    ASSERT_EQ(p.errors.size(), 7u);
    const std::pair<std::size_t, const char*> expected[] = {
        {4, "column 'oil.density': '8OO' is not a number"},
        {5, "7 fields where the header has 15"},
        {6, "column 'diameter': diameter must be greater than 0 (got 0)"},
        {7, "must lie in -1..1"},
        {8, "column 'gas.density' is empty"},
        {9, "not closed"},
        {10, "'nan' is not a number"},
    };
    for (std::size_t i = 0; i < p.errors.size(); ++i) {
        EXPECT_EQ(p.errors[i].line, expected[i].first);
        EXPECT_NE(p.errors[i].reason.find(expected[i].second), std::string::npos) << p.errors[i].reason;
    }
}

TEST(ProfileReader, HeaderFormsColumnOrderUnitsAliasesAndOptionValues)
{
    // Columns in another order, units in brackets, the component's names, an angle instead of the
    // inclination, and conductivities and roughness from the command line.
    CaseSettings settings;
    settings.pipe[Quantity::Roughness] = 1e-4;
    settings.phaseValues["gas"][Quantity::Conductivity] = 0.025;
    settings.phaseValues["water"][Quantity::Conductivity] = 0.6;
    const ReadProfile p = readAll("phases, gas:Vapor, water:Liquid:Aqueous\n"
                                  "water.superficialVelocity [m/s],angle [deg],length[m],diameter,gas.us,"
                                  "gas.density [kg/m3],gas.viscosity,gas.heatCapacityCp,water.density,"
                                  "water.viscosity,water.cp\n"
                                  "0.5,30,100,0.2,2,20,1e-5,2000,1000,0.001,4180\n",
                                  settings);
    ASSERT_EQ(p.phases.size(), 2u);
    EXPECT_EQ(p.phases[1].label, "water");
    EXPECT_EQ(p.phases[1].type, "Aqueous");
    ASSERT_EQ(p.rows.size(), 1u);
    const FlowInputs& in = p.rows[0].inputs;
    EXPECT_NEAR(in.pipe.inclination, 0.5, 1e-15);
    EXPECT_EQ(in.pipe.roughness, 1e-4);
    EXPECT_EQ(in.properties[0].conductivity, 0.025);
    EXPECT_EQ(in.properties[0].heatCapacity, 2000.0);
    EXPECT_EQ(in.properties[1].superficialVelocity, 0.5);
    EXPECT_EQ(in.properties[1].conductivity, 0.6);

    // Phases from --phase options instead of a phases line.
    CaseSettings fromOptions;
    fromOptions.phases = {{"gas", "Vapor", ""}};
    const ReadProfile q =
        readAll("length,diameter,inclination,roughness,gas.us,gas.density,gas.viscosity,gas.cp,"
                "gas.k\n5,0.1,0,0,1,1,1,1,1\n",
                fromOptions);
    EXPECT_EQ(q.rows.size(), 1u);
}

TEST(ProfileReader, HeaderFaultsStopTheRunWithTheirLine)
{
    const std::string phases = "phases,gas:Vapor\n";
    const std::string columns = "gas.us,gas.density,gas.viscosity,gas.cp,gas.k";
    const std::string full = "length,diameter,inclination,roughness," + columns + "\n";
    std::string reason;
    EXPECT_EQ(headerFaultLine("# only a comment\n", CaseSettings(), &reason), 0u);
    EXPECT_EQ(reason, "the profile holds only comments and blank lines: no phases line, no header, no rows");
    EXPECT_EQ(headerFaultLine("", CaseSettings(), &reason), 0u);
    EXPECT_EQ(reason, "the profile is empty");
    EXPECT_EQ(headerFaultLine(full, CaseSettings(), &reason), 1u); // no phases
    EXPECT_NE(reason.find("no phases declared"), std::string::npos);
    EXPECT_EQ(headerFaultLine("#\n" + phases + "length,diameter,inclination,roughness,gas.velocity," +
                                  columns + "\n",
                              CaseSettings(), &reason),
              3u);
    EXPECT_NE(reason.find("unknown column 'gas.velocity'"), std::string::npos);
    EXPECT_EQ(headerFaultLine(phases + "length,diameter,inclination,angle,roughness," + columns + "\n"), 2u);
    EXPECT_EQ(headerFaultLine(phases + "length,diameter,inclination,roughness,oil.us," + columns + "\n"), 2u);
    EXPECT_EQ(headerFaultLine(phases + "length [mi],diameter,inclination,roughness," + columns + "\n",
                              CaseSettings(), &reason),
              2u);
    EXPECT_NE(reason.find("unknown unit 'mi' (accepted: m, km, ft, in, mm)"), std::string::npos) << reason;
    EXPECT_EQ(headerFaultLine(phases + "diameter,inclination,roughness," + columns + "\n"), 2u);
    EXPECT_EQ(
        headerFaultLine(phases + "length,inclination,roughness," + columns + "\n", CaseSettings(), &reason),
        2u);
    EXPECT_NE(reason.find("no column 'diameter' and no --diameter"), std::string::npos);
    EXPECT_EQ(headerFaultLine("phases,gas:Vapor,gas:Liquid\n" + full), 1u);
    EXPECT_EQ(headerFaultLine("phases,gas\n" + full), 1u);
    EXPECT_EQ(
        headerFaultLine("#\nphases,gas:Vapor,oil:Liquid,cond:Unknown\n" + full, CaseSettings(), &reason), 2u);
    EXPECT_NE(reason.find("both organic liquid"), std::string::npos);

    CaseSettings settings;
    settings.pipe[Quantity::Diameter] = 0.1;
    EXPECT_EQ(headerFaultLine(phases + full, settings, &reason), 2u); // column and option
    EXPECT_NE(reason.find("both"), std::string::npos);
    settings = CaseSettings();
    settings.phases = {{"gas", "Vapor", ""}};
    EXPECT_EQ(headerFaultLine(phases + full, settings), 1u); // phases twice
    settings = CaseSettings();
    settings.phaseValues["oil"][Quantity::Density] = 800;
    EXPECT_EQ(headerFaultLine(phases + full, settings), 1u); // a value for an undeclared phase
    EXPECT_EQ(headerFaultLine(phases + full), 0u);
}

TEST(ProfileReader, ForgivesSemicolonsDecimalCommasUnitsAndMissingProperties)
{
    // A spreadsheet's CSV with a decimal comma; units in the header; no viscosity, cp, k or roughness.
    std::istringstream in("phases;gas:Vapor;oil:Liquid:Organic\n"
                          "name;length [km];diameter [in];angle [deg];gas.us;gas.density [lb/ft3];oil.us;"
                          "oil.density;oil.viscosity [cP]\n"
                          "\"a;b\";1,5;6;90;0,5;3,1;1,25;800;2,5\n");
    ProfileReader reader(in, CaseSettings());
    reader.readHeader();
    EXPECT_EQ(reader.defaultsNote(), "roughness 4.5e-05 m, gas.viscosity 1.5e-05 Pa s, gas.cp 2000 J/(kg K), "
                                     "gas.k 0.03 W/(m K), oil.cp 2000 J/(kg K), oil.k 0.13 W/(m K)");
    ProfileRow row;
    RowError error;
    ASSERT_EQ(reader.next(row, error), ProfileReader::Status::Row) << error.reason;
    EXPECT_EQ(row.name, "a;b");
    EXPECT_EQ(row.length, 1500.0);
    EXPECT_NEAR(row.inputs.pipe.diameter, 0.1524, 1e-15);
    EXPECT_EQ(row.inputs.pipe.roughness, 4.5e-5);
    EXPECT_NEAR(row.inputs.properties[0].density, 3.1 * 16.018463373960138, 1e-12);
    EXPECT_EQ(row.inputs.properties[0].viscosity, 1.5e-5);
    EXPECT_EQ(row.inputs.properties[1].superficialVelocity, 1.25);
    EXPECT_NEAR(row.inputs.properties[1].viscosity, 0.0025, 1e-15);

    std::string reason;
    EXPECT_EQ(headerFaultLine("length;diameter,inclination\n", CaseSettings(), &reason), 1u);
    EXPECT_NE(reason.find("separated by semicolons but also holds a comma"), std::string::npos) << reason;
}

TEST(ProfileReader, TraverseProfilesTakeTemperatureAndMolarMassAndRefuseWhatTheTraverseComputes)
{
    CaseSettings settings;
    settings.phaseValues["gas"][Quantity::MolarMass] = 0.019;
    auto fault = [&](const std::string& header) {
        std::istringstream in("phases,gas:Vapor,oil:Liquid\n" + header + "\n");
        ProfileReader reader(in, settings, ProfileKind::Traverse);
        try {
            reader.readHeader();
        } catch (const ProfileFormatError& e) {
            return std::string(e.what());
        }
        return std::string();
    };
    EXPECT_EQ(fault("length,diameter,angle,temperature [degC],gas.z,oil.density"), "");
    EXPECT_NE(fault("length,diameter,angle,temperature,gas.us").find("'gas.us' is computed by the traverse"),
              std::string::npos);
    EXPECT_NE(fault("length,diameter,angle,temperature,gas.density").find("computed by the traverse"),
              std::string::npos);
    EXPECT_NE(fault("length,diameter,angle").find("no column 'temperature' and no --temperature"),
              std::string::npos);
    settings.phaseValues.clear();
    EXPECT_NE(fault("length,diameter,angle,temperature").find("no column 'gas.molar-mass'"),
              std::string::npos);
}

TEST(ProfileReader, ShippedExampleProfileReadsWithoutFault)
{
    std::ifstream in(ONDIVAR_EXAMPLE_PROFILE, std::ios::binary);
    ASSERT_TRUE(in.good());
    ProfileReader reader(in, CaseSettings());
    reader.readHeader();
    ProfileRow row;
    RowError error;
    std::size_t rows = 0;
    double length = 0.0;
    ProfileReader::Status status;
    while ((status = reader.next(row, error)) == ProfileReader::Status::Row) {
        ++rows;
        length += row.length;
    }
    EXPECT_EQ(status, ProfileReader::Status::End) << error.line << ": " << error.reason;
    EXPECT_EQ(rows, 20u);
    EXPECT_EQ(length, 8130.0);
}

} // namespace
} // namespace ondivar::flow
