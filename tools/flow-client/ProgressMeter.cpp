#include "tools/flow-client/ProgressMeter.h"

#include <chrono>
#include <cmath>
#include <cstdio>
#include <string>

namespace ondivar::flow {
namespace {

constexpr double slowRunSeconds = 2.0;
constexpr double terminalInterval = 0.1;
constexpr double logInterval = 5.0;

std::string durationText(double seconds)
{
    char text[32];
    if (seconds < 60.0)
        std::snprintf(text, sizeof text, "%.0f s", seconds);
    else if (seconds < 3600.0)
        std::snprintf(text, sizeof text, "%.0f min %02.0f s", std::floor(seconds / 60.0),
                      std::fmod(seconds, 60.0));
    else
        std::snprintf(text, sizeof text, "%.0f h %02.0f min", std::floor(seconds / 3600.0),
                      std::floor(std::fmod(seconds, 3600.0) / 60.0));
    return text;
}

} // namespace

double ProgressMeter::steadySeconds()
{
    using namespace std::chrono;
    return duration_cast<duration<double>>(steady_clock::now().time_since_epoch()).count();
}

ProgressMeter::ProgressMeter(std::ostream& out, std::uint64_t totalBytes, bool terminal, Clock clock)
    : m_out(out), m_totalBytes(totalBytes), m_terminal(terminal), m_clock(std::move(clock)),
      m_start(m_clock())
{
}

void ProgressMeter::update(std::size_t rows, std::uint64_t bytesRead)
{
    if (m_totalBytes == 0)
        return;
    const double now = m_clock();
    const bool longRun = m_totalBytes > longProfileBytes || now - m_start >= slowRunSeconds;
    if (!longRun)
        return;
    const bool shown = m_shownAt >= 0.0;
    if (m_terminal ? shown && now - m_shownAt < terminalInterval
                   : (shown ? now - m_shownAt < logInterval : now - m_start < logInterval))
        return;
    const double fraction = bytesRead >= m_totalBytes ? 1.0 : static_cast<double>(bytesRead) / m_totalBytes;
    show(rows, fraction, now, false);
}

void ProgressMeter::finish(std::size_t rows)
{
    if (m_shownAt >= 0.0)
        show(rows, 1.0, m_clock(), true);
}

void ProgressMeter::show(std::size_t rows, double fraction, double now, bool last)
{
    const double elapsed = now - m_start;
    char text[160];
    int length = std::snprintf(text, sizeof text, "ondivar-flow: %3d%% of the profile, %zu rows",
                               static_cast<int>(fraction * 100.0), rows);
    if (elapsed > 0.0 && rows > 0) {
        const std::string left = last ? "done in " + durationText(elapsed)
                                 : fraction > 0.0
                                     ? durationText(elapsed * (1.0 - fraction) / fraction) + " left"
                                     : std::string("time left unknown");
        length += std::snprintf(text + length, sizeof text - static_cast<std::size_t>(length),
                                ", %.0f rows/s, %s", rows / elapsed, left.c_str());
    }
    std::string line(text);
    if (m_terminal) {
        // Rewrite the line in place; blanks cover the rest of a longer previous line.
        const std::size_t previous = m_lineLength;
        m_lineLength = line.size();
        if (line.size() < previous)
            line.append(previous - line.size(), ' ');
        m_out << '\r' << line << (last ? "\n" : "") << std::flush;
    } else {
        m_out << line << std::endl;
    }
    m_shownAt = now;
}

} // namespace ondivar::flow
