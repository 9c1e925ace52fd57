#include "tools/flow-client/ProfileReader.h"

#include "tools/flow-client/CsvFields.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace ondivar::flow {
namespace {

const Quantity phaseQuantities[] = {
    Quantity::SuperficialVelocity, Quantity::Density,   Quantity::Viscosity,      Quantity::HeatCapacity,
    Quantity::Conductivity,        Quantity::MolarMass, Quantity::Compressibility};
const Quantity pipeQuantities[] = {Quantity::Diameter, Quantity::Inclination, Quantity::Roughness,
                                   Quantity::Temperature};

// "length [m]" → "length" after checking the unit; a name without brackets is returned as it is.
std::string withoutUnit(const std::string& title, std::string& unit)
{
    unit.clear();
    const std::size_t open = title.find('[');
    if (open == std::string::npos || title.back() != ']')
        return title;
    unit = title.substr(open + 1, title.size() - open - 2);
    std::string name = title.substr(0, open);
    while (!name.empty() && name.back() == ' ')
        name.pop_back();
    return name;
}

std::string optionFor(Quantity q, const std::string& label)
{
    const std::string name(info(q).name);
    if (q == Quantity::Inclination)
        return "--inclination or --angle";
    return label.empty() ? "--" + name : "--" + name + " " + label + "=VALUE";
}

} // namespace

ProfileFormatError::ProfileFormatError(std::size_t line, const std::string& reason)
    : std::runtime_error(line == 0 ? reason : "line " + std::to_string(line) + ": " + reason), m_line(line)
{
}

ProfileReader::ProfileReader(std::istream& in, const CaseSettings& settings, ProfileKind kind)
    : m_in(in), m_settings(settings), m_kind(kind)
{
}

bool ProfileReader::nextContentLine(std::string& line)
{
    while (std::getline(m_in, line)) {
        ++m_line;
        m_bytes += line.size() + 1;
        if (m_line == 1 && line.rfind("\xEF\xBB\xBF", 0) == 0)
            line.erase(0, 3); // a UTF-8 byte order mark
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        const std::size_t first = line.find_first_not_of(" \t");
        if (first != std::string::npos && line[first] != '#')
            return true;
    }
    return false;
}

void ProfileReader::readHeader()
{
    std::string line;
    std::vector<std::string> fields;
    auto readFields = [&](const char* missing) {
        if (!nextContentLine(line))
            throw ProfileFormatError(m_line, missing);
        try {
            fields = splitCsvLine(line, m_separator);
        } catch (const std::invalid_argument& e) {
            throw ProfileFormatError(m_line, e.what());
        }
    };
    if (!nextContentLine(line))
        throw ProfileFormatError(0, m_line == 0 ? "the profile is empty"
                                                : "the profile holds only comments and blank lines: no "
                                                  "phases line, no header, no rows");
    chooseSeparator(line);
    try {
        fields = splitCsvLine(line, m_separator);
    } catch (const std::invalid_argument& e) {
        throw ProfileFormatError(m_line, e.what());
    }
    const bool phasesLine = fields.front() == "phases";
    if (phasesLine && !m_settings.phases.empty())
        throw ProfileFormatError(m_line, "the phases are declared both here and by --phase options");
    if (!phasesLine && m_settings.phases.empty())
        throw ProfileFormatError(m_line, "no phases declared: start the profile with a line such as "
                                         "'phases,gas:Vapor,oil:Liquid:Organic' or give --phase options");
    if (phasesLine)
        declarePhases(fields);
    else
        m_phases = m_settings.phases;
    try {
        checkDistinctKinds(m_phases);
        checkPhaseLabels(m_settings, m_phases);
    } catch (const UsageError& e) {
        throw ProfileFormatError(m_line, e.what());
    }
    if (phasesLine)
        readFields("the profile has no header line after its phases line");
    readColumns(fields);
    checkCoverage();
}

void ProfileReader::chooseSeparator(const std::string& firstLine)
{
    // A spreadsheet set to a decimal comma writes its CSV with semicolons; its first line (the phases
    // line or the header) then holds semicolons and no comma.
    const bool semicolons = firstLine.find(';') != std::string::npos;
    const bool commas = firstLine.find(',') != std::string::npos;
    if (semicolons && !commas)
        m_separator = ';';
    else if (semicolons && splitCsvLine(firstLine).size() <= 2)
        throw ProfileFormatError(m_line,
                                 "the line is separated by semicolons but also holds a comma: separate "
                                 "the fields by commas, or by semicolons with no comma in the "
                                 "phases line and header");
}

void ProfileReader::declarePhases(const std::vector<std::string>& fields)
{
    if (fields.size() < 2)
        throw ProfileFormatError(m_line, "the phases line declares no phase");
    for (std::size_t i = 1; i < fields.size(); ++i) {
        PhaseDeclaration phase;
        try {
            phase = parsePhaseDeclaration(fields[i]);
        } catch (const UsageError& e) {
            throw ProfileFormatError(m_line, e.what());
        }
        for (const PhaseDeclaration& earlier : m_phases)
            if (earlier.label == phase.label)
                throw ProfileFormatError(m_line, "the phase '" + phase.label + "' is declared twice");
        m_phases.push_back(std::move(phase));
    }
}

ProfileReader::Column ProfileReader::column(const std::string& title) const
{
    std::string unit;
    const std::string name = withoutUnit(title, unit);
    Column c;
    c.title = title;
    std::optional<Quantity> q;
    const std::size_t dot = name.find('.');
    if (name == "name" && unit.empty()) {
        return c;
    } else if (dot == std::string::npos) {
        q = quantityNamed(name, false);
        c.kind = Column::Kind::Pipe;
    } else {
        const std::string label = name.substr(0, dot);
        const auto phase = std::find_if(m_phases.begin(), m_phases.end(),
                                        [&](const PhaseDeclaration& p) { return p.label == label; });
        if (phase == m_phases.end())
            throw ProfileFormatError(m_line, "column '" + title + "': no phase '" + label + "' is declared");
        q = quantityNamed(name.substr(dot + 1), true);
        c.kind = Column::Kind::Phase;
        c.phase = static_cast<std::size_t>(phase - m_phases.begin());
    }
    if (!q)
        throw ProfileFormatError(m_line, "unknown column '" + title + "'");
    const Dimension dimension = info(*q).dimension;
    const std::optional<Unit> known = unit.empty() ? siUnit(dimension) : unitNamed(dimension, unit);
    if (!known)
        throw ProfileFormatError(m_line, "column '" + title + "': unknown unit '" + unit +
                                             "' (accepted: " + acceptedUnits(dimension) + ")");
    c.unit = *known;
    c.quantity = *q;
    return c;
}

void ProfileReader::readColumns(const std::vector<std::string>& fields)
{
    for (const std::string& title : fields) {
        Column c = column(title);
        for (const Column& earlier : m_columns) {
            const bool same =
                earlier.kind == c.kind && earlier.phase == c.phase &&
                (earlier.quantity == c.quantity ||
                 (c.kind == Column::Kind::Pipe &&
                  (earlier.quantity == Quantity::Angle || earlier.quantity == Quantity::Inclination) &&
                  (c.quantity == Quantity::Angle || c.quantity == Quantity::Inclination)));
            if (same)
                throw ProfileFormatError(m_line, "columns '" + earlier.title + "' and '" + title +
                                                     "' give the same value");
        }
        m_columns.push_back(std::move(c));
    }
}

void ProfileReader::checkCoverage()
{
    auto covered = [&](Column::Kind kind, Quantity q, std::size_t phase) {
        return std::any_of(m_columns.begin(), m_columns.end(), [&](const Column& c) {
            const bool inclination = q == Quantity::Inclination && c.quantity == Quantity::Angle;
            return c.kind == kind && c.phase == phase && (c.quantity == q || inclination);
        });
    };
    const bool traverse = m_kind == ProfileKind::Traverse;
    if (!covered(Column::Kind::Pipe, Quantity::Length, 0))
        throw ProfileFormatError(m_line, "the header has no column 'length'");
    for (Quantity q : pipeQuantities) {
        if (q == Quantity::Temperature && !traverse)
            continue;
        const bool column = covered(Column::Kind::Pipe, q, 0);
        const bool option = m_settings.pipe.count(q) != 0;
        const std::string name =
            q == Quantity::Inclination ? "inclination' or 'angle" : std::string(info(q).name);
        if (column && option)
            throw ProfileFormatError(m_line,
                                     "'" + name + "' comes both from a column and from " + optionFor(q, ""));
        if (!column && !option && q == Quantity::Roughness) {
            m_pipeDefaults[q] = builtInPipe().roughness;
            m_defaultsNote += std::string(m_defaultsNote.empty() ? "" : ", ") + "roughness 4.5e-05 m";
        } else if (!column && !option) {
            throw ProfileFormatError(m_line, "no column '" + name + "' and no " + optionFor(q, ""));
        }
    }
    m_phaseDefaults.assign(m_phases.size(), {});
    for (std::size_t p = 0; p < m_phases.size(); ++p) {
        const std::string& label = m_phases[p].label;
        const bool gas = m_phases[p].state == "Vapor";
        const auto values = m_settings.phaseValues.find(label);
        PhaseProperties typical = typicalProperties(m_phases[p]);
        for (Quantity q : phaseQuantities) {
            const bool column = covered(Column::Kind::Phase, q, p);
            const bool option = values != m_settings.phaseValues.end() && values->second.count(q) != 0;
            const std::string name = label + "." + std::string(info(q).name);
            if (column && option)
                throw ProfileFormatError(m_line, "'" + name + "' comes both from a column and from " +
                                                     optionFor(q, label));
            // What a traverse computes, it takes from no column and no option.
            const bool computed =
                traverse && (q == Quantity::SuperficialVelocity || (gas && q == Quantity::Density));
            if (computed && (column || option))
                throw ProfileFormatError(m_line, "'" + name + "' is computed by the traverse from the " +
                                                     (gas ? "pressure and the rates" : "rates") +
                                                     ": remove the " + (column ? "column" : "option"));
            const bool gasOnly = q == Quantity::MolarMass || q == Quantity::Compressibility;
            if (computed || column || option || (gasOnly && !(traverse && gas)))
                continue;
            if (q == Quantity::SuperficialVelocity || q == Quantity::MolarMass)
                throw ProfileFormatError(m_line, "no column '" + name + "' and no " + optionFor(q, label));
            const double value = q == Quantity::Compressibility ? 1.0 : field(typical, q);
            m_phaseDefaults[p][q] = value;
            char text[64];
            std::snprintf(text, sizeof text, " %g", value);
            m_defaultsNote += (m_defaultsNote.empty() ? "" : ", ") + name + text + " " +
                              std::string(siUnit(info(q).dimension).name);
        }
    }
}

ProfileReader::Status ProfileReader::next(ProfileRow& row, RowError& error)
{
    std::string line;
    if (!nextContentLine(line))
        return Status::End;
    error.line = m_line;
    std::vector<std::string> fields;
    try {
        fields = splitCsvLine(line, m_separator);
    } catch (const std::invalid_argument& e) {
        error.reason = e.what();
        return Status::BadRow;
    }
    row.line = m_line;
    row.name.clear();
    row.length = std::nan("");
    error.reason = parseRow(fields, row);
    return error.reason.empty() ? Status::Row : Status::BadRow;
}

std::string ProfileReader::parseRow(const std::vector<std::string>& fields, ProfileRow& row) const
{
    if (fields.size() != m_columns.size())
        return std::to_string(fields.size()) + " fields where the header has " +
               std::to_string(m_columns.size());

    // Defaults first, then the values the command line gives for every row, then the columns: the name
    // and the length before the others, so that a row refused for another column still has its place.
    row.name.clear();
    row.length = std::nan("");
    row.temperature = std::nan("");
    row.inputs.pipe = PipeGeometry();
    row.inputs.properties.assign(m_phases.size(), PhaseProperties());
    row.molarMass.assign(m_phases.size(), std::nan(""));
    row.compressibility.assign(m_phases.size(), 1.0);
    for (const auto& [q, value] : m_pipeDefaults)
        setValue(row, q, 0, value);
    for (const auto& [q, value] : m_settings.pipe)
        setValue(row, q, 0, value);
    for (std::size_t p = 0; p < m_phases.size(); ++p) {
        for (const auto& [q, value] : m_phaseDefaults[p])
            setValue(row, q, p, value);
        const auto values = m_settings.phaseValues.find(m_phases[p].label);
        if (values != m_settings.phaseValues.end())
            for (const auto& [q, value] : values->second)
                setValue(row, q, p, value);
    }

    std::vector<std::size_t> order;
    for (std::size_t i = 0; i < m_columns.size(); ++i)
        if (m_columns[i].kind == Column::Kind::Name || m_columns[i].quantity == Quantity::Length)
            order.push_back(i);
    for (std::size_t i = 0; i < m_columns.size(); ++i)
        if (!(m_columns[i].kind == Column::Kind::Name || m_columns[i].quantity == Quantity::Length))
            order.push_back(i);
    for (std::size_t i : order) {
        const Column& c = m_columns[i];
        if (c.kind == Column::Kind::Name) {
            row.name = fields[i];
            continue;
        }
        if (fields[i].empty())
            return "column '" + c.title + "' is empty";
        std::string problem;
        std::string text = fields[i];
        if (m_separator == ';')
            std::replace(text.begin(), text.end(), ',', '.'); // a decimal comma
        std::optional<double> value = parseNumber(text, &problem);
        if (!value)
            return "column '" + c.title + "': " + problem;
        value = toSi(c.unit, *value);
        problem = checkValue(c.quantity, *value);
        if (!problem.empty())
            return "column '" + c.title + "': " + problem;
        if (c.quantity == Quantity::Length)
            row.length = *value;
        else
            setValue(row, c.quantity, c.phase, *value);
    }
    return std::string();
}

void ProfileReader::setValue(ProfileRow& row, Quantity q, std::size_t phase, double value)
{
    PipeGeometry& pipe = row.inputs.pipe;
    switch (q) {
    case Quantity::Diameter:
        pipe.diameter = value;
        break;
    case Quantity::Inclination:
        pipe.inclination = value;
        break;
    case Quantity::Angle:
        pipe.inclination = inclinationOfAngle(value);
        break;
    case Quantity::Roughness:
        pipe.roughness = value;
        break;
    case Quantity::Temperature:
        row.temperature = value;
        break;
    case Quantity::MolarMass:
        row.molarMass[phase] = value;
        break;
    case Quantity::Compressibility:
        row.compressibility[phase] = value;
        break;
    case Quantity::SuperficialVelocity:
    case Quantity::Density:
    case Quantity::Viscosity:
    case Quantity::HeatCapacity:
    case Quantity::Conductivity:
        field(row.inputs.properties[phase], q) = value;
        break;
    default:
        break; // the length, the inlet pressure and the rates are no row values
    }
}

} // namespace ondivar::flow
