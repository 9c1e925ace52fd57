// ICapeHydroFields: fields and layers.
// Not implemented yet: every operation answers E_NOTIMPL.
#include "component/Ondivar_Velt.h"

namespace ondivar {

HRESULT STDMETHODCALLTYPE COndivar_Velt::GetFieldInfo(BSTR, BSTR, BSTR, BSTR*)
{
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE COndivar_Velt::GetLayerInfo(BSTR, BSTR, BSTR*)
{
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE COndivar_Velt::GetPresentFields(BSTR, VARIANT*)
{
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE COndivar_Velt::GetPresentLayers(VARIANT*)
{
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE COndivar_Velt::GetPresentPhases(BSTR, BSTR, VARIANT*)
{
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE COndivar_Velt::GetSingleFieldProp(BSTR, BSTR, BSTR, double*)
{
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE COndivar_Velt::GetSingleLayerProp(BSTR, BSTR, double*)
{
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE COndivar_Velt::GetSinglePhaseProp(BSTR, BSTR, BSTR, BSTR, double*)
{
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE COndivar_Velt::GetTwoLayerProp(BSTR, VARIANT, double*)
{
    return E_NOTIMPL;
}

} // namespace ondivar
