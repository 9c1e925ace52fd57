// ICapeHydroPropertyRoutine: the property names the component uses.
// Not implemented yet: every operation answers E_NOTIMPL.
#include "component/Ondivar_Velt.h"

namespace ondivar {

HRESULT STDMETHODCALLTYPE COndivar_Velt::CalcSingleHydroProp(VARIANT, BSTR)
{
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE COndivar_Velt::CalcTwoHydroProp(VARIANT, VARIANT)
{
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE COndivar_Velt::CheckMixtureHydroPropList(BSTR, BSTR, VARIANT*)
{
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE COndivar_Velt::CheckSingleHydroPropList(BSTR, BSTR, VARIANT*)
{
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE COndivar_Velt::CheckTwoHydroPropList(BSTR, BSTR, VARIANT*)
{
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE COndivar_Velt::GetGeometryPropList(BSTR, BSTR, VARIANT*)
{
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE COndivar_Velt::GetSingleHydroPropList(BSTR, BSTR, VARIANT*)
{
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE COndivar_Velt::GetSinglePhasePropList(BSTR, BSTR, VARIANT*)
{
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE COndivar_Velt::GetTwoPhasePropList(BSTR, BSTR, VARIANT*)
{
    return E_NOTIMPL;
}

} // namespace ondivar
