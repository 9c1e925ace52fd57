#include "tools/flow-client/FlowCalculator.h"

#include <cstdio>

namespace ondivar::flow {
namespace {

std::string hexHResult(std::uint32_t hr)
{
    char text[16];
    std::snprintf(text, sizeof text, "0x%08lX", static_cast<unsigned long>(hr));
    return text;
}

// The component's descriptions end with a line break and may hold several lines: one line here.
std::string oneLine(const std::string& text)
{
    std::string line;
    for (char c : text)
        line += (c == '\n' || c == '\r' || c == '\t') ? ' ' : c;
    while (!line.empty() && line.back() == ' ')
        line.pop_back();
    return line;
}

std::string number(double value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.10g", value == 0.0 ? 0.0 : value);
    return text;
}

std::string boundariesText(const CalculationFailure::Details& d)
{
    if (!d.boundaries)
        return std::string();
    return "lower " + number(d.boundaries->lower) + ", upper " + number(d.boundaries->upper) + ", value " +
           number(d.boundaries->value);
}

std::string summary(const CalculationFailure::Details& d)
{
    std::string text = d.call + " failed: " + oneLine(d.description);
    if (d.boundaries)
        text += " (" + boundariesText(d) + ")";
    if (!d.interfaceName.empty() || !d.operation.empty())
        text += " [ECapeUser " + d.interfaceName + "::" + d.operation + "]";
    return text + " (" + (d.errorName.empty() ? "" : d.errorName + ", ") + "HRESULT " +
           hexHResult(d.hresult) + ")";
}

} // namespace

CalculationFailure::CalculationFailure(Details details)
    : std::runtime_error(summary(details)), m_details(std::move(details))
{
}

std::string CalculationFailure::report() const
{
    std::string text = m_details.call + " failed\n";
    if (!m_details.errorName.empty())
        text +=
            "  CAPE-OPEN error:     " + m_details.errorName + " (" + hexHResult(m_details.hresult) + ")\n";
    if (!m_details.interfaceName.empty() || !m_details.operation.empty()) {
        text += "  ECapeUser interface: " + m_details.interfaceName + "\n";
        text += "  operation:           " + m_details.operation + "\n";
    }
    text += "  description:         " + oneLine(m_details.description) + "\n";
    if (m_details.boundaries)
        text += "  boundaries:          " + boundariesText(m_details) + "\n";
    text += "  HRESULT:             " + hexHResult(m_details.hresult) + "\n";
    return text;
}

std::string CalculationFailure::reason() const
{
    std::string text = m_details.errorName.empty() ? hexHResult(m_details.hresult) : m_details.errorName;
    text += ": " + oneLine(m_details.description);
    if (m_details.boundaries)
        text += " (" + boundariesText(m_details) + ")";
    return text;
}

} // namespace ondivar::flow
