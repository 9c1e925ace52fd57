// The IDispatch part of a test double that carries no type information: it says it has none and refuses
// every dispatch call. One set of overrides serves every interface in Interfaces (each derived from
// IDispatch); the double supplies IUnknown.
#pragma once

#include <windows.h>
#include <oaidl.h>

namespace ondivar::testing {

template <class... Interfaces> class NoTypeInfoDispatch : public Interfaces... {
public:
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override
    {
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override
    {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                     UINT*) override
    {
        return E_NOTIMPL;
    }

    virtual ~NoTypeInfoDispatch() = default;
};

} // namespace ondivar::testing
