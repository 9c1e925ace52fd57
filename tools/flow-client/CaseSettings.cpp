#include "tools/flow-client/CaseSettings.h"

#include <algorithm>
#include <cctype>
#include <cstddef>
#include <initializer_list>

namespace ondivar::flow {

namespace {

bool sameLetters(const std::string& a, const std::string& b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

// The component knows these words exactly as written (an unknown type would silently make a liquid
// organic): a word it does not know is refused here, with the right spelling when only the case differs.
void checkSpelling(const std::string& word, std::initializer_list<const char*> known, const char* what,
                   const std::string& text)
{
    std::string list;
    for (const char* k : known) {
        if (word == k)
            return;
        if (sameLetters(word, k))
            throw UsageError("'" + text + "': the " + what + " is written '" + k + "', not '" + word + "'");
        list += (list.empty() ? "" : ", ") + std::string(k);
    }
    throw UsageError("'" + text + "': '" + word + "' is no " + what + " the component knows (" + list + ")");
}

} // namespace

PhaseDeclaration parsePhaseDeclaration(const std::string& text)
{
    const std::size_t first = text.find(':');
    if (first == std::string::npos)
        throw UsageError("'" + text + "' is not LABEL:STATE[:TYPE]");
    PhaseDeclaration phase;
    phase.label = text.substr(0, first);
    const std::size_t second = text.find(':', first + 1);
    phase.state =
        text.substr(first + 1, second == std::string::npos ? std::string::npos : second - first - 1);
    if (second != std::string::npos)
        phase.type = text.substr(second + 1);
    if (!isValidLabel(phase.label))
        throw UsageError("the phase label '" + phase.label +
                         "' must be made of letters, digits, '_' and '-' only");
    if (phase.state.empty())
        throw UsageError("'" + text + "' has no state of aggregation (Vapor, Liquid, Solid or Unknown)");
    checkSpelling(phase.state, {"Vapor", "Liquid", "Solid", "Unknown"}, "state of aggregation", text);
    if (!phase.type.empty())
        checkSpelling(phase.type, {"Organic", "Aqueous"}, "type", text);
    return phase;
}

std::vector<PhaseDeclaration> builtInPhases()
{
    return {{"gas", "Vapor", ""}, {"oil", "Liquid", "Organic"}};
}

PipeGeometry builtInPipe()
{
    PipeGeometry pipe;
    pipe.diameter = 0.1;
    pipe.inclination = 1.0;
    pipe.roughness = 4.5e-5; // commercial steel
    return pipe;
}

PhaseProperties typicalProperties(const PhaseDeclaration& phase)
{
    PhaseProperties p;
    if (phase.state == "Vapor") {
        p.density = 50.0;
        p.viscosity = 1.5e-5;
        p.heatCapacity = 2000.0;
        p.conductivity = 0.03;
    } else if (phase.state == "Liquid" && phase.type == "Aqueous") {
        p.density = 1000.0;
        p.viscosity = 0.001;
        p.heatCapacity = 4180.0;
        p.conductivity = 0.6;
    } else {
        p.density = 800.0;
        p.viscosity = 0.002;
        p.heatCapacity = 2000.0;
        p.conductivity = 0.13;
    }
    return p;
}

void checkDistinctKinds(const std::vector<PhaseDeclaration>& phases)
{
    // The component's mapping of a declared phase to its kind; -1 for a state it refuses.
    auto kindOf = [](const PhaseDeclaration& phase) {
        if (phase.state == "Vapor")
            return 0;
        if (phase.state == "Liquid" && phase.type == "Aqueous")
            return 2;
        if (phase.state == "Liquid" || phase.state == "Solid" || phase.state == "Unknown")
            return 1;
        return -1;
    };
    const char* const kindNames[] = {"vapour", "organic liquid", "aqueous liquid"};
    for (std::size_t i = 0; i < phases.size(); ++i)
        for (std::size_t j = 0; j < i; ++j)
            if (kindOf(phases[i]) >= 0 && kindOf(phases[i]) == kindOf(phases[j]))
                throw UsageError(
                    "the phases '" + phases[j].label + "' and '" + phases[i].label + "' are both " +
                    kindNames[kindOf(phases[i])] +
                    ": the component holds one phase of each kind (vapour, organic liquid, aqueous "
                    "liquid)");
}

void checkPhaseLabels(const CaseSettings& settings, const std::vector<PhaseDeclaration>& phases)
{
    for (const auto& [label, values] : settings.phaseValues) {
        bool declared = false;
        std::string known;
        for (const PhaseDeclaration& phase : phases) {
            declared = declared || phase.label == label;
            known += (known.empty() ? "" : ", ") + phase.label;
        }
        if (!declared)
            throw UsageError("a value is given for phase '" + label +
                             "', which is not declared (phases: " + known + ")");
    }
}

void makeSingleCase(const CaseSettings& settings, std::vector<PhaseDeclaration>& phases, FlowInputs& inputs)
{
    const bool builtIn = settings.phases.empty();
    phases = builtIn ? builtInPhases() : settings.phases;
    checkDistinctKinds(phases);
    checkPhaseLabels(settings, phases);

    inputs.pipe = builtInPipe();
    for (const auto& [q, value] : settings.pipe) {
        if (q == Quantity::Diameter)
            inputs.pipe.diameter = value;
        else if (q == Quantity::Inclination)
            inputs.pipe.inclination = value;
        else if (q == Quantity::Roughness)
            inputs.pipe.roughness = value;
    }

    inputs.properties.clear();
    for (const PhaseDeclaration& phase : phases) {
        PhaseProperties p = typicalProperties(phase);
        bool velocityGiven = builtIn;
        if (builtIn)
            p.superficialVelocity = 1.0;
        const auto values = settings.phaseValues.find(phase.label);
        if (values != settings.phaseValues.end()) {
            for (const auto& [q, value] : values->second) {
                field(p, q) = value;
                velocityGiven = velocityGiven || q == Quantity::SuperficialVelocity;
            }
        }
        if (!velocityGiven)
            throw UsageError("phase '" + phase.label + "' has no superficial velocity: give --us " +
                             phase.label + "=VALUE");
        inputs.properties.push_back(p);
    }
}

} // namespace ondivar::flow
