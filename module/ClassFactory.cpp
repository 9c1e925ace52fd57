#include "module/ClassFactory.h"

#include "module/OndivarModule.h"

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
        g_module.lock();
    return static_cast<ULONG>(count);
}

ULONG STDMETHODCALLTYPE CClassFactory::Release()
{
    const LONG count = InterlockedDecrement(&m_refCount);
    if (count == 1)
        g_module.unlock();
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
        g_module.lock();
    else
        g_module.unlock();
    return S_OK;
}

} // namespace ondivar
