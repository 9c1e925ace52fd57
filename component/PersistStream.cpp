// IPersistStream: the component keeps nothing from one session to the next. Saving writes no bytes,
// loading reads none, and the component always reports itself as changed. The stream is never touched.
#include "com/ComBoundary.h"
#include "component/Ondivar_Velt.h"

namespace ondivar {

HRESULT STDMETHODCALLTYPE COndivar_Velt::GetClassID(CLSID* classId)
{
    return comCall(*this, L"IPersistStream", L"GetClassID", [&](ComCall&) {
        if (classId == nullptr)
            return E_POINTER;
        // What a host records to create the component again.
        *classId = CLSID_Ondivar_Velt;
        return S_OK;
    });
}

HRESULT STDMETHODCALLTYPE COndivar_Velt::IsDirty()
{
    return comCall(*this, L"IPersistStream", L"IsDirty", [&](ComCall&) { return S_OK; });
}

HRESULT STDMETHODCALLTYPE COndivar_Velt::Load(IStream*)
{
    return comCall(*this, L"IPersistStream", L"Load", [&](ComCall&) { return S_OK; });
}

HRESULT STDMETHODCALLTYPE COndivar_Velt::Save(IStream*, BOOL)
{
    return comCall(*this, L"IPersistStream", L"Save", [&](ComCall&) { return S_OK; });
}

HRESULT STDMETHODCALLTYPE COndivar_Velt::GetSizeMax(ULARGE_INTEGER*)
{
    return comCall(*this, L"IPersistStream", L"GetSizeMax", [&](ComCall&) { return E_NOTIMPL; });
}

} // namespace ondivar
