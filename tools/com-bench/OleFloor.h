// The floor under a simulator cycle: the Automation work that any component must do for the cycle of
// ondivar-com-bench, and nothing else. Per cycle: 18 one-element input arrays read with their type,
// dimension and bound checks; the three texts arrays of the phase declaration read the same way, their
// labels compared with the ones kept (and kept when they differ) and their states and types compared;
// 31 property names and the flow basis compared (one comparison each, the matching one), 24 labels looked
// up among the three declared; 12 one-element result arrays made, which the caller reads and destroys.
// No model runs: the floor is what Automation itself costs.
#pragma once

#include "tools/com-bench/CycleCase.h"

namespace ondivar::bench {

class OleFloor {
public:
    // One cycle; returns the sum of the results as the caller read them.
    double cycle(const CycleArguments& a);

private:
    bool readOne(const VARIANT& values, double& value) const;
    bool declare(const VARIANT& labels, const VARIANT& states, const VARIANT& types);
    int kindOf(BSTR label) const;
    void answer(double value, VARIANT* values) const;

    double m_geometry[kGeometry] = {};
    wchar_t m_labels[kPhases][32] = {};
    int m_kinds[kPhases] = {};
    double m_inputs[kInputs][kPhases] = {};
    UniqueVariant m_values;
};

} // namespace ondivar::bench
