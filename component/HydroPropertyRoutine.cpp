// ICapeHydroPropertyRoutine: the names of the properties the component uses under the flow basis
// "Us". Nothing is computed; the second flow basis argument is never looked at.
#include "component/Arguments.h"
#include "com/ComBoundary.h"
#include "component/Ondivar_Velt.h"
#include "component/OwnFailure.h"

#include "support/ArrayConversion.h"

#include <iterator>

using TarvoException::CMyException;

namespace ondivar {
namespace {

constexpr const wchar_t* kInterface = L"ICapeHydroPropertyRoutine";

// The published lists, made from the property table.
constexpr auto kMixtureResults = propertyNames<PropertyKind::MixtureResult>();
constexpr auto kSingleResults = propertyNames<PropertyKind::SingleResult>();
constexpr auto kGeometry = propertyNames<PropertyKind::Geometry>();
constexpr auto kSingleHydroInputs = propertyNames<PropertyKind::SingleHydroInput>();
constexpr auto kSinglePhaseInputs = propertyNames<PropertyKind::SinglePhaseInput>();

// The list of names (an array of BSTRs; what props held is released) or, with no name, VT_EMPTY (what
// props held is not looked at).
HRESULT answerList(const wchar_t* const* names, std::size_t count, VARIANT* props)
{
    if (count == 0)
        VariantInit(props);
    else
        arrayToVariant(names, count, props, false);
    return S_OK;
}

// The list for the flow basis "Us"; any other basis is refused and props left as it was.
HRESULT answerListForUs(CCapeError& errors, const wchar_t* operation, BSTR specification1,
                        const wchar_t* const* names, std::size_t count, VARIANT* props)
{
    return comCall(errors, kInterface, operation, [&](ComCall& call) {
        if (props == nullptr)
            return call.nullOutArgument(L"props");
        const std::wstring_view flowBasis = textOf(specification1);
        if (flowBasis != kSupportedFlowBasis)
            return call.fail(kCapeInvalidArgument, unsupportedFlowBasisMessage(flowBasis));
        return answerList(names, count, props);
    });
}

} // namespace

HRESULT STDMETHODCALLTYPE COndivar_Velt::CalcSingleHydroProp(VARIANT props, BSTR)
{
    constexpr const wchar_t* operation = L"CalcSingleHydroProp";
    return comCall(*this, kInterface, operation, [&](ComCall& call) {
        CArray1D<std::wstring> names;
        try {
            variantToArray(&props, names);
        } catch (const CMyException& rejected) {
            std::wstring description;
            rejected.getDescription(description);
            return call.fail(kCapeInvalidArgument, description);
        }
        return S_OK;
    });
}

HRESULT STDMETHODCALLTYPE COndivar_Velt::CalcTwoHydroProp(VARIANT, VARIANT)
{
    return comCall(*this, kInterface, L"CalcTwoHydroProp", [&](ComCall&) { return S_OK; });
}

HRESULT STDMETHODCALLTYPE COndivar_Velt::CheckMixtureHydroPropList(BSTR specification1, BSTR, VARIANT* props)
{
    return answerListForUs(*this, L"CheckMixtureHydroPropList", specification1, kMixtureResults.data(),
                           std::size(kMixtureResults), props);
}

HRESULT STDMETHODCALLTYPE COndivar_Velt::CheckSingleHydroPropList(BSTR specification1, BSTR, VARIANT* props)
{
    return answerListForUs(*this, L"CheckSingleHydroPropList", specification1, kSingleResults.data(),
                           std::size(kSingleResults), props);
}

HRESULT STDMETHODCALLTYPE COndivar_Velt::CheckTwoHydroPropList(BSTR specification1, BSTR, VARIANT* props)
{
    return answerListForUs(*this, L"CheckTwoHydroPropList", specification1, nullptr, 0, props);
}

HRESULT STDMETHODCALLTYPE COndivar_Velt::GetGeometryPropList(BSTR, BSTR, VARIANT* props)
{
    return comCall(*this, kInterface, L"GetGeometryPropList", [&](ComCall& call) {
        if (props == nullptr)
            return call.nullOutArgument(L"props");
        return answerList(kGeometry.data(), kGeometry.size(), props);
    });
}

HRESULT STDMETHODCALLTYPE COndivar_Velt::GetSingleHydroPropList(BSTR specification1, BSTR, VARIANT* props)
{
    return answerListForUs(*this, L"GetSingleHydroPropList", specification1, kSingleHydroInputs.data(),
                           std::size(kSingleHydroInputs), props);
}

HRESULT STDMETHODCALLTYPE COndivar_Velt::GetSinglePhasePropList(BSTR specification1, BSTR, VARIANT* props)
{
    return answerListForUs(*this, L"GetSinglePhasePropList", specification1, kSinglePhaseInputs.data(),
                           std::size(kSinglePhaseInputs), props);
}

HRESULT STDMETHODCALLTYPE COndivar_Velt::GetTwoPhasePropList(BSTR specification1, BSTR, VARIANT* props)
{
    return answerListForUs(*this, L"GetTwoPhasePropList", specification1, nullptr, 0, props);
}

} // namespace ondivar
