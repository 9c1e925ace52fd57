#include "tools/flow-client/SvgPlot.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>

namespace ondivar::flow {
namespace {

constexpr double width = 960.0;
constexpr double left = 90.0;
constexpr double right = 30.0;
constexpr double plotWidth = width - left - right;
constexpr double titleHeight = 70.0;
constexpr double gap = 58.0; // below a panel: its tick labels and axis title
// Longer series are thinned to about this many points per line.
constexpr std::size_t maxPoints = 2000;

const char* const palette[] = {"#d62728", "#5b3a1a", "#1f77b4", "#2ca02c", "#9467bd", "#ff7f0e"};
// Pale fills for the regime bands, in the order the regimes first appear.
const char* const regimePalette[] = {"#dbe9f6", "#fde6c8", "#dcefd9", "#ece0f3",
                                     "#f9f3c2", "#d9f2f2", "#eeeeee"};
const char* const refusedFill = "#f4b6b0";

std::string num(double value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", value);
    return text;
}

std::string tickLabel(double value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%g", std::fabs(value) < 1e-12 ? 0.0 : value);
    return text;
}

// A value's pixel, kept within the axis' pixel range so that nothing is drawn outside its panel.
struct Axis {
    double low, high, pixelLow, pixelHigh;
    double map(double v) const
    {
        const double pixel = pixelLow + (v - low) / (high - low) * (pixelHigh - pixelLow);
        return std::clamp(pixel, std::min(pixelLow, pixelHigh), std::max(pixelLow, pixelHigh));
    }
};

struct Panel {
    double top, height;
    Axis y;
    std::vector<double> ticks;
};

Panel makePanel(double top, double height, double low, double high)
{
    Panel p{top, height, {}, axisTicks(low, high, height > 180 ? 5 : 3)};
    p.y = Axis{p.ticks.front(), p.ticks.back(), top + height, top};
    return p;
}

// The horizontal axis: the distance (m, or km for lines beyond 10 km) or the segment number.
struct Horizontal {
    Axis axis;
    std::vector<double> ticks;
    double scale; // from the series' distances (or segment numbers) to the axis' unit
    std::string title;
    std::vector<double> start, end; // of each segment, in the axis' unit
};

Horizontal makeHorizontal(const ProfileSeries& series, bool bySegment)
{
    Horizontal h;
    const std::size_t n = series.distanceEnd.size();
    if (bySegment) {
        h.scale = 1.0;
        h.title = "segment (in the order of the profile; every segment equally wide)";
        for (std::size_t i = 0; i < n; ++i) {
            h.start.push_back(static_cast<double>(i));
            h.end.push_back(static_cast<double>(i + 1));
        }
        h.ticks = axisTicks(0.0, static_cast<double>(n), 8);
    } else {
        const double length = series.distanceEnd.back();
        h.scale = length > 10000.0 ? 1e-3 : 1.0;
        h.title = length > 10000.0 ? "distance along the line [km]" : "distance along the line [m]";
        for (std::size_t i = 0; i < n; ++i) {
            h.start.push_back(series.distanceStart[i] * h.scale);
            h.end.push_back(series.distanceEnd[i] * h.scale);
        }
        h.ticks = axisTicks(0.0, length * h.scale, 8);
    }
    h.axis = Axis{h.ticks.front(), h.ticks.back(), left, left + plotWidth};
    return h;
}

void writePanel(std::ostream& out, const Horizontal& x, const Panel& panel, const std::string& yTitle)
{
    out << "<rect x=\"" << num(left) << "\" y=\"" << num(panel.top) << "\" width=\"" << num(plotWidth)
        << "\" height=\"" << num(panel.height) << "\" fill=\"none\" stroke=\"#444\"/>\n";
    for (double t : x.ticks) {
        const double px = x.axis.map(t);
        out << "<line x1=\"" << num(px) << "\" y1=\"" << num(panel.top) << "\" x2=\"" << num(px) << "\" y2=\""
            << num(panel.top + panel.height) << "\" stroke=\"#ccc\" stroke-opacity=\"0.7\"/>\n"
            << "<text x=\"" << num(px) << "\" y=\"" << num(panel.top + panel.height + 16)
            << "\" text-anchor=\"middle\">" << tickLabel(t) << "</text>\n";
    }
    for (double t : panel.ticks) {
        const double py = panel.y.map(t);
        out << "<line x1=\"" << num(left) << "\" y1=\"" << num(py) << "\" x2=\"" << num(left + plotWidth)
            << "\" y2=\"" << num(py) << "\" stroke=\"#ccc\" stroke-opacity=\"0.7\"/>\n"
            << "<text x=\"" << num(left - 6) << "\" y=\"" << num(py + 4) << "\" text-anchor=\"end\">"
            << tickLabel(t) << "</text>\n";
    }
    out << "<text x=\"" << num(left + plotWidth / 2) << "\" y=\"" << num(panel.top + panel.height + 34)
        << "\" text-anchor=\"middle\">" << xmlEscaped(x.title) << "</text>\n"
        << "<text transform=\"translate(" << num(22) << ' ' << num(panel.top + panel.height / 2)
        << ") rotate(-90)\" text-anchor=\"middle\">" << xmlEscaped(yTitle) << "</text>\n";
}

// Polylines through the finite points; a non-finite value breaks the line.
void writeLine(std::ostream& out, const std::vector<std::pair<double, double>>& points, const char* colour,
               const char* dashes = nullptr)
{
    std::string run;
    std::size_t count = 0;
    auto flush = [&] {
        if (count > 1)
            out << "<polyline fill=\"none\" stroke=\"" << colour << "\" stroke-width=\"1.5\""
                << (dashes ? std::string(" stroke-dasharray=\"") + dashes + "\"" : std::string())
                << " points=\"" << run << "\"/>\n";
        run.clear();
        count = 0;
    };
    for (const auto& [px, py] : points) {
        if (!std::isfinite(px) || !std::isfinite(py)) {
            flush();
            continue;
        }
        run += (count ? " " : "") + num(px) + "," + num(py);
        ++count;
    }
    flush();
}

// Bands over runs of neighbouring segments for which key gives the same non-empty text.
template <typename Key>
void writeBands(std::ostream& out, const Horizontal& x, const Panel& panel, std::size_t n, Key key,
                const std::map<std::string, const char*>& fills, const char* cssClass)
{
    for (std::size_t i = 0; i < n; ++i) {
        const std::string k = key(i);
        if (k.empty())
            continue;
        std::size_t last = i;
        while (last + 1 < n && key(last + 1) == k)
            ++last;
        const double x0 = x.axis.map(x.start[i]);
        const double w = std::max(0.5, x.axis.map(x.end[last]) - x0);
        out << "<rect class=\"" << cssClass << "\" x=\"" << num(x0) << "\" y=\"" << num(panel.top)
            << "\" width=\"" << num(w) << "\" height=\"" << num(panel.height) << "\" fill=\"" << fills.at(k)
            << "\"/>\n";
        i = last;
    }
}

std::size_t stride(std::size_t n)
{
    return n <= maxPoints ? 1 : (n + maxPoints - 1) / maxPoints;
}

// The pressure unit that keeps the tick labels short.
void pressureScale(double largest, bool absolute, double& factor, std::string& unit)
{
    if (absolute || largest >= 1e5) {
        factor = 1e-5;
        unit = "bar";
    } else if (largest >= 1e3) {
        factor = 1e-3;
        unit = "kPa";
    } else {
        factor = 1.0;
        unit = "Pa";
    }
}

void legendEntry(std::ostream& out, double x, double y, const char* fill, const std::string& text, bool line)
{
    if (line)
        out << "<line x1=\"" << num(x) << "\" y1=\"" << num(y - 4) << "\" x2=\"" << num(x + 22) << "\" y2=\""
            << num(y - 4) << "\" stroke=\"" << fill << "\" stroke-width=\"2\"/>\n";
    else
        out << "<rect x=\"" << num(x) << "\" y=\"" << num(y - 10) << "\" width=\"22\" height=\"10\" fill=\""
            << fill << "\" stroke=\"#999\" stroke-width=\"0.5\"/>\n";
    out << "<text x=\"" << num(x + 28) << "\" y=\"" << num(y) << "\">" << xmlEscaped(text) << "</text>\n";
}

} // namespace

std::vector<double> axisTicks(double low, double high, int roughCount)
{
    if (!std::isfinite(low) || !std::isfinite(high)) {
        low = 0.0;
        high = 1.0;
    }
    if (high < low)
        std::swap(low, high);
    if (high - low < 1e-12 * std::max(1.0, std::fabs(high))) {
        low -= 1.0;
        high += 1.0;
    }
    const double raw = (high - low) / std::max(1, roughCount);
    const double magnitude = std::pow(10.0, std::floor(std::log10(raw)));
    const double normal = raw / magnitude;
    const double step = (normal < 1.5 ? 1.0 : normal < 3.0 ? 2.0 : normal < 7.0 ? 5.0 : 10.0) * magnitude;
    std::vector<double> ticks;
    const double first = std::floor(low / step + 1e-9);
    const double last = std::ceil(high / step - 1e-9);
    for (double i = first; i <= last + 0.5; i += 1.0)
        ticks.push_back(i * step);
    return ticks;
}

std::string xmlEscaped(const std::string& text)
{
    std::string escaped;
    for (char c : text) {
        switch (c) {
        case '&':
            escaped += "&amp;";
            break;
        case '<':
            escaped += "&lt;";
            break;
        case '>':
            escaped += "&gt;";
            break;
        case '"':
            escaped += "&quot;";
            break;
        default:
            escaped += c;
        }
    }
    return escaped;
}

void writeProfileSvg(std::ostream& out, const ProfileSeries& series, const PlotOptions& options)
{
    const std::size_t n = series.distanceEnd.size();
    const bool absolute = series.absolutePressure;
    const double elevationTop = titleHeight + 230.0 + gap;
    const double holdupTop = elevationTop + 130.0 + gap;
    const double regimeLegendTop = holdupTop + 230.0 + gap;
    const double height = regimeLegendTop + 40.0;

    out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" << num(width) << "\" height=\"" << num(height)
        << "\" viewBox=\"0 0 " << num(width) << ' ' << num(height)
        << "\" font-family=\"sans-serif\" font-size=\"12\">\n"
        << "<rect width=\"100%\" height=\"100%\" fill=\"white\"/>\n"
        << "<text x=\"" << num(width / 2) << "\" y=\"26\" text-anchor=\"middle\" font-size=\"16\">"
        << xmlEscaped(options.title) << "</text>\n";
    if (n == 0) {
        out << "<text x=\"" << num(width / 2) << "\" y=\"" << num(height / 2)
            << "\" text-anchor=\"middle\">no segment was computed</text>\n</svg>\n";
        return;
    }

    // Pressure: the traverse's absolute pressure from the inlet's, or the change from the inlet.
    double largest = 0.0, lowest = absolute ? series.inletPressure : 0.0, highest = lowest;
    for (double p : absolute ? series.pressure : series.cumulativePressure)
        if (std::isfinite(p)) {
            largest = std::max(largest, std::fabs(p));
            lowest = std::min(lowest, p);
            highest = std::max(highest, p);
        }
    double factor;
    std::string unit;
    pressureScale(largest, absolute, factor, unit);
    double elevationLow = 0.0, elevationHigh = 0.0;
    for (double e : series.elevationEnd) {
        elevationLow = std::min(elevationLow, e);
        elevationHigh = std::max(elevationHigh, e);
    }

    const Horizontal x = makeHorizontal(series, options.bySegment);
    const Panel pressure = makePanel(titleHeight, 230.0, lowest * factor, highest * factor);
    const Panel elevation = makePanel(elevationTop, 130.0, elevationLow, elevationHigh);
    const Panel holdup{
        holdupTop, 230.0, Axis{0.0, 1.0, holdupTop + 230.0, holdupTop}, {0.0, 0.2, 0.4, 0.6, 0.8, 1.0}};

    // Bands first, the frames and lines over them.
    std::map<std::string, const char*> regimeFills;
    std::vector<std::string> regimes;
    for (std::size_t i = 0; i < n; ++i)
        if (!series.refused[i] && !series.regime[i].empty() && !regimeFills.count(series.regime[i])) {
            regimeFills[series.regime[i]] =
                regimePalette[regimes.size() % (sizeof regimePalette / sizeof *regimePalette)];
            regimes.push_back(series.regime[i]);
        }
    writeBands(
        out, x, holdup, n,
        [&](std::size_t i) { return series.refused[i] ? std::string() : series.regime[i]; }, regimeFills,
        "regime");
    const std::map<std::string, const char*> refusedFills{{"refused", refusedFill}};
    for (const Panel* panel : {&pressure, &elevation, &holdup})
        writeBands(
            out, x, *panel, n, [&](std::size_t i) { return series.refused[i] ? "refused" : ""; },
            refusedFills, "refused");

    writePanel(out, x, pressure,
               absolute ? "pressure [" + unit + "]" : "pressure change from the inlet [" + unit + "]");
    writePanel(out, x, elevation, "elevation above the inlet [m]");
    writePanel(out, x, holdup, "holdup (volume fraction) [-]");

    // The pressure: solid while it covers every segment, dashed once a segment was refused.
    const std::size_t step = stride(n);
    const double inlet = absolute ? series.inletPressure : 0.0;
    std::vector<std::pair<double, double>> points{{x.axis.map(x.start[0]), pressure.y.map(inlet * factor)}},
        incomplete;
    std::vector<std::pair<double, double>> heights{{x.axis.map(x.start[0]), elevation.y.map(0.0)}};
    // After a gap the line starts again at the last pressure known, at the start of the next segment.
    double lastKnown = inlet;
    bool gap = false;
    for (std::size_t i = 0; i < n; i += step) {
        const std::size_t k = std::min(i + step - 1, n - 1);
        heights.emplace_back(x.axis.map(x.end[k]), elevation.y.map(series.elevationEnd[k]));
        const double p = absolute ? series.pressure[k] : series.cumulativePressure[k];
        auto& line = series.complete[k] ? points : incomplete;
        if (!std::isfinite(p)) {
            line.emplace_back(x.axis.map(x.end[k]), p);
            gap = true;
            continue;
        }
        if (gap)
            line.emplace_back(x.axis.map(x.start[i]), pressure.y.map(lastKnown * factor));
        line.emplace_back(x.axis.map(x.end[k]), pressure.y.map(p * factor));
        lastKnown = p;
        gap = false;
    }
    writeLine(out, points, "#222");
    writeLine(out, incomplete, "#222", "6 4");
    writeLine(out, heights, "#555");

    // Holdups are constant along a segment: steps.
    for (std::size_t p = 0; p < series.holdup.size(); ++p) {
        const char* colour = palette[p % (sizeof palette / sizeof palette[0])];
        points.clear();
        for (std::size_t i = 0; i < n; i += step) {
            const double value = series.holdup[p][i];
            const double h = std::isfinite(value) ? holdup.y.map(value) : value;
            points.emplace_back(x.axis.map(x.start[i]), h);
            points.emplace_back(x.axis.map(x.end[std::min(i + step - 1, n - 1)]), h);
        }
        writeLine(out, points, colour);
        legendEntry(out, left + plotWidth - 110, holdupTop + 18.0 + 16.0 * static_cast<double>(p), colour,
                    series.phaseLabels[p], true);
    }

    // Legends: the regimes below the holdup panel, the refused segments above the pressure panel.
    double lx = left;
    out << "<text x=\"" << num(lx) << "\" y=\"" << num(regimeLegendTop) << "\">flow regime:</text>\n";
    lx += 90.0;
    for (const std::string& regime : regimes) {
        legendEntry(out, lx, regimeLegendTop, regimeFills[regime], regime, false);
        lx += 40.0 + 7.0 * static_cast<double>(regime.size());
    }
    if (std::find(series.refused.begin(), series.refused.end(), true) != series.refused.end())
        legendEntry(out, left, titleHeight - 14, refusedFill,
                    "refused segment (no result); the dashed pressure line leaves such segments out", false);
    out << "</svg>\n";
}

} // namespace ondivar::flow
