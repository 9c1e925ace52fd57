// ICapeHydroFlowRoutine: the flow calculation and the state vector.
// Not implemented yet: every operation answers E_NOTIMPL.
#include "component/Ondivar_Velt.h"

namespace ondivar {

HRESULT STDMETHODCALLTYPE COndivar_Velt::CalcFlow(BSTR, BSTR, BSTR)
{
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE COndivar_Velt::CheckCalcFlowSpec(BSTR, BSTR, BSTR, VARIANT_BOOL*)
{
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE COndivar_Velt::GetFinalState(VARIANT*)
{
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE COndivar_Velt::SetInitState(VARIANT)
{
    return E_NOTIMPL;
}

} // namespace ondivar
