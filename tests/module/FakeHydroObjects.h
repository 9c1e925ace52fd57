// Small objects behind the marshalled interfaces, for calls through the proxies and stubs. Each records
// the thread it was last called on.
#pragma once

#include "OndivarLib.h"
#include "support/ComHandles.h"
#include "tests/common/NoTypeInfoDispatch.h"

#include <atomic>
#include <string>

namespace ondivar::testing {

// How many fakes live in the process.
inline std::atomic<int>& liveFakes()
{
    static std::atomic<int> count{0};
    return count;
}

// IUnknown and an IDispatch without type information for one interface.
template <class Interface> class FakeDispatch : public ondivar::testing::NoTypeInfoDispatch<Interface> {
public:
    FakeDispatch() { ++liveFakes(); }
    ~FakeDispatch() override { --liveFakes(); }
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override
    {
        if (out == nullptr)
            return E_POINTER;
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch) ||
            IsEqualIID(iid, __uuidof(Interface))) {
            *out = static_cast<Interface*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++m_references; }
    ULONG STDMETHODCALLTYPE Release() override
    {
        const ULONG left = --m_references;
        if (left == 0)
            delete this;
        return left;
    }

    DWORD calledOnThread() const noexcept { return m_thread; }

protected:
    void called() noexcept { m_thread = GetCurrentThreadId(); }

private:
    std::atomic<ULONG> m_references{1};
    std::atomic<DWORD> m_thread{0};
};

// Three phases: "Vapor", "Liquid", "Liquid" of types "Gas", "Organic", "Aqueous".
class FakePhases : public FakeDispatch<ICapeHydroPhases> {
public:
    HRESULT STDMETHODCALLTYPE GetNumPhases(long* num) override;
    HRESULT STDMETHODCALLTYPE GetPhaseInfo(long numPhase, BSTR* stateOfAggregation, BSTR* typeInfo) override;
};

// Offers the packages "Ondivar" and "Drift flux"; creates a FakePhases for "Ondivar".
class FakePackageManager : public FakeDispatch<ICapeHydroPackageManager> {
public:
    HRESULT STDMETHODCALLTYPE GetHydroPackageList(VARIANT* packageNames) override;
    HRESULT STDMETHODCALLTYPE GetHydroPackage(BSTR packageName, IDispatch** package) override;
};

// Keeps the context it is handed.
class FakeContext : public FakeDispatch<ICapeHydroContext> {
public:
    HRESULT STDMETHODCALLTYPE SetHydroContext(IDispatch* context) override;
    IDispatch* received() const noexcept { return m_context.get(); }

private:
    ComPtr<IDispatch> m_context;
};

} // namespace ondivar::testing
