// ondivar-flow against the registered component: the built-in case, options, the farewell box, refusals
// (bad options, CAPE-OPEN failures) and batch runs over the shipped example profile.
#include "tests/module/registration/ChildProcess.h"
#include "tests/tools/CsvColumns.h"
#include "tools/flow-client/CsvFields.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

using ondivar::flow::testing::columnOf;
using ondivar::testing::ChildRun;
using ondivar::testing::runChild;

constexpr DWORD childTimeout = 120000;
const char* const farewellLine = "Component: Bye Bye \xE2\x80\x94 Hope to see you soon";

std::wstring windowsPath(std::wstring path)
{
    for (wchar_t& c : path)
        if (c == L'/')
            c = L'\\';
    return path;
}

std::wstring wide(const std::string& text)
{
    return std::wstring(text.begin(), text.end()); // the paths here are ASCII
}

ChildRun regsvr32(const wchar_t* options)
{
    return runChild(L"regsvr32.exe " + std::wstring(options) + L" \"" + windowsPath(ONDIVAR_DLL_PATH) + L"\"",
                    childTimeout);
}

ChildRun client(const std::string& arguments)
{
    return runChild(L"\"" + windowsPath(ONDIVAR_FLOW_PATH) + L"\" " + wide(arguments), childTimeout);
}

::testing::AssertionResult exited(const ChildRun& run, DWORD status)
{
    if (run.started && run.finished && run.exitCode == status)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << "started " << run.started << ", finished " << run.finished << ", exit status " << run.exitCode
           << " (expected " << status << "), output:\n"
           << run.output << "\nerrors:\n"
           << run.errors;
}

bool contains(const std::string& text, const std::string& part)
{
    return text.find(part) != std::string::npos;
}

// The numbers on the first line after `from` that starts with prefix.
std::vector<double> numbersAfter(const std::string& output, const std::string& from,
                                 const std::string& prefix)
{
    std::istringstream lines(output.substr(std::min(output.size(), output.find(from))));
    for (std::string line; std::getline(lines, line);) {
        if (line.rfind(prefix, 0) != 0)
            continue;
        std::vector<double> numbers;
        const char* p = line.c_str() + prefix.size();
        for (;;) {
            char* end = nullptr;
            const double value = std::strtod(p, &end);
            if (end == p)
                break;
            numbers.push_back(value);
            p = end;
        }
        return numbers;
    }
    ADD_FAILURE() << "no line '" << prefix << "' after '" << from << "' in:\n" << output;
    return {};
}

double gradient(const std::string& output, const char* name)
{
    const std::vector<double> n = numbersAfter(output, "Pressure gradient", std::string("  ") + name);
    return n.empty() ? std::nan("") : n[0];
}

// volume fraction, superficial velocity, absolute velocity
std::vector<double> phaseResult(const std::string& output, const std::string& label)
{
    return numbersAfter(output, "Phase results", "  " + label + " ");
}

std::vector<std::vector<std::string>> readCsv(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::vector<std::vector<std::string>> rows;
    for (std::string line; std::getline(in, line);)
        rows.push_back(ondivar::flow::splitCsvLine(line));
    return rows;
}

class FlowClient : public ::testing::Test {
protected:
    static void SetUpTestSuite() { s_registered = exited(regsvr32(L"/s"), 0); }
    static void TearDownTestSuite() { regsvr32(L"/s /u"); }
    void SetUp() override { ASSERT_TRUE(s_registered) << "regsvr32 could not register Ondivar.dll"; }

    static bool s_registered;
};

bool FlowClient::s_registered = false;

TEST_F(FlowClient, WithoutArgumentsComputesTheVerticalGasOilCaseAndAcknowledgesTheFarewell)
{
    const ChildRun run = client("");
    ASSERT_TRUE(exited(run, 0));
    const std::string& out = run.output;
    EXPECT_TRUE(contains(out, "regime       Slug\n")) << out;
    EXPECT_TRUE(contains(out, "qualifier    (none)\n"));
    // Vertical pipe of 0.1 m, gas and oil at 1 m/s each: the drift-flux solution.
    EXPECT_NEAR(gradient(out, "total"), -5030.638, 1e-3);
    EXPECT_NEAR(gradient(out, "frictional"), -197.0867, 1e-3);
    EXPECT_NEAR(gradient(out, "gravity"), -4833.551, 1e-3);
    const std::vector<double> gas = phaseResult(out, "gas"), oil = phaseResult(out, "oil");
    ASSERT_EQ(gas.size(), 3u);
    ASSERT_EQ(oil.size(), 3u);
    EXPECT_NEAR(gas[0], 0.409711, 1e-6);
    EXPECT_NEAR(gas[1], 1.0, 1e-12);
    EXPECT_NEAR(gas[2], 2.440745, 1e-6);
    EXPECT_NEAR(oil[0], 0.590289, 1e-6);
    EXPECT_NEAR(oil[2], 1.694086, 1e-6);
    EXPECT_TRUE(contains(out, "Pa/m"));
    // The client's own hook acknowledged the box (the runner may also glimpse it before it closes).
    EXPECT_TRUE(contains(out, farewellLine));
}

TEST_F(FlowClient, OptionsSetPipeAndPhases)
{
    const ChildRun run = client("--diameter 0.2 --inclination=0 --phase gas:Vapor --phase oil:Liquid:Organic "
                                "--phase water:Liquid:Aqueous --us gas=2 --us oil=0.5 --us water=0.5 "
                                "--density gas=20 --density oil=850 --density water=1000");
    ASSERT_TRUE(exited(run, 0));
    const std::string& out = run.output;
    EXPECT_TRUE(contains(out, "regime       Separated\n")) << out;
    EXPECT_TRUE(contains(out, "qualifier    StratifiedSmooth\n"));
    EXPECT_NEAR(gradient(out, "frictional"), -144.75, 1e-2);
    EXPECT_EQ(gradient(out, "gravity"), 0.0);
    const double holdups[] = {2.0 / 3.0, 1.0 / 6.0, 1.0 / 6.0};
    const char* labels[] = {"gas", "oil", "water"};
    for (int i = 0; i < 3; ++i) {
        const std::vector<double> r = phaseResult(out, labels[i]);
        ASSERT_EQ(r.size(), 3u) << labels[i];
        EXPECT_NEAR(r[0], holdups[i], 1e-6) << labels[i];
        EXPECT_NEAR(r[2], 3.0, 1e-6) << labels[i];
    }
    EXPECT_TRUE(contains(out, farewellLine));
}

TEST_F(FlowClient, BadOptionsStopBeforeTheComponentWithStatus2)
{
    for (const char* arguments : {"--diameter abc", "--frobnicate", "--us water=1"}) {
        const ChildRun run = client(arguments);
        EXPECT_TRUE(exited(run, 2)) << arguments;
        EXPECT_TRUE(contains(run.errors, "Try 'ondivar-flow --help'")) << run.errors;
        EXPECT_EQ(run.output, "") << "nothing computed, no component created";
    }
    EXPECT_TRUE(contains(client("--diameter abc").errors, "--diameter: 'abc' is not a number"));
    const ChildRun help = client("--help");
    EXPECT_TRUE(exited(help, 0));
    EXPECT_TRUE(contains(help.output, "--batch PROFILE"));
}

TEST_F(FlowClient, RefusedCallsShowWhatTheComponentsErrorInterfacesSay)
{
    const ChildRun unsupported = client("--flowspec Ux");
    EXPECT_TRUE(exited(unsupported, 1));
    EXPECT_TRUE(contains(unsupported.errors, "ICapeHydroFlowRoutine::CalcFlow failed\n"))
        << unsupported.errors;
    EXPECT_TRUE(contains(unsupported.errors, "CAPE-OPEN error:     ECapeNoImpl (0x80040509)\n"));
    EXPECT_TRUE(contains(unsupported.errors, "ECapeUser interface: ICapeHydroFlowRoutine\n"));
    EXPECT_TRUE(contains(unsupported.errors, "operation:           CalcFlow\n"));
    EXPECT_TRUE(contains(unsupported.errors, "HRESULT:             0x80040509\n"));
    EXPECT_FALSE(contains(unsupported.errors, "description:         \n"))
        << "an empty description is replaced";
    EXPECT_TRUE(contains(unsupported.output, farewellLine));

    // A state of aggregation the component does not know is refused by the client already.
    const ChildRun phase = client("--phase gas:Plasma --us gas=1");
    EXPECT_TRUE(exited(phase, 2)) << "the client knows the component's states";
}

TEST_F(FlowClient, BatchRunsTheExampleProfileThroughOneInstance)
{
    const std::string results = std::string(ONDIVAR_OUTPUT_DIR) + "/riser-results.csv";
    const std::string plot = std::string(ONDIVAR_OUTPUT_DIR) + "/riser.svg";
    std::remove(results.c_str());
    std::remove(plot.c_str());
    const ChildRun run = client("--batch \"" + std::string(ONDIVAR_EXAMPLE_PROFILE) + "\" --out \"" +
                                results + "\" --svg \"" + plot + "\"");
    ASSERT_TRUE(exited(run, 0));
    EXPECT_TRUE(contains(run.errors, "20 of 20 segments computed")) << run.errors;
    // One instance: one farewell.
    ASSERT_TRUE(contains(run.output, farewellLine));
    EXPECT_EQ(run.output.find(farewellLine), run.output.rfind(farewellLine));

    const auto rows = readCsv(results);
    ASSERT_EQ(rows.size(), 21u);
    const auto& h = rows[0];
    const std::size_t name = columnOf(h, "name"), length = columnOf(h, "length[m]"),
                      regime = columnOf(h, "regime"), total = columnOf(h, "dpdz_total[Pa/m]"),
                      friction = columnOf(h, "dpdz_frictional[Pa/m]"),
                      gravity = columnOf(h, "dpdz_gravity[Pa/m]"),
                      cumulative = columnOf(h, "dp_cumulative[Pa]"), distance = columnOf(h, "distance[m]"),
                      gasHoldup = columnOf(h, "gas.holdup[-]"), oilHoldup = columnOf(h, "oil.holdup[-]");
    double sum = 0.0, along = 0.0;
    for (std::size_t i = 1; i < rows.size(); ++i) {
        const auto& r = rows[i];
        ASSERT_EQ(r.size(), h.size());
        EXPECT_EQ(r[regime], "Slug") << r[name];
        sum += std::stod(r[total]) * std::stod(r[length]);
        along += std::stod(r[length]);
        EXPECT_NEAR(std::stod(r[cumulative]), sum, 1e-8 * std::fabs(sum)) << r[name];
        EXPECT_NEAR(std::stod(r[distance]), along, 1e-9);
        EXPECT_NEAR(std::stod(r[gasHoldup]) + std::stod(r[oilHoldup]), 1.0, 1e-12) << r[name];
        if (r[name] == "jumper") {
            EXPECT_EQ(std::stod(r[gravity]), 0.0); // horizontal
        }
        if (r[name].rfind("riser-", 0) == 0 && r[name] != "riser-top") {
            // Vertical: the gravity part is many times the frictional one, both negative.
            EXPECT_LT(std::stod(r[gravity]), 20.0 * std::stod(r[friction])) << r[name];
        }
    }
    EXPECT_EQ(along, 8130.0);
    EXPECT_LT(sum, -5e6); // the line loses more than 50 bar from the bottom hole to the separator

    std::ifstream svg(plot, std::ios::binary);
    const std::string drawing((std::istreambuf_iterator<char>(svg)), std::istreambuf_iterator<char>());
    EXPECT_EQ(drawing.rfind("<?xml", 0), 0u);
    EXPECT_TRUE(contains(drawing, "<polyline"));
}

TEST_F(FlowClient, BatchReportsABadRowByLineAndGoesOn)
{
    std::ifstream example(ONDIVAR_EXAMPLE_PROFILE, std::ios::binary);
    std::ostringstream edited;
    std::size_t lineNumber = 0, badLine = 0;
    for (std::string line; std::getline(example, line);) {
        ++lineNumber;
        if (line.rfind("flowline-3,", 0) == 0) {
            line.replace(line.find(",0.2,"), 5, ",0.2x,");
            badLine = lineNumber;
        }
        edited << line << '\n';
    }
    ASSERT_NE(badLine, 0u);
    const std::string profile = std::string(ONDIVAR_OUTPUT_DIR) + "/bad-row.csv";
    std::ofstream(profile, std::ios::binary) << edited.str();

    // Without --out the results go to standard output, and everything else to standard error.
    const ChildRun run = client("--batch \"" + profile + "\"");
    EXPECT_TRUE(exited(run, 3));
    const std::string where =
        "line " + std::to_string(badLine) + ": column 'diameter [m]': '0.2x' is not a number";
    EXPECT_TRUE(contains(run.errors, where)) << run.errors;
    EXPECT_TRUE(
        contains(run.errors, "19 of 20 segments computed; 1 row failed, at line " + std::to_string(badLine)));
    // The bad row keeps its place, with its status.
    std::istringstream results(run.output);
    std::vector<std::vector<std::string>> rows;
    for (std::string line; std::getline(results, line);)
        rows.push_back(ondivar::flow::splitCsvLine(line));
    ASSERT_EQ(rows.size(), 21u);
    for (const auto& row : rows)
        EXPECT_EQ(row.size(), 21u);
    const std::size_t status = columnOf(rows[0], "status");
    for (std::size_t i = 1; i < rows.size(); ++i)
        EXPECT_EQ(rows[i][status], rows[i][0] == std::to_string(badLine)
                                       ? "bad row: column 'diameter [m]': '0.2x' is not a number"
                                       : "ok");
    EXPECT_TRUE(contains(run.errors, farewellLine));
}

TEST_F(FlowClient, BatchRowsTheComponentRefusesKeepTheirPlaceWithTheCapeOpenError)
{
    // The component refuses every row under a flow basis it does not support.
    const std::string results = std::string(ONDIVAR_OUTPUT_DIR) + "/refused-results.csv";
    const std::string plot = std::string(ONDIVAR_OUTPUT_DIR) + "/refused.svg";
    const ChildRun run = client("--batch \"" + std::string(ONDIVAR_EXAMPLE_PROFILE) +
                                "\" --flowspec Ux --out \"" + results + "\" --svg \"" + plot + "\"");
    EXPECT_TRUE(exited(run, 3));
    EXPECT_TRUE(contains(run.errors, "0 of 20 segments computed; 20 rows failed")) << run.errors;
    const auto rows = readCsv(results);
    ASSERT_EQ(rows.size(), 21u);
    const std::size_t status = columnOf(rows[0], "status"), distance = columnOf(rows[0], "distance[m]"),
                      total = columnOf(rows[0], "dpdz_total[Pa/m]");
    EXPECT_EQ(rows[1][status].rfind("refused: ECapeNoImpl: ", 0), 0u) << rows[1][status];
    EXPECT_EQ(rows[20][distance], "8130");
    EXPECT_EQ(rows[20][total], "");
    std::ifstream svg(plot, std::ios::binary);
    const std::string drawing((std::istreambuf_iterator<char>(svg)), std::istreambuf_iterator<char>());
    EXPECT_TRUE(contains(drawing, "class=\"refused\""));
}

TEST_F(FlowClient, BatchLeavesARefusedSegmentInTheMiddleOutOfTheCumulativePressure)
{
    // Gas flowing down the riser slower than its bubbles rise: the component finds no solution there.
    std::ifstream example(ONDIVAR_EXAMPLE_PROFILE, std::ios::binary);
    std::ostringstream edited;
    for (std::string line; std::getline(example, line);) {
        if (line.rfind("riser-2,", 0) == 0)
            line.replace(line.find(",0.671,"), 7, ",-0.3,");
        edited << line << '\n';
    }
    const std::string profile = std::string(ONDIVAR_OUTPUT_DIR) + "/downward-gas.csv";
    std::ofstream(profile, std::ios::binary) << edited.str();
    const std::string whole = std::string(ONDIVAR_OUTPUT_DIR) + "/whole-line.csv";
    const std::string results = std::string(ONDIVAR_OUTPUT_DIR) + "/downward-gas-results.csv";
    const std::string plot = std::string(ONDIVAR_OUTPUT_DIR) + "/downward-gas.svg";
    ASSERT_TRUE(exited(
        client("--batch \"" + std::string(ONDIVAR_EXAMPLE_PROFILE) + "\" --out \"" + whole + "\""), 0));
    const ChildRun run =
        client("--batch \"" + profile + "\" --out \"" + results + "\" --svg \"" + plot + "\"");
    EXPECT_TRUE(exited(run, 3));
    EXPECT_TRUE(contains(run.errors, "19 of 20 segments computed; 1 row failed")) << run.errors;

    const auto before = readCsv(whole), after = readCsv(results);
    ASSERT_EQ(after.size(), before.size());
    const auto& h = after[0];
    const std::size_t name = columnOf(h, "name"), status = columnOf(h, "status"),
                      distance = columnOf(h, "distance[m]"), segment = columnOf(h, "dp_segment[Pa]"),
                      cumulative = columnOf(h, "dp_cumulative[Pa]"),
                      complete = columnOf(h, "dp_cumulative_complete"), holdup = columnOf(h, "gas.holdup[-]");
    double refusedDrop = 0.0;
    bool reached = false;
    for (std::size_t i = 1; i < after.size(); ++i) {
        const auto &r = after[i], &b = before[i];
        EXPECT_EQ(r[distance], b[distance]) << r[name];
        if (r[name] == "riser-2") {
            reached = true;
            refusedDrop = std::stod(b[segment]);
            EXPECT_EQ(r[status].rfind("refused: ECapeSolvingError: ", 0), 0u) << r[status];
            EXPECT_TRUE(contains(r[status], "bubbles rise")) << r[status];
            EXPECT_EQ(r[holdup], "");
            EXPECT_EQ(r[segment], "");
        } else {
            EXPECT_EQ(r[status], "ok") << r[name];
            EXPECT_EQ(r[holdup], b[holdup]) << r[name];
        }
        // Left out of the sum, which says it is incomplete from the refused row on.
        EXPECT_EQ(r[complete], reached ? "no" : "yes") << r[name];
        if (r[name] != "riser-2") {
            EXPECT_NEAR(std::stod(r[cumulative]), std::stod(b[cumulative]) - (reached ? refusedDrop : 0.0),
                        1e-6 * std::fabs(std::stod(b[cumulative])))
                << r[name];
        }
    }
    ASSERT_TRUE(reached);
    std::ifstream svg(plot, std::ios::binary);
    const std::string drawing((std::istreambuf_iterator<char>(svg)), std::istreambuf_iterator<char>());
    EXPECT_TRUE(contains(drawing, "class=\"refused\""));
}

TEST_F(FlowClient, TraverseOfAGasLineThroughTheComponentMeetsTheIsothermalClosedForm)
{
    // A horizontal gas line: 10 km of 0.1 m, 1 kg/s of gas (19 g/mol, Z 0.9) at 300 K from 50 bar. With the
    // component's constant friction factor 0.005, p_in² - p_out² = 4·f·G²·(Z·R·T/M)·L / D.
    const std::string profile = std::string(ONDIVAR_OUTPUT_DIR) + "/gas-line.csv";
    std::ofstream(profile, std::ios::binary) << "phases,gas:Vapor\nname,length [km]\n"
                                             << "a,2\nb,3\nc,5\n";
    const std::string results = std::string(ONDIVAR_OUTPUT_DIR) + "/gas-line-results.csv";
    const ChildRun run = client("--traverse \"" + profile + "\" --out \"" + results +
                                "\" --diameter 0.1 --inclination 0 --temperature 300 --inlet-pressure 50bar "
                                "--mass-rate gas=3600kg/h --molar-mass gas=19g/mol --z gas=0.9");
    ASSERT_TRUE(exited(run, 0));
    const auto rows = readCsv(results);
    ASSERT_EQ(rows.size(), 4u);
    const double pIn = 50e5, G = 1.0 / (3.141592653589793 * 0.01 / 4);
    const double c = 0.9 * 8.314462618 * 300.0 / 0.019;
    const double exact = std::sqrt(pIn * pIn - 4 * 0.005 * G * G * c * 10000.0 / 0.1);
    const double arrival = std::stod(rows[3][columnOf(rows[0], "pressure_out[Pa]")]);
    EXPECT_NEAR(arrival, exact, 1e-6 * (pIn - exact)) << run.errors;
    EXPECT_NEAR(std::stod(rows[3][columnOf(rows[0], "pressure_out[bar]")]), exact / 1e5, 1e-5);
    EXPECT_TRUE(contains(run.errors, "arrival pressure")) << run.errors;
}

TEST_F(FlowClient, ExampleTraverseMarchesTheLineAndPlotsItInThreePanels)
{
    const std::string results = std::string(ONDIVAR_OUTPUT_DIR) + "/traverse-results.csv";
    const std::string plot = std::string(ONDIVAR_OUTPUT_DIR) + "/traverse.svg";
    const ChildRun run = client("--traverse \"" + std::string(ONDIVAR_EXAMPLE_TRAVERSE) + "\" --out \"" +
                                results + "\" --svg \"" + plot + "\" " + ONDIVAR_EXAMPLE_TRAVERSE_OPTIONS);
    ASSERT_TRUE(exited(run, 0));
    EXPECT_TRUE(contains(run.errors, "20 segments marched; arrival pressure")) << run.errors;
    EXPECT_TRUE(contains(run.errors, "typical values")) << "the defaulted values are named once";
    const auto rows = readCsv(results);
    ASSERT_EQ(rows.size(), 21u);
    const auto& h = rows[0];
    const std::size_t in = columnOf(h, "pressure_in[Pa]"), out = columnOf(h, "pressure_out[Pa]"),
                      density = columnOf(h, "gas.density[kg/m3]"), status = columnOf(h, "status");
    EXPECT_EQ(std::stod(rows[1][in]), 190e5);
    for (std::size_t i = 1; i < rows.size(); ++i) {
        EXPECT_EQ(rows[i][status], "ok");
        if (i > 1) {
            EXPECT_EQ(rows[i][in], rows[i - 1][out]) << "each segment starts where the last ended";
        }
    }
    const double arrival = std::stod(rows[20][out]);
    EXPECT_GT(arrival, 1e5);
    EXPECT_LT(arrival, 150e5);
    EXPECT_GT(std::stod(rows[1][density]), 1.5 * std::stod(rows[6][density]))
        << "the gas expands up the well";

    std::ifstream svg(plot, std::ios::binary);
    const std::string drawing((std::istreambuf_iterator<char>(svg)), std::istreambuf_iterator<char>());
    std::size_t frames = 0, bands = 0;
    for (std::size_t at = drawing.find("fill=\"none\" stroke=\"#444\""); at != std::string::npos;
         at = drawing.find("fill=\"none\" stroke=\"#444\"", at + 1))
        ++frames;
    for (std::size_t at = drawing.find("class=\"regime\""); at != std::string::npos;
         at = drawing.find("class=\"regime\"", at + 1))
        ++bands;
    EXPECT_EQ(frames, 3u) << "pressure, elevation and holdup panels";
    EXPECT_GE(bands, 1u);
    EXPECT_TRUE(contains(drawing, "pressure [bar]"));
    EXPECT_TRUE(contains(drawing, "elevation above the inlet [m]"));
    EXPECT_TRUE(contains(drawing, "flow regime:"));
}

TEST_F(FlowClient, ProfilesAndOptionsTheClientRefusesItself)
{
    const std::string dir = std::string(ONDIVAR_OUTPUT_DIR);
    std::ofstream(dir + "/empty.csv", std::ios::binary) << "";
    std::ofstream(dir + "/header-only.csv", std::ios::binary)
        << "phases,gas:Vapor\nlength,diameter,inclination,gas.us\n";
    const ChildRun empty = client("--batch \"" + dir + "/empty.csv\"");
    EXPECT_TRUE(exited(empty, 2));
    EXPECT_TRUE(contains(empty.errors, "the profile is empty")) << empty.errors;
    EXPECT_FALSE(contains(empty.errors, "line 0"));
    const ChildRun headerOnly = client("--batch \"" + dir + "/header-only.csv\"");
    EXPECT_TRUE(exited(headerOnly, 2));
    EXPECT_TRUE(contains(headerOnly.errors, "no data rows")) << headerOnly.errors;

    const ChildRun state = client("--phase gas:vapor --us gas=1");
    EXPECT_TRUE(exited(state, 2));
    EXPECT_TRUE(contains(state.errors, "is written 'Vapor', not 'vapor'")) << state.errors;

    // The test prefix is headless: a box nobody can see is refused at once.
    const ChildRun interactive = client("--interactive");
    EXPECT_TRUE(exited(interactive, 2));
    EXPECT_TRUE(contains(interactive.errors, "--interactive needs a display")) << interactive.errors;
    EXPECT_TRUE(interactive.messageBoxes.empty());
}

} // namespace
