// ICapeHydroFlow, the results: the flow regime and the values the model kept after the last
// calculation, each handed back as a one-element array of doubles. They answer from the end of a
// calculation until ClearAllProps, whatever inputs have changed meanwhile.
#include "component/Arguments.h"
#include "component/ComBoundary.h"
#include "component/FlowRegime.h"
#include "component/Ondivar_Velt.h"
#include "component/OwnFailure.h"
#include "component/PhaseDeclaration.h"

#include "support/ArrayConversion.h"

#include <string>

namespace ondivar {
namespace {

constexpr const wchar_t* kInterface = L"ICapeHydroFlow";

HRESULT answerOneValue(double value, VARIANT* values)
{
    arrayToVariant(&value, 1, values, false);
    return S_OK;
}

} // namespace

HRESULT STDMETHODCALLTYPE COndivar_Velt::GetFlowRegime(BSTR* regime, BSTR* qualifier)
{
    return comCall(*this, kInterface, L"GetFlowRegime", [&](ComCall& call) {
        if (regime == nullptr)
            return call.nullOutArgument(L"regime");
        if (qualifier == nullptr)
            return call.nullOutArgument(L"qualifier");
        *regime = nullptr;
        *qualifier = nullptr;
        const FlowRegimeNames names = flowRegimeOf(m_model.GetFlowPattern());
        UniqueBstr regimeText;
        stringToBSTR(names.regime, *regimeText.put());
        stringToBSTR(names.qualifier, *qualifier);
        *regime = regimeText.release();
        return S_OK;
    });
}

HRESULT STDMETHODCALLTYPE COndivar_Velt::GetMixtureProp(BSTR pty, VARIANT* values)
{
    return comCall(*this, kInterface, L"GetMixtureProp", [&](ComCall& call) {
        if (values == nullptr)
            return call.nullOutArgument(L"values");
        const std::wstring_view property = textOf(pty);
        VariantInit(values);
        if (!m_calculated)
            return call.fail(kCapeUnknown);
        if (property == L"pressureDropFrictional")
            return answerOneValue(m_model.GetDpdzFriction(), values);
        if (property == L"pressureDropGravity")
            return answerOneValue(m_model.GetDpdzGravity(), values);
        if (property == L"pressureDropTotal")
            return answerOneValue(m_model.GetDpdzTotal(), values);
        return call.fail(kCapeBadInvOrder);
    });
}

HRESULT STDMETHODCALLTYPE COndivar_Velt::GetSingleHydroProp(BSTR pty, BSTR phaseLabel, VARIANT* values)
{
    constexpr const wchar_t* operation = L"GetSingleHydroProp";
    return comCall(*this, kInterface, operation, [&](ComCall& call) {
        if (values == nullptr)
            return call.nullOutArgument(L"values");
        const std::wstring_view property = textOf(pty);
        const std::wstring_view label = textOf(phaseLabel);
        VariantInit(values);
        if (!m_calculated)
            return call.fail(kCapeUnknown);
        const CDoubleArray* perKind = nullptr;
        if (property == L"absoluteVelocity")
            perKind = &m_model.GetVelocity();
        else if (property == L"superficialVelocity")
            perKind = &m_model.GetSuperficialVelocity();
        else if (property == L"volumeFraction")
            perKind = &m_model.GetHoldup();
        if (perKind == nullptr)
            return call.fail(kCapeBadInvOrder);
        EPhases kind = eVapor;
        if (!findDeclaredKind(m_phases, label, kind))
            return call.fail(kCapeInvalidArgument, undeclaredLabelMessage(label));
        return answerOneValue((*perKind)[kind], values);
    });
}

HRESULT STDMETHODCALLTYPE COndivar_Velt::GetTwoHydroProp(BSTR, VARIANT, VARIANT*)
{
    return comCall(*this, kInterface, L"GetTwoHydroProp",
                   [&](ComCall& call) { return m_calculated ? S_OK : call.fail(kCapeUnknown); });
}

} // namespace ondivar
