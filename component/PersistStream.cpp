// IPersistStream: the component keeps nothing from one session to the next. Saving writes no bytes,
// loading reads none, and the component always reports itself as changed. The stream is never touched.
#include "component/Ondivar_Velt.h"

namespace ondivar {

HRESULT STDMETHODCALLTYPE COndivar_Velt::GetClassID(CLSID* classId)
{
    if (classId == nullptr)
        return E_POINTER;
    // What a host records to create the component again.
    *classId = CLSID_Ondivar_Velt;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE COndivar_Velt::IsDirty()
{
    return S_OK;
}

HRESULT STDMETHODCALLTYPE COndivar_Velt::Load(IStream*)
{
    return S_OK;
}

HRESULT STDMETHODCALLTYPE COndivar_Velt::Save(IStream*, BOOL)
{
    return S_OK;
}

HRESULT STDMETHODCALLTYPE COndivar_Velt::GetSizeMax(ULARGE_INTEGER*)
{
    return E_NOTIMPL;
}

} // namespace ondivar
