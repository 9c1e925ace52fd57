#include "component/PhaseDeclaration.h"

#include "component/OwnFailure.h"

namespace ondivar {

bool phaseKindOf(const std::wstring& stateOfAggregation, const std::wstring& typeInfo, EPhases& kind)
{
    if (stateOfAggregation == L"Vapor")
        kind = eVapor;
    else if (stateOfAggregation == L"Liquid")
        kind = typeInfo == L"Aqueous" ? eWater : eLiquid;
    else if (stateOfAggregation == L"Solid" || stateOfAggregation == L"Unknown")
        kind = eLiquid;
    else
        return false;
    return true;
}

bool findDeclaredKind(const CPhaseMap& phases, std::wstring_view label, EPhases& kind)
{
    const auto found = phases.find(label);
    if (found == phases.end())
        return false;
    kind = found->second;
    return true;
}

std::wstring undeclaredLabelMessage(std::wstring_view label)
{
    return L"The phase " + quoted(label) + L" was not declared by the last SetPresentPhases.\n";
}

} // namespace ondivar
