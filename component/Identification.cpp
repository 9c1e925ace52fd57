// ICapeIdentification: the component's name and description. Nothing here checks or fails.
#include "com/ComBoundary.h"
#include "component/Ondivar_Velt.h"

#include "support/StringConversion.h"

namespace ondivar {
namespace {

constexpr const wchar_t* kInterface = L"ICapeIdentification";

} // namespace

HRESULT STDMETHODCALLTYPE COndivar_Velt::get_ComponentName(BSTR* name)
{
    if (name == nullptr)
        return E_POINTER;
    *name = nullptr;
    return comCall(*this, kInterface, L"get_ComponentName", [&](ComCall&) {
        stringToBSTR(m_componentName, *name);
        return S_OK;
    });
}

HRESULT STDMETHODCALLTYPE COndivar_Velt::put_ComponentName(BSTR name)
{
    return comCall(*this, kInterface, L"put_ComponentName", [&](ComCall&) {
        bstrToString(name, m_componentName);
        return S_OK;
    });
}

HRESULT STDMETHODCALLTYPE COndivar_Velt::get_ComponentDescription(BSTR* description)
{
    if (description == nullptr)
        return E_POINTER;
    *description = nullptr;
    return comCall(*this, kInterface, L"get_ComponentDescription", [&](ComCall&) {
        stringToBSTR(m_componentDescription, *description);
        return S_OK;
    });
}

HRESULT STDMETHODCALLTYPE COndivar_Velt::put_ComponentDescription(BSTR description)
{
    return comCall(*this, kInterface, L"put_ComponentDescription", [&](ComCall&) {
        bstrToString(description, m_componentDescription);
        return S_OK;
    });
}

} // namespace ondivar
