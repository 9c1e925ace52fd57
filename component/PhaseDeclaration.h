// The present phases as the component keeps them: each declared label with its phase kind, in label
// order (the order the model receives them in). Looked up by any text, without copying it.
#pragma once

#include "hydro/Phases.h"

#include <map>
#include <string>
#include <string_view>

namespace ondivar {

using CPhaseMap = std::map<std::wstring, EPhases, std::less<>>;

// The kind of a phase declared with stateOfAggregation and typeInfo ("Vapor"; "Liquid" with "Organic",
// "Aqueous" or anything else; "Solid"; "Unknown"). False for any other state: the phase is refused.
bool phaseKindOf(const std::wstring& stateOfAggregation, const std::wstring& typeInfo, EPhases& kind);

// The kind that phases holds for label; false (and phases untouched) when label was not declared.
bool findDeclaredKind(const CPhaseMap& phases, std::wstring_view label, EPhases& kind);

// The description of a refusal of label because the last declaration did not name it.
std::wstring undeclaredLabelMessage(std::wstring_view label);

} // namespace ondivar
