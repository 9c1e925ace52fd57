// ICapeHydroFields: the component computes no layers or fields. Every operation reports "not
// implemented" and leaves its arguments, out arguments included, as the caller passed them.
#include "com/ComBoundary.h"
#include "component/Ondivar_Velt.h"
#include "component/OwnFailure.h"

namespace ondivar {
namespace {

HRESULT notImplemented(CCapeError& errors, const wchar_t* operation)
{
    return comCall(errors, L"ICapeHydroFields", operation,
                   [](ComCall& call) { return call.fail(kCapeNoImpl); });
}

} // namespace

HRESULT STDMETHODCALLTYPE COndivar_Velt::GetFieldInfo(BSTR, BSTR, BSTR, BSTR*)
{
    return notImplemented(*this, L"GetFieldInfo");
}

HRESULT STDMETHODCALLTYPE COndivar_Velt::GetLayerInfo(BSTR, BSTR, BSTR*)
{
    return notImplemented(*this, L"GetLayerInfo");
}

HRESULT STDMETHODCALLTYPE COndivar_Velt::GetPresentFields(BSTR, VARIANT*)
{
    return notImplemented(*this, L"GetPresentFields");
}

HRESULT STDMETHODCALLTYPE COndivar_Velt::GetPresentLayers(VARIANT*)
{
    return notImplemented(*this, L"GetPresentLayers");
}

HRESULT STDMETHODCALLTYPE COndivar_Velt::GetPresentPhases(BSTR, BSTR, VARIANT*)
{
    return notImplemented(*this, L"GetPresentPhases");
}

HRESULT STDMETHODCALLTYPE COndivar_Velt::GetSingleFieldProp(BSTR, BSTR, BSTR, double*)
{
    return notImplemented(*this, L"GetSingleFieldProp");
}

HRESULT STDMETHODCALLTYPE COndivar_Velt::GetSingleLayerProp(BSTR, BSTR, double*)
{
    return notImplemented(*this, L"GetSingleLayerProp");
}

HRESULT STDMETHODCALLTYPE COndivar_Velt::GetSinglePhaseProp(BSTR, BSTR, BSTR, BSTR, double*)
{
    return notImplemented(*this, L"GetSinglePhaseProp");
}

HRESULT STDMETHODCALLTYPE COndivar_Velt::GetTwoLayerProp(BSTR, VARIANT, double*)
{
    return notImplemented(*this, L"GetTwoLayerProp");
}

} // namespace ondivar
