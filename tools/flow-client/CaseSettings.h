// What the command line sets for a calculation: pipe values, phase declarations and per-phase values.
// Anything not set comes from the built-in vertical gas-oil case (single run) or from the profile's
// columns (batch run).
#pragma once

#include "tools/flow-client/FlowCase.h"
#include "tools/flow-client/Quantities.h"

#include <map>
#include <stdexcept>
#include <string>
#include <vector>

namespace ondivar::flow {

// A command line or option combination the client cannot use; the text says why.
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct CaseSettings {
    // Diameter, Inclination (an angle is stored as its sine) and Roughness.
    std::map<Quantity, double> pipe;
    // From --phase, in the order given; empty means the built-in phases.
    std::vector<PhaseDeclaration> phases;
    // Per phase label: superficial velocity, density, viscosity, heat capacity, conductivity.
    std::map<std::string, std::map<Quantity, double>> phaseValues;
};

// LABEL:STATE[:TYPE], e.g. "gas:Vapor" or "water:Liquid:Aqueous"; STATE is Vapor, Liquid, Solid or
// Unknown and TYPE Organic or Aqueous, spelt as the component knows them. Throws UsageError.
PhaseDeclaration parsePhaseDeclaration(const std::string& text);

// Throws UsageError when two phases map to the same kind of the component (vapour, organic liquid,
// aqueous liquid): it keeps one set of properties per kind, so the second would silently take the first's
// place.
void checkDistinctKinds(const std::vector<PhaseDeclaration>& phases);

// The built-in case: a vertical pipe of 0.1 m with gas and oil at 1 m/s each.
std::vector<PhaseDeclaration> builtInPhases();
PipeGeometry builtInPipe();
// Typical properties of a phase of this state and type (superficial velocity 0).
PhaseProperties typicalProperties(const PhaseDeclaration& phase);

// The phases and inputs of a single run: the settings over the built-in case. Phases declared with
// --phase take the typical properties of their kind and need a superficial velocity. Throws UsageError.
void makeSingleCase(const CaseSettings& settings, std::vector<PhaseDeclaration>& phases, FlowInputs& inputs);

// Throws UsageError when a per-phase value names a label that phases does not declare.
void checkPhaseLabels(const CaseSettings& settings, const std::vector<PhaseDeclaration>& phases);

} // namespace ondivar::flow
