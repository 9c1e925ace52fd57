// IPersistStream: saving and restoring the component.
// Not implemented yet: every operation answers E_NOTIMPL.
#include "component/Ondivar_Velt.h"

namespace ondivar {

HRESULT STDMETHODCALLTYPE COndivar_Velt::GetClassID(CLSID*)
{
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE COndivar_Velt::IsDirty()
{
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE COndivar_Velt::Load(IStream*)
{
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE COndivar_Velt::Save(IStream*, BOOL)
{
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE COndivar_Velt::GetSizeMax(ULARGE_INTEGER*)
{
    return E_NOTIMPL;
}

} // namespace ondivar
