// The present phases as the component keeps them: each declared label with its phase kind, in label
// order (the order the model receives them in). Looked up by any text, without copying it.
#pragma once

#include "hydro/Phases.h"
#include "support/ShortTexts.h"
#include "support/VariantToArray.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace ondivar {

// Each declared label with its kind, in label order. A simulator declares a handful of phases and then
// looks a label up on every per-phase call: they are kept side by side and found by a scan.
class CPhaseMap {
public:
    using value_type = std::pair<std::wstring, EPhases>;

    std::size_t size() const noexcept { return m_phases.size(); }
    auto begin() const noexcept { return m_phases.cbegin(); }
    auto end() const noexcept { return m_phases.cend(); }
    void clear() noexcept { m_phases.clear(); }

    // Declares label with kind; a label already declared takes the new kind.
    void declare(std::wstring_view label, EPhases kind);
    // The kind declared for label, or null.
    const EPhases* find(std::wstring_view label) const noexcept
    {
        for (const value_type& phase : m_phases)
            if (sameText(label, phase.first))
                return &phase.second;
        return nullptr;
    }

private:
    std::vector<value_type> m_phases;
};

// The kind of a phase declared with stateOfAggregation and typeInfo ("Vapor"; "Liquid" with "Organic",
// "Aqueous" or anything else; "Solid"; "Unknown"). False for any other state: the phase is refused.
bool phaseKindOf(std::wstring_view stateOfAggregation, std::wstring_view typeInfo, EPhases& kind);

// Whether declaring labels with states and types (one each per label) would leave phases and
// phaseCount exactly as they are: every phase accepted, the labels distinct, each already declared with
// the kind it would get now. A simulator declares the same phases before every calculation.
bool declaresSamePhases(const CPhaseMap& phases, std::int32_t phaseCount, const CTextsView& labels,
                        const CTextsView& states, const CTextsView& types);

// The kind that phases holds for label; false (and phases untouched) when label was not declared.
bool findDeclaredKind(const CPhaseMap& phases, std::wstring_view label, EPhases& kind);

// The description of a refusal of label because the last declaration did not name it.
std::wstring undeclaredLabelMessage(std::wstring_view label);

} // namespace ondivar
