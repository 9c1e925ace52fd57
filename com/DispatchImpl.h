// The IDispatch half of a dual interface, served from the interface's type information (invokeMember):
// one base per implemented dual interface, so that every interface has its own four dispatch slots. A
// member's failure reaches a caller who passed an EXCEPINFO with the object's recorded description.
#pragma once

#include "com/DispatchFailure.h"
#include "com/MemberInvoke.h"
#include "com/TypeInfoCache.h"

namespace ondivar {

template <class Interface, TypeLibraryId Library> class DispatchImpl : public Interface {
public:
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override
    {
        if (count == nullptr)
            return E_POINTER;
        *count = 1;
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID, ITypeInfo** typeInfo) override
    {
        if (typeInfo == nullptr)
            return E_POINTER;
        *typeInfo = nullptr;
        if (index != 0)
            return DISP_E_BADINDEX;
        const DualTypeInfo* info = nullptr;
        const HRESULT hr = findTypeInfo(Library, __uuidof(Interface), info);
        if (FAILED(hr))
            return hr;
        return info->described.copyTo(typeInfo);
    }

    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID,
                                            DISPID* ids) override
    {
        const DualTypeInfo* info = nullptr;
        const HRESULT hr = dispatchTypeInfo(riid, info);
        if (FAILED(hr))
            return hr;
        return info->described->GetIDsOfNames(names, count, ids);
    }

    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID riid, LCID, WORD flags, DISPPARAMS* parameters,
                                     VARIANT* result, EXCEPINFO* exception, UINT* argumentError) override
    {
        const DualTypeInfo* info = nullptr;
        const HRESULT hr = dispatchTypeInfo(riid, info);
        if (FAILED(hr))
            return hr;
        Interface* const instance = static_cast<Interface*>(this);
        const HRESULT invoked =
            invokeMember(*info, instance, id, flags, parameters, result, exception, argumentError);
        if (invoked == DISP_E_EXCEPTION && exception != nullptr)
            describeRecordedFailure(instance, *exception);
        return invoked;
    }

private:
    // The type information for a call that names riid: only IID_NULL is known.
    static HRESULT dispatchTypeInfo(REFIID riid, const DualTypeInfo*& info) noexcept
    {
        if (!IsEqualIID(riid, IID_NULL))
            return DISP_E_UNKNOWNINTERFACE;
        return findTypeInfo(Library, __uuidof(Interface), info);
    }
};

} // namespace ondivar
