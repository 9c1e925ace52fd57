// Reads a pipeline profile: comma-separated text, one pipe segment per row, read one row at a time so
// that files of any length stream through.
//
//   # comments and blank lines are skipped anywhere
//   phases,gas:Vapor,oil:Liquid:Organic          (optional when the phases come from --phase options)
//   name,length,diameter,angle,roughness,gas.us,gas.density,...   (the header)
//   riser-1,120,0.15,90,4.5e-5,2.1,60,...        (the rows, inlet first)
//
// Header columns, in any order: "length" (m), "diameter" (m), "inclination" (sine) or "angle" (degrees),
// "roughness" (m), per phase "LABEL.us", "LABEL.density", "LABEL.viscosity", "LABEL.cp", "LABEL.k" (the
// component's names "superficialVelocity", "heatCapacityCp", "ThermalConductivity" work too), and an
// optional "name" carried to the results. A name may carry its unit in brackets ("length [m]"), which must
// then be the unit the client uses. A column other than length and name may be left out when the command
// line gives its value for every row (--diameter 0.1, --density oil=800, ...).
#pragma once

#include "tools/flow-client/CaseSettings.h"
#include "tools/flow-client/FlowCase.h"

#include <cstddef>
#include <cstdint>
#include <istream>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

namespace ondivar::flow {

// A fault of the file as a whole (phases line, header): nothing can be read.
class ProfileFormatError : public std::runtime_error {
public:
    ProfileFormatError(std::size_t line, const std::string& reason);
    std::size_t line() const noexcept { return m_line; }

private:
    std::size_t m_line;
};

struct ProfileRow {
    std::size_t line = 0; // 1-based line number in the file
    std::string name;
    double length = 0.0; // m; NaN in a bad row whose length could not be read
    FlowInputs inputs;
    // A traverse's: the segment's temperature (K; NaN when none is given), and per phase the molar mass
    // (kg/mol; NaN when none is given) and the compressibility factor (1 unless given).
    double temperature = 0.0;
    std::vector<double> molarMass;
    std::vector<double> compressibility;
};

struct RowError {
    std::size_t line = 0;
    std::string reason;
};

// A batch profile gives every phase's superficial velocity and density; a traverse computes them (and
// the gas density) and needs a temperature and the gas's molar mass instead.
enum class ProfileKind { Batch, Traverse };

class ProfileReader {
public:
    enum class Status { Row, BadRow, End };

    ProfileReader(std::istream& in, const CaseSettings& settings, ProfileKind kind = ProfileKind::Batch);

    // Reads the comments, the phases line and the header. Throws ProfileFormatError.
    void readHeader();
    const std::vector<PhaseDeclaration>& phases() const noexcept { return m_phases; }
    // The values that neither a column nor an option gives and that take the typical value of their
    // phase's kind, as "gas.viscosity 1.5e-05 Pa s, ..."; empty when there are none.
    const std::string& defaultsNote() const noexcept { return m_defaultsNote; }

    // The next row: Row fills row, BadRow fills error and of row what could be read (line, name, and the
    // length, NaN when unknown); the reader goes on with the next line after it.
    Status next(ProfileRow& row, RowError& error);
    // Bytes consumed so far, for progress.
    std::uint64_t bytesRead() const noexcept { return m_bytes; }

private:
    struct Column {
        std::string title;
        enum class Kind { Name, Pipe, Phase } kind = Kind::Name;
        Quantity quantity = Quantity::Length;
        std::size_t phase = 0;
        Unit unit{Dimension::None, "-", 1.0, 0.0}; // of the column's values
    };

    bool nextContentLine(std::string& line);
    void declarePhases(const std::vector<std::string>& fields);
    void readColumns(const std::vector<std::string>& fields);
    Column column(const std::string& title) const;
    void chooseSeparator(const std::string& firstLine);
    void checkCoverage();
    static void setValue(ProfileRow& row, Quantity q, std::size_t phase, double value);
    std::string parseRow(const std::vector<std::string>& fields, ProfileRow& row) const;

    std::istream& m_in;
    const CaseSettings m_settings;
    const ProfileKind m_kind;
    char m_separator = ',';
    std::map<Quantity, double> m_pipeDefaults;
    std::vector<std::map<Quantity, double>> m_phaseDefaults;
    std::string m_defaultsNote;
    std::vector<PhaseDeclaration> m_phases;
    std::vector<Column> m_columns;
    std::size_t m_line = 0;
    std::uint64_t m_bytes = 0;
};

} // namespace ondivar::flow
