// ICapeHydroFlow, the results: the flow regime and the values the model kept after the last
// calculation, each handed back as a one-element array of doubles. They answer from the end of a
// calculation until ClearAllProps, whatever inputs have changed meanwhile.
#include "component/Arguments.h"
#include "com/ComBoundary.h"
#include "component/FlowRegime.h"
#include "component/Ondivar_Velt.h"
#include "component/OwnFailure.h"
#include "component/PhaseDeclaration.h"

#include "support/ArrayConversion.h"

#include <string>

namespace ondivar {
namespace {

constexpr const wchar_t* kInterface = L"ICapeHydroFlow";

// The model's result that a mixture or per-phase result of the property table stands for.
double mixtureResult(const CHydro& model, PropertySlot slot)
{
    switch (slot) {
    case PropertySlot::PressureDropFrictional:
        return model.GetDpdzFriction();
    case PropertySlot::PressureDropGravity:
        return model.GetDpdzGravity();
    default:
        return model.GetDpdzTotal();
    }
}

const CDoubleArray& phaseResult(const CHydro& model, PropertySlot slot)
{
    switch (slot) {
    case PropertySlot::AbsoluteVelocity:
        return model.GetVelocity();
    case PropertySlot::SuperficialVelocity:
        return model.GetSuperficialVelocity();
    default:
        return model.GetHoldup();
    }
}

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
        const FlowRegimeNames names = flowRegimeOf(m_model->GetFlowPattern());
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
        const PropertyEntry* entry = findProperty(PropertyKind::MixtureResult, property);
        if (entry == nullptr)
            return call.fail(kCapeBadInvOrder);
        return answerOneValue(mixtureResult(*m_model, entry->slot), values);
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
        const PropertyEntry* entry = findProperty(PropertyKind::SingleResult, property);
        if (entry == nullptr)
            return call.fail(kCapeBadInvOrder);
        EPhases kind = eVapor;
        if (!findDeclaredKind(m_phases, label, kind))
            return call.fail(kCapeInvalidArgument, undeclaredLabelMessage(label));
        return answerOneValue(phaseResult(*m_model, entry->slot)[kind], values);
    });
}

HRESULT STDMETHODCALLTYPE COndivar_Velt::GetTwoHydroProp(BSTR, VARIANT, VARIANT*)
{
    return comCall(*this, kInterface, L"GetTwoHydroProp",
                   [&](ComCall& call) { return m_calculated ? S_OK : call.fail(kCapeUnknown); });
}

} // namespace ondivar
