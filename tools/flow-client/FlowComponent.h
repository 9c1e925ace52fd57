// The Ondivar component driven through COM as a simulator drives it: created by its program identifier,
// fed through ICapeHydroFlow, computed with ICapeHydroFlowRoutine::CalcFlow and read back through
// ICapeHydroFlow. A refused call becomes a CalculationFailure with what the component's ECapeUser says.
#pragma once

#include "tools/flow-client/FlowCalculator.h"

#include "support/ComHandles.h"

#include "OndivarLib.h"

#include <string>
#include <vector>

namespace ondivar::flow {

class FlowComponent final : public FlowCalculator {
public:
    // Creates the component (the calling thread must have entered COM). Throws CalculationFailure.
    FlowComponent(const std::wstring& programId, const std::string& flowSpec);

    void declarePhases(const std::vector<PhaseDeclaration>& phases) override;
    FlowResult calculate(const FlowInputs& inputs) override;

    // Lets go of the component now; its last reference shows the farewell box.
    void release() noexcept;

private:
    void check(HRESULT hr, const char* call) const;
    void setGeometry(const wchar_t* name, double value);
    void setPhaseValue(bool hydro, const wchar_t* name, const UniqueBstr& label, double value);
    double mixtureValue(const wchar_t* name);
    double phaseValue(const wchar_t* name, const UniqueBstr& label);

    ComPtr<IDispatch> m_object; // the component as a CAPE-OPEN error source
    ComPtr<ICapeHydroFlow> m_flow;
    ComPtr<ICapeHydroFlowRoutine> m_routine;
    UniqueBstr m_flowSpec;
    std::vector<std::string> m_labelTexts;
    std::vector<UniqueBstr> m_labels;
};

} // namespace ondivar::flow
