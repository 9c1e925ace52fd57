#include "tools/flow-client/ProgressMeter.h"

namespace ondivar::flow {

ProgressMeter::ProgressMeter(std::ostream& out, std::uint64_t totalBytes, std::size_t quietRows)
    : m_out(out), m_totalBytes(totalBytes), m_quietRows(quietRows)
{
}

void ProgressMeter::update(std::size_t rows, std::uint64_t bytesRead)
{
    if (rows <= m_quietRows || m_totalBytes == 0)
        return;
    const int percent = static_cast<int>(bytesRead >= m_totalBytes ? 100 : bytesRead * 100 / m_totalBytes);
    if (m_shownPercent >= 0 && percent < m_shownPercent + 5)
        return;
    if (percent >= 100)
        return; // finish() says it
    m_shownPercent = percent;
    m_out << "ondivar-flow: " << percent << "% of the profile, " << rows << " rows" << std::endl;
}

void ProgressMeter::finish(std::size_t rows)
{
    if (m_shownPercent >= 0)
        m_out << "ondivar-flow: 100% of the profile, " << rows << " rows" << std::endl;
}

} // namespace ondivar::flow
