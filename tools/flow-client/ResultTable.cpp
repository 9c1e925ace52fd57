#include "tools/flow-client/ResultTable.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <string>

namespace ondivar::flow {
namespace {

// A number that rounds to zero is shown without its sign: "-0.0000" becomes " 0.0000".
std::string withoutNegativeZeros(std::string text)
{
    for (std::size_t at = text.find('-'); at != std::string::npos; at = text.find('-', at + 1)) {
        std::size_t end = at + 1;
        bool digits = false, nonZero = false;
        for (; end < text.size() && (std::isdigit(static_cast<unsigned char>(text[end])) || text[end] == '.');
             ++end) {
            digits = digits || text[end] != '.';
            nonZero = nonZero || (text[end] != '.' && text[end] != '0');
        }
        const bool exponent = end < text.size() && (text[end] == 'e' || text[end] == 'E');
        const bool number = at == 0 || !std::isalnum(static_cast<unsigned char>(text[at - 1]));
        if (number && digits && !nonZero && !exponent)
            text[at] = ' ';
    }
    return text;
}

std::string format(const char* pattern, ...)
{
    char text[256];
    va_list args;
    va_start(args, pattern);
    std::vsnprintf(text, sizeof text, pattern, args);
    va_end(args);
    return withoutNegativeZeros(text);
}

std::string orNone(const std::string& text)
{
    return text.empty() ? "(none)" : text;
}

} // namespace

void writeResultTable(std::ostream& out, const std::vector<PhaseDeclaration>& phases,
                      const FlowInputs& inputs, const FlowResult& result)
{
    int w = 5;
    for (const PhaseDeclaration& phase : phases)
        w = std::max(w, static_cast<int>(phase.label.size()));
    const double angle =
        std::asin(std::clamp(inputs.pipe.inclination, -1.0, 1.0)) * 180.0 / 3.141592653589793;

    out << "Pipe\n"
        << format("  diameter     %-12g m\n", inputs.pipe.diameter)
        << format("  inclination  %-12g (sine of the angle to the horizontal: %.1f deg)\n",
                  inputs.pipe.inclination, angle)
        << format("  roughness    %-12g m\n\n", inputs.pipe.roughness);

    out << "Phases\n"
        << format("  %-*s  %-8s %-8s %11s %11s %11s %11s %11s\n", w, "label", "state", "type", "Us",
                  "density", "viscosity", "Cp", "k")
        << format("  %-*s  %-8s %-8s %11s %11s %11s %11s %11s\n", w, "", "", "", "[m/s]", "[kg/m3]", "[Pa s]",
                  "[J/(kg K)]", "[W/(m K)]");
    for (std::size_t i = 0; i < phases.size() && i < inputs.properties.size(); ++i) {
        const PhaseProperties& p = inputs.properties[i];
        out << format("  %-*s  %-8s %-8s %11g %11g %11g %11g %11g\n", w, phases[i].label.c_str(),
                      phases[i].state.c_str(), phases[i].type.empty() ? "-" : phases[i].type.c_str(),
                      p.superficialVelocity, p.density, p.viscosity, p.heatCapacity, p.conductivity);
    }

    out << "\nFlow regime\n"
        << "  regime       " << orNone(result.regime) << "\n"
        << "  qualifier    " << orNone(result.qualifier) << "\n\n";

    out << "Pressure gradient\n"
        << format("  total        %12.4f Pa/m\n", result.dpdzTotal)
        << format("  frictional   %12.4f Pa/m\n", result.dpdzFriction)
        << format("  gravity      %12.4f Pa/m\n\n", result.dpdzGravity);

    out << "Phase results\n"
        << format("  %-*s  %16s %22s %20s\n", w, "label", "volume fraction", "superficial velocity",
                  "absolute velocity")
        << format("  %-*s  %16s %22s %20s\n", w, "", "[-]", "[m/s]", "[m/s]");
    for (const PhaseResult& r : result.phases)
        out << format("  %-*s  %16.6f %22.6f %20.6f\n", w, r.label.c_str(), r.volumeFraction,
                      r.superficialVelocity, r.absoluteVelocity);
}

} // namespace ondivar::flow
