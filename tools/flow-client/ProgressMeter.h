// Progress of a long batch run on standard error: quiet for the first few thousand rows, then a line
// each time another 5 % of the file has been read.
#pragma once

#include <cstddef>
#include <cstdint>
#include <ostream>

namespace ondivar::flow {

class ProgressMeter {
public:
    ProgressMeter(std::ostream& out, std::uint64_t totalBytes, std::size_t quietRows = 2000);
    void update(std::size_t rows, std::uint64_t bytesRead);
    // The closing line, when progress was shown at all.
    void finish(std::size_t rows);

private:
    std::ostream& m_out;
    std::uint64_t m_totalBytes;
    std::size_t m_quietRows;
    int m_shownPercent = -1;
};

} // namespace ondivar::flow
