// The registered component driven by the prefix's own script hosts: a VBScript and a JScript run by
// cscript reach it through its IDispatch by name, as a macro or script of a user would. The VBScript
// computes a three-phase case, whose results must equal those of the vtables.
#include "tests/module/registration/RegisteredComponent.h"
#include "tools/flow-client/FlowComponent.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <map>
#include <sstream>
#include <string>

namespace {

using ondivar::testing::ChildRun;
using ondivar::testing::kChildTimeout;
using ondivar::testing::runChild;
using ondivar::testing::succeeded;

// What the scripts print for the refused flow basis "Qm".
const char kRefusal[] = "The flow basis \"Qm\" is not supported: the flow is computed from the superficial "
                        "velocity of each phase, basis \"Us\".";

ChildRun runScript(const char* file)
{
    std::wstring path = ONDIVAR_SCRIPTS_DIR;
    path += L"/";
    for (const char* c = file; *c != '\0'; ++c)
        path += static_cast<wchar_t>(*c);
    for (wchar_t& c : path)
        c = c == L'/' ? L'\\' : c;
    return runChild(L"cscript.exe //nologo \"" + path + L"\"", kChildTimeout);
}

// The "name=value" lines a script printed.
std::map<std::string, std::string> printed(const std::string& output)
{
    std::map<std::string, std::string> lines;
    std::istringstream in(output);
    std::string line;
    while (std::getline(in, line)) {
        const std::size_t equals = line.find('=');
        if (equals != std::string::npos)
            lines[line.substr(0, equals)] = line.substr(equals + 1);
    }
    return lines;
}

// A number as VBScript prints it (15 significant digits) equals the vtables' value.
::testing::AssertionResult printedAs(const std::string& text, double expected)
{
    std::string number = text;
    for (char& c : number)
        c = c == ',' ? '.' : c;
    char* end = nullptr;
    const double value = std::strtod(number.c_str(), &end);
    if (number.empty() || *end != '\0')
        return ::testing::AssertionFailure() << "\"" << text << "\" is no number";
    if (std::fabs(value - expected) <= 1e-14 * std::fabs(expected))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << text << " printed, " << expected << " through the vtables";
}

// The three-phase case of ThreePhaseCase.vbs, computed through the vtables.
ondivar::flow::FlowResult throughTheVtables()
{
    using namespace ondivar::flow;
    FlowComponent component(L"Ondivar.Ondivar_Velt", "Us");
    component.declarePhases(
        {{"gas", "Vapor", ""}, {"oil", "Liquid", "Organic"}, {"water", "Liquid", "Aqueous"}});
    FlowInputs inputs;
    inputs.pipe = {0.1, 1.0, 0.00001};
    inputs.properties = {{2.0, 50.0, 0.000015, 2000.0, 0.03},
                         {1.0, 800.0, 0.002, 2000.0, 0.13},
                         {0.5, 1000.0, 0.001, 4180.0, 0.6}};
    FlowResult result = component.calculate(inputs);
    component.release();
    return result;
}

class ScriptClient : public ondivar::testing::RegisteredComponent {};

TEST_F(ScriptClient, VBScriptComputesAThreePhaseCaseAndReadsTheRefusal)
{
    ondivar::flow::FlowResult expected;
    try {
        expected = throughTheVtables();
    } catch (const ondivar::flow::CalculationFailure& failure) {
        FAIL() << failure.report();
    }
    const ChildRun run = runScript("ThreePhaseCase.vbs");
    ASSERT_TRUE(succeeded(run));
    ASSERT_NE(std::string::npos, run.output.find("client finished\n")) << run.output << run.errors;
    std::map<std::string, std::string> lines = printed(run.output);
    EXPECT_EQ("3", lines["phases"]);
    EXPECT_EQ(expected.regime + "|" + expected.qualifier, lines["regime"]);
    EXPECT_TRUE(printedAs(lines["pressureDropTotal"], expected.dpdzTotal));
    EXPECT_TRUE(printedAs(lines["pressureDropFrictional"], expected.dpdzFriction));
    EXPECT_TRUE(printedAs(lines["pressureDropGravity"], expected.dpdzGravity));
    ASSERT_EQ(3u, expected.phases.size());
    for (const ondivar::flow::PhaseResult& phase : expected.phases) {
        EXPECT_TRUE(printedAs(lines["volumeFraction." + phase.label], phase.volumeFraction)) << phase.label;
        EXPECT_TRUE(printedAs(lines["absoluteVelocity." + phase.label], phase.absoluteVelocity))
            << phase.label;
        EXPECT_TRUE(printedAs(lines["superficialVelocity." + phase.label], phase.superficialVelocity))
            << phase.label;
    }
    // Err carries the CAPE-OPEN code, the description and the component; the error interfaces, read by
    // name, describe the same call (the recorded description ends with a line break).
    EXPECT_EQ("80040509", lines["Err.Number"]);
    EXPECT_EQ(kRefusal, lines["Err.Description"]);
    EXPECT_EQ("Ondivar", lines["Err.Source"]);
    EXPECT_NE(std::string::npos, run.output.find(std::string("description=") + kRefusal + "\n\n"));
    EXPECT_EQ("ICapeHydroFlowRoutine", lines["interfaceName"]);
    EXPECT_EQ("CalcFlow", lines["operation"]);
    ASSERT_EQ(1u, run.messageBoxes.size()) << "one farewell, when the script let the component go";
    EXPECT_EQ(L"Bye Bye", run.messageBoxes[0].caption);
}

TEST_F(ScriptClient, JScriptReadsPropertiesAndCatchesTheRefusal)
{
    const ChildRun run = runScript("ThreePhaseCase.js");
    ASSERT_TRUE(succeeded(run));
    ASSERT_NE(std::string::npos, run.output.find("client finished\n")) << run.output << run.errors;
    std::map<std::string, std::string> lines = printed(run.output);
    EXPECT_EQ("Ondivar", lines["ComponentName"]);
    EXPECT_EQ("Three-phase riser", lines["ComponentDescription"]);
    EXPECT_EQ("80040509", lines["number"]);
    EXPECT_EQ(kRefusal, lines["message"]);
    EXPECT_NE(std::string::npos, run.output.find(std::string("description=") + kRefusal + "\n\n"));
    EXPECT_EQ("ICapeHydroFlowRoutine", lines["interfaceName"]);
    EXPECT_EQ("CalcFlow", lines["operation"]);
    // A member with an [out] argument cannot be called without it: DISP_E_BADPARAMCOUNT.
    EXPECT_EQ("8002000e", lines["without its [out] argument"]);
    ASSERT_EQ(1u, run.messageBoxes.size()) << "one farewell, when the script let the component go";
}

} // namespace
