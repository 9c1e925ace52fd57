// ICapeHydroPhases: the three phase kinds the component supports, numbered from 1.
#include "com/ComBoundary.h"
#include "component/Ondivar_Velt.h"
#include "component/OwnFailure.h"

#include "support/StringConversion.h"

namespace ondivar {
namespace {

constexpr const wchar_t* kInterface = L"ICapeHydroPhases";

struct PhaseDescription {
    const wchar_t* stateOfAggregation;
    const wchar_t* typeInfo; // null: none
};

// Indexed by EPhases; GetPhaseInfo numbers them from 1.
constexpr PhaseDescription kPhases[] = {
    {L"Vapor", nullptr},
    {L"Liquid", L"Organic"},
    {L"Liquid", L"Aqueous"},
};
static_assert(sizeof(kPhases) / sizeof(kPhases[0]) == eWater + 1, "one description per phase kind");

} // namespace

HRESULT STDMETHODCALLTYPE COndivar_Velt::GetNumPhases(LONG* num)
{
    return comCall(*this, kInterface, L"GetNumPhases", [&](ComCall& call) {
        if (num == nullptr)
            return call.nullOutArgument(L"num");
        *num = static_cast<LONG>(sizeof(kPhases) / sizeof(kPhases[0]));
        return S_OK;
    });
}

HRESULT STDMETHODCALLTYPE COndivar_Velt::GetPhaseInfo(LONG numPhase, BSTR* stateOfAggregation, BSTR* typeInfo)
{
    return comCall(*this, kInterface, L"GetPhaseInfo", [&](ComCall& call) {
        if (stateOfAggregation == nullptr)
            return call.nullOutArgument(L"stateOfAggregation");
        if (typeInfo == nullptr)
            return call.nullOutArgument(L"typeInfo");
        *stateOfAggregation = nullptr;
        *typeInfo = nullptr;
        if (numPhase < 1 || numPhase > static_cast<LONG>(sizeof(kPhases) / sizeof(kPhases[0])))
            return call.fail(kCapeOutOfBounds);
        const PhaseDescription& phase = kPhases[numPhase - 1];
        UniqueBstr state;
        stringToBSTR(phase.stateOfAggregation, *state.put());
        stringToBSTR(phase.typeInfo, *typeInfo);
        *stateOfAggregation = state.release();
        return S_OK;
    });
}

} // namespace ondivar
