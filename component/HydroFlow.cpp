// ICapeHydroFlow: the flow inputs and results.
// Not implemented yet: every operation answers E_NOTIMPL.
#include "component/Ondivar_Velt.h"

namespace ondivar {

HRESULT STDMETHODCALLTYPE COndivar_Velt::ClearAllProps()
{
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE COndivar_Velt::CreateHPM(IDispatch**)
{
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE COndivar_Velt::CopyFromHPM(IDispatch*)
{
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE COndivar_Velt::GetFlowRegime(BSTR*, BSTR*)
{
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE COndivar_Velt::GetMixtureProp(BSTR, VARIANT*)
{
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE COndivar_Velt::GetSingleHydroProp(BSTR, BSTR, VARIANT*)
{
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE COndivar_Velt::GetTwoHydroProp(BSTR, VARIANT, VARIANT*)
{
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE COndivar_Velt::SetGeometryProp(BSTR, VARIANT)
{
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE COndivar_Velt::SetMixtureProp(BSTR, VARIANT)
{
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE COndivar_Velt::SetOverallProp(BSTR, VARIANT*)
{
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE COndivar_Velt::SetPresentPhases(VARIANT, VARIANT, VARIANT)
{
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE COndivar_Velt::SetSingleHydroProp(BSTR, BSTR, VARIANT)
{
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE COndivar_Velt::SetSinglePhaseProp(BSTR, BSTR, VARIANT)
{
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE COndivar_Velt::SetTwoHydroProp(BSTR, VARIANT, VARIANT)
{
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE COndivar_Velt::SetTwoPhaseProp(BSTR, VARIANT, VARIANT)
{
    return E_NOTIMPL;
}

} // namespace ondivar
