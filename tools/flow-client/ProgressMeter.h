// Progress of a long run on standard error, by the share of the profile read. On a terminal: one line
// rewritten in place from 0 %, with rows per second and the time left, at most ten times a second.
// Otherwise (a file, a pipe): a line at most every 5 seconds. A run is long when its profile is larger
// than longProfileBytes or when it has taken 2 seconds; shorter runs show nothing.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <ostream>

namespace ondivar::flow {

class ProgressMeter {
public:
    using Clock = std::function<double()>; // seconds from any fixed start
    static constexpr std::uint64_t longProfileBytes = 256 * 1024;

    ProgressMeter(std::ostream& out, std::uint64_t totalBytes, bool terminal, Clock clock = steadySeconds);
    void update(std::size_t rows, std::uint64_t bytesRead);
    // The closing line, when progress was shown at all.
    void finish(std::size_t rows);

    static double steadySeconds();

private:
    void show(std::size_t rows, double fraction, double now, bool last);

    std::ostream& m_out;
    std::uint64_t m_totalBytes;
    bool m_terminal;
    Clock m_clock;
    double m_start;
    double m_shownAt = -1.0; // when the last line was shown; negative: nothing shown yet
    std::size_t m_lineLength = 0;
};

} // namespace ondivar::flow
