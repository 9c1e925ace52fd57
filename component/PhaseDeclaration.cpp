#include "component/PhaseDeclaration.h"

#include "component/OwnFailure.h"

#include <algorithm>

namespace ondivar {

bool phaseKindOf(std::wstring_view stateOfAggregation, std::wstring_view typeInfo, EPhases& kind)
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

bool declaresSamePhases(const CPhaseMap& phases, std::int32_t phaseCount, const CTextsView& labels,
                        const CTextsView& states, const CTextsView& types)
{
    // Beyond a few phases the declaration is simply made again.
    constexpr std::size_t kFewPhases = 16;
    const std::size_t n = labels.size();
    if (n > kFewPhases || phaseCount < 0 || static_cast<std::size_t>(phaseCount) != n || phases.size() != n)
        return false;
    for (std::size_t i = 0; i < n; ++i) {
        const std::wstring_view label = labels[i];
        EPhases kind = eVapor;
        EPhases declared = eVapor;
        if (!phaseKindOf(states[i], types[i], kind) || !findDeclaredKind(phases, label, declared) ||
            declared != kind)
            return false;
        for (std::size_t j = 0; j < i; ++j) {
            if (labels[j] == label)
                return false;
        }
    }
    return true;
}

void CPhaseMap::declare(std::wstring_view label, EPhases kind)
{
    const auto place =
        std::lower_bound(m_phases.begin(), m_phases.end(), label,
                         [](const value_type& phase, std::wstring_view text) { return phase.first < text; });
    if (place != m_phases.end() && place->first == label)
        place->second = kind;
    else
        m_phases.emplace(place, std::wstring(label), kind);
}

bool findDeclaredKind(const CPhaseMap& phases, std::wstring_view label, EPhases& kind)
{
    const EPhases* found = phases.find(label);
    if (found == nullptr)
        return false;
    kind = *found;
    return true;
}

std::wstring undeclaredLabelMessage(std::wstring_view label)
{
    return L"The phase " + quoted(label) + L" was not declared by the last SetPresentPhases.\n";
}

} // namespace ondivar
