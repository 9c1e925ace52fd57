// The SVG plot: a well-formed document with one line per quantity, round axis ticks, escaped texts.
#include "tools/flow-client/CsvFields.h"
#include "tools/flow-client/SvgPlot.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <sstream>

namespace ondivar::flow {
namespace {

std::size_t count(const std::string& text, const std::string& what)
{
    std::size_t n = 0;
    for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1))
        ++n;
    return n;
}

ProfileSeries series(std::size_t segments)
{
    ProfileAccumulator accumulator({"gas", "o<i>l"});
    FlowResult r;
    r.phases = {{"gas", 0.4, 1, 2}, {"o<i>l", 0.6, 1, 1.5}};
    for (std::size_t i = 0; i < segments; ++i) {
        r.dpdzTotal = -5000.0;
        accumulator.add(100.0, r);
    }
    return accumulator.series();
}

TEST(SvgPlot, DocumentHasThePressureLineAndOneLinePerPhase)
{
    std::ostringstream out;
    writeProfileSvg(out, series(20), {"Line \"A\" & B"});
    const std::string svg = out.str();
    EXPECT_EQ(svg.rfind("<?xml", 0), 0u);
    EXPECT_EQ(count(svg, "<svg "), 1u);
    EXPECT_EQ(svg.substr(svg.size() - 7), "</svg>\n");
    EXPECT_EQ(count(svg, "<polyline"), 4u); // pressure, elevation, two holdups
    EXPECT_NE(svg.find("Line &quot;A&quot; &amp; B"), std::string::npos);
    EXPECT_NE(svg.find("o&lt;i&gt;l"), std::string::npos);
    EXPECT_EQ(svg.find("o<i>l"), std::string::npos);
    // 20 segments of -500 kPa: the pressure axis is in bar and reaches -100.
    EXPECT_NE(svg.find("pressure change from the inlet [bar]"), std::string::npos);
    EXPECT_NE(svg.find(">-100</text>"), std::string::npos);
    EXPECT_EQ(count(svg, "<text") - count(svg, "</text>"), 0u);
}

TEST(SvgPlot, LongSeriesAreThinnedAndGapsBreakTheLine)
{
    std::ostringstream big;
    writeProfileSvg(big, series(100000), {"big"});
    EXPECT_LT(big.str().size(), 400000u);

    ProfileSeries s = series(5);
    s.cumulativePressure[2] = std::nan("");
    std::ostringstream out;
    writeProfileSvg(out, s, {"gap"});
    EXPECT_EQ(count(out.str(), "<polyline"), 5u);

    std::ostringstream empty;
    writeProfileSvg(empty, series(0), {"none"});
    EXPECT_NE(empty.str().find("no segment was computed"), std::string::npos);
}

// The numbers of attribute name="..." in every element of the given kind.
std::vector<std::vector<double>> attributes(const std::string& svg, const std::string& element,
                                            const std::string& name)
{
    std::vector<std::vector<double>> found;
    for (std::size_t at = svg.find("<" + element + " "); at != std::string::npos;
         at = svg.find("<" + element + " ", at + 1)) {
        const std::size_t end = svg.find('>', at);
        const std::size_t value = svg.find(" " + name + "=\"", at);
        if (value == std::string::npos || value > end)
            continue;
        std::vector<double> numbers;
        const char* p = svg.c_str() + value + name.size() + 3;
        for (char* next = nullptr;; p = next + (*next == ',' ? 1 : 0)) {
            const double n = std::strtod(p, &next);
            if (next == p)
                break;
            numbers.push_back(n);
        }
        found.push_back(numbers);
    }
    return found;
}

TEST(SvgPlot, RefusedSegmentsAreBandsAndNothingLeavesThePanels)
{
    ProfileAccumulator accumulator({"gas", "oil"});
    FlowResult r;
    r.phases = {{"gas", 0.4, 1, 2}, {"oil", 0.6, 1, 1.5}};
    r.dpdzTotal = -5000.0;
    accumulator.add(100.0, r);
    accumulator.addRefused(100.0);
    accumulator.addRefused(50.0);
    r.phases = {{"gas", 1.87, 1, 2}, {"oil", -0.87, 1, 1.5}}; // a result no panel can hold
    accumulator.add(100.0, r);
    std::ostringstream out;
    writeProfileSvg(out, accumulator.series(), {"refused"});
    const std::string svg = out.str();
    // One band per panel over the two neighbouring refused segments, and a legend.
    EXPECT_EQ(count(svg, "class=\"refused\""), 3u);
    EXPECT_NE(svg.find("refused segment"), std::string::npos);
    EXPECT_NE(svg.find("stroke-dasharray"), std::string::npos) << "the incomplete pressure line";

    std::vector<std::vector<double>> frames;
    for (std::size_t at = svg.find("fill=\"none\" stroke=\"#444\""); at != std::string::npos;
         at = svg.find("fill=\"none\" stroke=\"#444\"", at + 1)) {
        const std::size_t start = svg.rfind("<rect", at);
        std::vector<double> frame;
        for (const char* name : {"x", "y", "width", "height"})
            frame.push_back(attributes(svg.substr(start), "rect", name).front().front());
        frames.push_back(frame);
    }
    ASSERT_GE(frames.size(), 2u);
    const auto lines = attributes(svg, "polyline", "points");
    ASSERT_FALSE(lines.empty());
    for (const auto& points : lines) {
        ASSERT_EQ(points.size() % 2, 0u);
        bool inside = false;
        for (const auto& f : frames) {
            bool all = true;
            for (std::size_t i = 0; i < points.size(); i += 2)
                all = all && points[i] >= f[0] - 1e-9 && points[i] <= f[0] + f[2] + 1e-9 &&
                      points[i + 1] >= f[1] - 1e-9 && points[i + 1] <= f[1] + f[3] + 1e-9;
            inside = inside || all;
        }
        EXPECT_TRUE(inside) << "a line leaves its panel";
    }
}

TEST(SvgPlot, AxisTicksAreRoundAndCoverTheRange)
{
    const std::vector<double> ticks = axisTicks(-3.7, 12.2, 5);
    ASSERT_GE(ticks.size(), 3u);
    EXPECT_LE(ticks.front(), -3.7);
    EXPECT_GE(ticks.back(), 12.2);
    const double step = ticks[1] - ticks[0];
    EXPECT_DOUBLE_EQ(step, 5.0);
    for (std::size_t i = 1; i < ticks.size(); ++i)
        EXPECT_NEAR(ticks[i] - ticks[i - 1], step, 1e-9);
    EXPECT_EQ(axisTicks(0.0, 8130.0, 8)[1], 1000.0);
    EXPECT_GE(axisTicks(2.0, 2.0, 5).size(), 2u); // a flat range still gets an axis
}

TEST(CsvFields, QuotedFieldsRoundTrip)
{
    EXPECT_EQ(splitCsvLine(" a , \"b, \"\"c\"\"\" ,,d"),
              (std::vector<std::string>{"a", "b, \"c\"", "", "d"}));
    for (const std::string text : {"plain", "with, comma", "say \"hi\"", " padded ", ""})
        EXPECT_EQ(splitCsvLine(csvField(text) + ",x"), (std::vector<std::string>{text, "x"}));
    EXPECT_THROW(splitCsvLine("\"open"), std::invalid_argument);
    EXPECT_THROW(splitCsvLine("\"a\"b"), std::invalid_argument);
}

} // namespace
} // namespace ondivar::flow
