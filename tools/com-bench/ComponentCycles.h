// The simulator cycle through the component: geometry, present phases, every per-phase input, CalcFlow,
// then the three mixture results and three results per phase; once through the vtables and once
// through IDispatch::Invoke (dispatch ids looked up once, as a script host caches them).
#pragma once

#include "tools/com-bench/CycleCase.h"

#include "OndivarLib.h"

namespace ondivar::bench {

class ComponentCycles {
public:
    // flow is the component's ICapeHydroFlow; exits the program when an interface or name is missing.
    explicit ComponentCycles(const ComPtr<ICapeHydroFlow>& flow);

    // Each returns the sum of the results as the caller read them; a failed call ends the program.
    double vtableCycle(const CycleArguments& a);
    double dispatchCycle(const CycleArguments& a);

    ICapeHydroFlow* flow() const { return m_flow.get(); }
    ICapeHydroFlowRoutine* routine() const { return m_routine.get(); }

private:
    struct DispatchIds {
        DISPID setGeometry, setPresentPhases, setSingleHydro, setSinglePhase, getMixture, getSingleHydro,
            calcFlow;
    };

    ComPtr<ICapeHydroFlow> m_flow;
    ComPtr<ICapeHydroFlowRoutine> m_routine;
    DispatchIds m_ids;
    UniqueVariant m_values;
};

} // namespace ondivar::bench
