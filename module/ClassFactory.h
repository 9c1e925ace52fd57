// The class object of a class in the module's class table. The module creates it once and keeps it
// (that reference holds no module lock); every further reference a client holds counts as a lock on the
// module, so the DLL stays loaded while a client keeps the class object. Reference counting is
// interlocked: class objects are used from any thread.
#pragma once

#include <windows.h>
#include <unknwn.h>

namespace ondivar {

class CClassFactory final : public IClassFactory {
public:
    // Creates an instance stand-alone (outer null) or aggregated; the class's own rules apply
    // (E_POINTER, CLASS_E_NOAGGREGATION).
    using Creator = HRESULT (*)(IUnknown* outer, REFIID riid, void** object) noexcept;

    // The new object holds one reference: the module's cache.
    explicit CClassFactory(Creator creator) noexcept : m_creator(creator) {}
    CClassFactory(const CClassFactory&) = delete;
    CClassFactory& operator=(const CClassFactory&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID riid, void** object) override;
    // Takes (TRUE) or releases (FALSE) a lock on the module.
    HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override;

private:
    ~CClassFactory() = default;

    Creator m_creator;
    LONG m_refCount = 1;
};

} // namespace ondivar
