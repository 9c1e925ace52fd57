#include "tools/flow-client/ResultsCsvWriter.h"

#include "tools/flow-client/CsvFields.h"

#include <cmath>
#include <cstdio>

namespace ondivar::flow {

std::string formatNumber(double value)
{
    if (std::isnan(value))
        return "nan";
    if (std::isinf(value))
        return value > 0 ? "inf" : "-inf";
    char text[32];
    std::snprintf(text, sizeof text, "%.10g", value);
    return std::string(text) == "-0" ? "0" : text;
}

ResultsCsvWriter::ResultsCsvWriter(std::ostream& out, const std::vector<PhaseDeclaration>& phases,
                                   bool traverse)
    : m_out(out), m_traverse(traverse)
{
    for (const PhaseDeclaration& phase : phases)
        m_labels.push_back(phase.label);
}

void ResultsCsvWriter::writeHeader()
{
    m_out << "line,name,status,length[m],distance[m],diameter[m],inclination[-],regime,qualifier,"
             "dpdz_total[Pa/m],dpdz_frictional[Pa/m],dpdz_gravity[Pa/m],dp_segment[Pa],dp_cumulative[Pa],"
             "dp_cumulative_complete";
    for (const std::string& label : m_labels)
        m_out << ',' << label << ".holdup[-]," << label << ".us[m/s]," << label << ".velocity[m/s]";
    if (m_traverse) {
        m_out << ",temperature[K],pressure_in[Pa],pressure_out[Pa],pressure_out[bar],iterations";
        for (const std::string& label : m_labels)
            m_out << ',' << label << ".density[kg/m3]";
    }
    m_out << '\n';
}

void ResultsCsvWriter::write(const ProfileRow& row, const FlowResult& result, const SegmentTotals& totals,
                             const SegmentMarch* march)
{
    m_out << row.line << ',' << csvField(row.name) << ",ok," << formatNumber(row.length) << ','
          << formatNumber(totals.distanceEnd) << ',' << formatNumber(row.inputs.pipe.diameter) << ','
          << formatNumber(row.inputs.pipe.inclination) << ',' << csvField(result.regime) << ','
          << csvField(result.qualifier) << ',' << formatNumber(result.dpdzTotal) << ','
          << formatNumber(result.dpdzFriction) << ',' << formatNumber(result.dpdzGravity) << ','
          << formatNumber(totals.pressureChange) << ',' << formatNumber(totals.cumulativePressure) << ','
          << (totals.complete ? "yes" : "no");
    for (std::size_t p = 0; p < m_labels.size(); ++p) {
        const PhaseResult empty;
        const PhaseResult& r = p < result.phases.size() ? result.phases[p] : empty;
        m_out << ',' << formatNumber(r.volumeFraction) << ',' << formatNumber(r.superficialVelocity) << ','
              << formatNumber(r.absoluteVelocity);
    }
    if (m_traverse && march) {
        m_out << ',' << formatNumber(row.temperature) << ',' << formatNumber(march->pressureIn) << ','
              << formatNumber(march->pressureOut) << ',' << formatNumber(march->pressureOut / 1e5) << ','
              << march->iterations;
        for (const PhaseProperties& p : march->inputs.properties)
            m_out << ',' << formatNumber(p.density);
    } else if (m_traverse) {
        m_out << std::string(5 + m_labels.size(), ',');
    }
    m_out << '\n';
}

void ResultsCsvWriter::writeUnresolved(const ProfileRow& row, const SegmentTotals& totals, bool inputsKnown,
                                       const std::string& status)
{
    auto known = [](double value) { return std::isfinite(value) ? formatNumber(value) : std::string(); };
    m_out << row.line << ',' << csvField(row.name) << ',' << csvField(status) << ',' << known(row.length)
          << ',' << known(totals.distanceEnd) << ',';
    if (inputsKnown)
        m_out << formatNumber(row.inputs.pipe.diameter) << ',' << formatNumber(row.inputs.pipe.inclination);
    else
        m_out << ',';
    m_out << ",,,,,,,,no" << std::string(3 * m_labels.size() + (m_traverse ? 5 + m_labels.size() : 0), ',')
          << '\n';
}

} // namespace ondivar::flow
