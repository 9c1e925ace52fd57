#include "tools/flow-client/SvgPlot.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace ondivar::flow {
namespace {

constexpr double width = 900.0;
constexpr double left = 90.0;
constexpr double right = 30.0;
constexpr double plotWidth = width - left - right;
constexpr double panelHeight = 230.0;
constexpr double pressureTop = 60.0;
constexpr double holdupTop = pressureTop + panelHeight + 70.0;
constexpr double height = holdupTop + panelHeight + 70.0;
// Longer series are thinned to about this many points per line.
constexpr std::size_t maxPoints = 2000;

const char* const palette[] = {"#d62728", "#5b3a1a", "#1f77b4", "#2ca02c", "#9467bd", "#ff7f0e"};

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

// One panel: frame, grid, tick labels and axis titles.
void writePanel(std::ostream& out, const Axis& x, const std::vector<double>& xTicks, const Axis& y,
                const std::vector<double>& yTicks, double top, const std::string& yTitle)
{
    out << "<rect x=\"" << num(left) << "\" y=\"" << num(top) << "\" width=\"" << num(plotWidth)
        << "\" height=\"" << num(panelHeight) << "\" fill=\"none\" stroke=\"#444\"/>\n";
    for (double t : xTicks) {
        const double px = x.map(t);
        out << "<line x1=\"" << num(px) << "\" y1=\"" << num(top) << "\" x2=\"" << num(px) << "\" y2=\""
            << num(top + panelHeight) << "\" stroke=\"#ddd\"/>\n"
            << "<text x=\"" << num(px) << "\" y=\"" << num(top + panelHeight + 16)
            << "\" text-anchor=\"middle\">" << tickLabel(t) << "</text>\n";
    }
    for (double t : yTicks) {
        const double py = y.map(t);
        out << "<line x1=\"" << num(left) << "\" y1=\"" << num(py) << "\" x2=\"" << num(left + plotWidth)
            << "\" y2=\"" << num(py) << "\" stroke=\"#ddd\"/>\n"
            << "<text x=\"" << num(left - 6) << "\" y=\"" << num(py + 4) << "\" text-anchor=\"end\">"
            << tickLabel(t) << "</text>\n";
    }
    out << "<text x=\"" << num(left + plotWidth / 2) << "\" y=\"" << num(top + panelHeight + 36)
        << "\" text-anchor=\"middle\">distance along the line [m]</text>\n"
        << "<text transform=\"translate(" << num(22) << ' ' << num(top + panelHeight / 2)
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

// Marked bands over the refused segments, merged where they touch, in both panels.
void writeRefusedBands(std::ostream& out, const Axis& x, const ProfileSeries& series)
{
    bool any = false;
    for (std::size_t i = 0; i < series.refused.size(); ++i) {
        if (!series.refused[i])
            continue;
        std::size_t last = i;
        while (last + 1 < series.refused.size() && series.refused[last + 1])
            ++last;
        const double x0 = x.map(series.distanceStart[i]);
        const double w = std::max(1.0, x.map(series.distanceEnd[last]) - x0);
        for (double top : {pressureTop, holdupTop})
            out << "<rect class=\"refused\" x=\"" << num(x0) << "\" y=\"" << num(top) << "\" width=\""
                << num(w) << "\" height=\"" << num(panelHeight)
                << "\" fill=\"#f4b6b0\" fill-opacity=\"0.6\"/>\n";
        any = true;
        i = last;
    }
    if (any)
        out << "<rect x=\"" << num(left) << "\" y=\"" << num(pressureTop - 22)
            << "\" width=\"14\" height=\"10\" "
            << "fill=\"#f4b6b0\"/>\n<text x=\"" << num(left + 20) << "\" y=\"" << num(pressureTop - 13)
            << "\">refused segment (no result); the dashed pressure line leaves such segments out</text>\n";
}

std::size_t stride(std::size_t n)
{
    return n <= maxPoints ? 1 : (n + maxPoints - 1) / maxPoints;
}

// The pressure unit that keeps the tick labels short.
void pressureScale(double largest, double& factor, std::string& unit)
{
    if (largest >= 1e6) {
        factor = 1e-6;
        unit = "MPa";
    } else if (largest >= 1e3) {
        factor = 1e-3;
        unit = "kPa";
    } else {
        factor = 1.0;
        unit = "Pa";
    }
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

void writeProfileSvg(std::ostream& out, const ProfileSeries& series, const std::string& title)
{
    out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" << num(width) << "\" height=\"" << num(height)
        << "\" viewBox=\"0 0 " << num(width) << ' ' << num(height)
        << "\" font-family=\"sans-serif\" font-size=\"12\">\n"
        << "<rect width=\"100%\" height=\"100%\" fill=\"white\"/>\n"
        << "<text x=\"" << num(width / 2) << "\" y=\"28\" text-anchor=\"middle\" font-size=\"16\">"
        << xmlEscaped(title) << "</text>\n";
    const std::size_t n = series.distanceEnd.size();
    if (n == 0) {
        out << "<text x=\"" << num(width / 2) << "\" y=\"" << num(height / 2)
            << "\" text-anchor=\"middle\">no segment was computed</text>\n</svg>\n";
        return;
    }

    double largest = 0.0, lowest = 0.0, highest = 0.0;
    for (double p : series.cumulativePressure)
        if (std::isfinite(p)) {
            largest = std::max(largest, std::fabs(p));
            lowest = std::min(lowest, p);
            highest = std::max(highest, p);
        }
    double factor;
    std::string unit;
    pressureScale(largest, factor, unit);

    const std::vector<double> xTicks = axisTicks(0.0, series.distanceEnd.back(), 8);
    const Axis x{xTicks.front(), xTicks.back(), left, left + plotWidth};
    const std::vector<double> pTicks = axisTicks(lowest * factor, highest * factor, 5);
    const Axis pAxis{pTicks.front(), pTicks.back(), pressureTop + panelHeight, pressureTop};
    const std::vector<double> hTicks{0.0, 0.2, 0.4, 0.6, 0.8, 1.0};
    const Axis hAxis{0.0, 1.0, holdupTop + panelHeight, holdupTop};

    writeRefusedBands(out, x, series);
    writePanel(out, x, xTicks, pAxis, pTicks, pressureTop, "pressure change from the inlet [" + unit + "]");
    writePanel(out, x, xTicks, hAxis, hTicks, holdupTop, "holdup (volume fraction) [-]");

    // The pressure change: solid while it covers every segment, dashed once a segment was refused.
    // After a gap the line starts again at the sum so far, at the start of the next computed segment.
    const std::size_t step = stride(n);
    std::vector<std::pair<double, double>> points{{x.map(0.0), pAxis.map(0.0)}}, incomplete;
    double sumSoFar = 0.0;
    bool gap = false;
    for (std::size_t i = 0; i < n; i += step) {
        const std::size_t k = std::min(i + step - 1, n - 1);
        const double pressure = series.cumulativePressure[k];
        auto& line = series.complete[k] ? points : incomplete;
        if (!std::isfinite(pressure)) {
            line.emplace_back(x.map(series.distanceEnd[k]), pressure);
            gap = true;
            continue;
        }
        if (gap)
            line.emplace_back(x.map(series.distanceStart[i]), pAxis.map(sumSoFar * factor));
        line.emplace_back(x.map(series.distanceEnd[k]), pAxis.map(pressure * factor));
        sumSoFar = pressure;
        gap = false;
    }
    writeLine(out, points, "#222");
    writeLine(out, incomplete, "#222", "6 4");

    // Holdups are constant along a segment: steps.
    for (std::size_t p = 0; p < series.holdup.size(); ++p) {
        const char* colour = palette[p % (sizeof palette / sizeof palette[0])];
        points.clear();
        for (std::size_t i = 0; i < n; i += step) {
            const double holdup = series.holdup[p][i];
            const double h = std::isfinite(holdup) ? hAxis.map(holdup) : holdup;
            points.emplace_back(x.map(series.distanceStart[i]), h);
            points.emplace_back(x.map(series.distanceEnd[std::min(i + step - 1, n - 1)]), h);
        }
        writeLine(out, points, colour);
        const double ly = holdupTop + 16.0 + 16.0 * static_cast<double>(p);
        out << "<line x1=\"" << num(left + plotWidth - 110) << "\" y1=\"" << num(ly - 4) << "\" x2=\""
            << num(left + plotWidth - 86) << "\" y2=\"" << num(ly - 4) << "\" stroke=\"" << colour
            << "\" stroke-width=\"2\"/>\n<text x=\"" << num(left + plotWidth - 80) << "\" y=\"" << num(ly)
            << "\">" << xmlEscaped(series.phaseLabels[p]) << "</text>\n";
    }
    out << "</svg>\n";
}

} // namespace ondivar::flow
