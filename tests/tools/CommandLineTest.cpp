// Options: their forms, the single case they make, and refusals with a reason.
#include "tools/flow-client/CommandLine.h"

#include <gtest/gtest.h>

namespace ondivar::flow {
namespace {

std::string refusal(const std::vector<std::string>& arguments)
{
    try {
        ClientOptions options = parseCommandLine(arguments);
        std::vector<PhaseDeclaration> phases;
        FlowInputs inputs;
        if (options.mode == RunMode::Single)
            makeSingleCase(options.settings, phases, inputs);
    } catch (const UsageError& e) {
        return e.what();
    }
    return std::string();
}

TEST(CommandLine, NoArgumentsGiveTheBuiltInVerticalGasOilCase)
{
    const ClientOptions options = parseCommandLine({});
    EXPECT_EQ(options.mode, RunMode::Single);
    EXPECT_FALSE(options.interactive);
    EXPECT_EQ(options.flowSpec, "Us");
    std::vector<PhaseDeclaration> phases;
    FlowInputs inputs;
    makeSingleCase(options.settings, phases, inputs);
    ASSERT_EQ(phases.size(), 2u);
    EXPECT_EQ(phases[0].state, "Vapor");
    EXPECT_EQ(phases[1].type, "Organic");
    EXPECT_EQ(inputs.pipe.inclination, 1.0);
    EXPECT_EQ(inputs.pipe.diameter, 0.1);
    EXPECT_EQ(inputs.properties[0].superficialVelocity, 1.0);
    EXPECT_EQ(inputs.properties[0].density, 50.0);
    EXPECT_EQ(inputs.properties[1].density, 800.0);
}

TEST(CommandLine, OptionsOverrideTheCaseInBothForms)
{
    const ClientOptions options = parseCommandLine(
        {"--diameter=0.2", "--angle", "30", "--phase", "gas:Vapor", "--phase=water:Liquid:Aqueous", "--us",
         "gas=3", "--us=water=-0.5", "--density", "water=1020", "--interactive"});
    EXPECT_TRUE(options.interactive);
    std::vector<PhaseDeclaration> phases;
    FlowInputs inputs;
    makeSingleCase(options.settings, phases, inputs);
    ASSERT_EQ(phases.size(), 2u);
    EXPECT_EQ(phases[1].label, "water");
    EXPECT_EQ(inputs.pipe.diameter, 0.2);
    EXPECT_NEAR(inputs.pipe.inclination, 0.5, 1e-15);
    EXPECT_EQ(inputs.pipe.roughness, 4.5e-5);
    EXPECT_EQ(inputs.properties[0].superficialVelocity, 3.0);
    EXPECT_EQ(inputs.properties[1].superficialVelocity, -0.5);
    EXPECT_EQ(inputs.properties[1].density, 1020.0);
    EXPECT_EQ(inputs.properties[1].heatCapacity, 4180.0); // typical of water

    const ClientOptions batch = parseCommandLine({"--batch", "p.csv", "--out", "r.csv", "--svg=p.svg"});
    EXPECT_EQ(batch.mode, RunMode::Batch);
    EXPECT_EQ(batch.profilePath, "p.csv");
    EXPECT_EQ(batch.resultsPath, "r.csv");
    EXPECT_EQ(batch.svgPath, "p.svg");
    EXPECT_EQ(parseCommandLine({"--us", "gas=2", "--help"}).mode, RunMode::Help);
}

TEST(CommandLine, RefusalsSayWhy)
{
    const std::pair<std::vector<std::string>, const char*> cases[] = {
        {{"--bogus"}, "unknown option '--bogus'"},
        {{"stray"}, "unexpected argument 'stray'"},
        {{"--diameter"}, "--diameter needs a value"},
        {{"--diameter", "abc"}, "'abc' is not a number"},
        {{"--diameter", "-1"}, "diameter must be greater than 0"},
        {{"--roughness", "1", "--roughness", "2"}, "given twice"},
        {{"--angle", "30", "--inclination", "0.5"}, "either --inclination or --angle"},
        {{"--angle", "91"}, "-90..90"},
        {{"--us", "gas"}, "not LABEL=VALUE"},
        {{"--us", "water=1"}, "phase 'water', which is not declared"},
        {{"--phase", "gas"}, "not LABEL:STATE"},
        {{"--phase", "g s:Vapor"}, "letters, digits"},
        {{"--phase", "gas:Vapor", "--phase", "gas:Liquid"}, "declared twice"},
        {{"--phase", "water:Liquid:Aqueous"}, "no superficial velocity: give --us water=VALUE"},
        {{"--phase", "a:Vapor", "--phase", "b:Vapor", "--us", "a=1", "--us", "b=1"},
         "'a' and 'b' are both vapour"},
        {{"--phase", "oil:Liquid", "--phase", "sand:Solid", "--us", "oil=1", "--us", "sand=1"},
         "organic liquid"},
        {{"--out", "r.csv"}, "belong to a profile run"},
        {{"--phase", "gas:vapor", "--us", "gas=1"}, "is written 'Vapor', not 'vapor'"},
        {{"--phase", "water:Liquid:aqueous", "--us", "water=1"}, "is written 'Aqueous'"},
        {{"--phase", "gas:Plasma", "--us", "gas=1"}, "'Plasma' is no state of aggregation"},
        {{"--diameter", "1e400"}, "beyond the range"},
        {{"--diameter", "6 yards"}, "unknown unit 'yards' for diameter (accepted: m, km, ft, in, mm)"},
        {{"--inlet-pressure", "50bar"}, "belongs to a traverse"},
        {{"--traverse", "p.csv"}, "needs the pressure at the inlet"},
        {{"--plot-x", "time"}, "neither 'distance' nor 'segment'"},
        {{"--interactive=yes"}, "takes no value"},
    };
    for (const auto& [arguments, reason] : cases)
        EXPECT_NE(refusal(arguments).find(reason), std::string::npos)
            << arguments[0] << ": " << refusal(arguments);
}

} // namespace
} // namespace ondivar::flow
