// ICapeHydroFlowRoutine: the flow calculation under the one flow basis "Us" (the flow given by the
// superficial velocity of each phase), and a state vector kept and handed back unchanged. The second
// flow basis argument is never looked at.
#include "component/Arguments.h"
#include "com/ComBoundary.h"
#include "component/FlowValidation.h"
#include "component/Ondivar_Velt.h"
#include "component/OwnFailure.h"
#include "component/PhaseDeclaration.h"
#include "hydro/HydroConfiguration.h"

#include "support/ArrayConversion.h"

#include <utility>

using TarvoException::checkCondition;

namespace ondivar {
namespace {

constexpr const wchar_t* kInterface = L"ICapeHydroFlowRoutine";

// The kinds of the declared phases in label order, into kinds (its storage kept when the count is the
// same). Every declared label must be in phases exactly once: a refused or repeated label leaves a
// declared phase without a kind, and the calculation is refused.
void listKindsInLabelOrder(const CPhaseMap& phases, std::int32_t phaseCount, CIntArray& kinds)
{
    checkCondition(phaseCount >= 0 && phases.size() == static_cast<std::size_t>(phaseCount),
                   kInvalidHydroConfiguration, kInvalidHydroConfigurationName,
                   L"Fail to compute hydro properties: %d phases were declared but %d of them were accepted "
                   L"(a phase was refused or a label repeated). Please declare the present phases again.\n",
                   static_cast<int>(phaseCount), static_cast<int>(phases.size()));
    if (kinds.size() != phases.size())
        kinds = CIntArray(phases.size());
    std::size_t i = 0;
    for (const auto& phase : phases)
        kinds[i++] = phase.second;
}

HRESULT refuse(const ComCall& call, const FlowRefusal& refusal)
{
    return refusal.boundaries ? call.fail(refusal.code, refusal.description, *refusal.boundaries)
                              : call.fail(refusal.code, refusal.description);
}

} // namespace

HRESULT STDMETHODCALLTYPE COndivar_Velt::CalcFlow(BSTR specification1, BSTR, BSTR)
{
    constexpr const wchar_t* operation = L"CalcFlow";
    return comCall(*this, kInterface, operation, [&](ComCall& call) {
        const std::wstring_view flowSpec = textOf(specification1);
        if (flowSpec != kSupportedFlowBasis)
            return call.fail(kCapeNoImpl, unsupportedFlowBasisMessage(flowSpec));
        listKindsInLabelOrder(m_phases, m_phaseCount, m_phaseKindList);
        const CIntArray& kinds = m_phaseKindList;
        // Computed on the candidate: when the calculation is refused, the results of the last one stay as
        // they were. A set-up starts from a reset model, so nothing the candidate held before (the
        // calculation before last) reaches a result.
        CHydro& hydro = *m_candidateModel;
        hydro.SetupFromVelocities(m_diameter, m_roughness, m_inclination, m_phaseCount, kinds,
                                  m_superficialVelocity, m_density, m_viscosity, m_twoPhaseProps,
                                  m_heatCapacity, m_thermalConductivity);
        hydro.ComputeProperties();
        // The model refuses the phase combinations it does not know first; only a calculation it
        // completed is then judged: its inputs, and whether its results are a physical solution.
        if (const auto refusal =
                refuseFlowInputs(m_diameter, m_inclination, m_phases, m_superficialVelocity, m_density))
            return refuse(call, *refusal);
        if (const auto refusal = refuseFlowResults(hydro, m_phases))
            return refuse(call, *refusal);
        std::swap(m_model, m_candidateModel);
        m_calculated = true;
        return S_OK;
    });
}

HRESULT STDMETHODCALLTYPE COndivar_Velt::CheckCalcFlowSpec(BSTR specification1, BSTR, BSTR flowregime,
                                                           VARIANT_BOOL* isSupported)
{
    return comCall(*this, kInterface, L"CheckCalcFlowSpec", [&](ComCall& call) {
        if (isSupported == nullptr)
            return call.nullOutArgument(L"isSupported");
        const std::wstring_view flowSpec = textOf(specification1);
        // Any imposed regime, even an empty text, is not supported: the model decides the regime.
        const bool supported = flowSpec == kSupportedFlowBasis && flowregime == nullptr;
        *isSupported = supported ? VARIANT_TRUE : VARIANT_FALSE;
        return S_OK;
    });
}

HRESULT STDMETHODCALLTYPE COndivar_Velt::GetFinalState(VARIANT* propvals)
{
    return comCall(*this, kInterface, L"GetFinalState", [&](ComCall& call) {
        if (propvals == nullptr)
            return call.nullOutArgument(L"propvals");
        try {
            arrayToVariant(m_state, propvals, false);
        } catch (...) {
            return call.fail(kCapeUnknown);
        }
        return S_OK;
    });
}

HRESULT STDMETHODCALLTYPE COndivar_Velt::SetInitState(VARIANT propvals)
{
    return comCall(*this, kInterface, L"SetInitState", [&](ComCall& call) {
        CDoubleArray state;
        try {
            variantToArray(&propvals, state);
        } catch (...) {
            return call.fail(kCapeUnknown);
        }
        m_state = std::move(state);
        return S_OK;
    });
}

} // namespace ondivar
