#include "module/ClassFactory.h"

#include "com/ModuleLock.h"

namespace ondivar {

HRESULT STDMETHODCALLTYPE CClassFactory::QueryInterface(REFIID riid, void** object)
{
    if (object == nullptr)
        return E_POINTER;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IClassFactory)) {
        *object = static_cast<IClassFactory*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG STDMETHODCALLTYPE CClassFactory::AddRef()
{
    const LONG count = InterlockedIncrement(&m_refCount);
    // The first reference beyond the module's own.
    if (count == 2)
        lockModule();
    return static_cast<ULONG>(count);
}

ULONG STDMETHODCALLTYPE CClassFactory::Release()
{
    const LONG count = InterlockedDecrement(&m_refCount);
    if (count == 1)
        unlockModule();
    else if (count == 0)
        delete this;
    return static_cast<ULONG>(count);
}

HRESULT STDMETHODCALLTYPE CClassFactory::CreateInstance(IUnknown* outer, REFIID riid, void** object)
{
    return m_creator(outer, riid, object);
}

HRESULT STDMETHODCALLTYPE CClassFactory::LockServer(BOOL lock)
{
    if (lock)
        lockModule();
    else
        unlockModule();
    return S_OK;
}

} // namespace ondivar
