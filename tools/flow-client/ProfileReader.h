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
};

struct RowError {
    std::size_t line = 0;
    std::string reason;
};

class ProfileReader {
public:
    enum class Status { Row, BadRow, End };

    ProfileReader(std::istream& in, const CaseSettings& settings);

    // Reads the comments, the phases line and the header. Throws ProfileFormatError.
    void readHeader();
    const std::vector<PhaseDeclaration>& phases() const noexcept { return m_phases; }

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
    };

    bool nextContentLine(std::string& line);
    void declarePhases(const std::vector<std::string>& fields);
    void readColumns(const std::vector<std::string>& fields);
    Column column(const std::string& title) const;
    void checkCoverage() const;
    std::string parseRow(const std::vector<std::string>& fields, ProfileRow& row) const;

    std::istream& m_in;
    const CaseSettings m_settings;
    std::vector<PhaseDeclaration> m_phases;
    std::vector<Column> m_columns;
    std::size_t m_line = 0;
    std::uint64_t m_bytes = 0;
};

} // namespace ondivar::flow
