// Reference counting, identity and aggregation for a COM class of this module, apartment-threaded:
// counts are plain arithmetic. Derived declares its interfaces as bases and supplies
//     HRESULT findInterface(REFIID riid, void** object) noexcept;  // its interface table, in order
//     IUnknown* identity() noexcept;                                // its first entry, as IUnknown
// and forwards the IUnknown methods of every interface to delegatingQueryInterface,
// delegatingAddRef and delegatingRelease. A stand-alone object answers them itself; an aggregated one
// passes them to the outer object, and the outer object holds the inner one through the IUnknown that
// creation hands it.
#pragma once

#include "support/TarvoException.h"

#include <windows.h>
#include <unknwn.h>

#include <new>

namespace ondivar {

template <class Derived> class ComObjectRoot {
public:
    ComObjectRoot(const ComObjectRoot&) = delete;
    ComObjectRoot& operator=(const ComObjectRoot&) = delete;

    // Creates a Derived, stand-alone (outer null) or as the inner object of outer, and hands out
    // riid. An aggregated object can only be asked for IUnknown (it then hands out its non-delegating
    // unknown). A CMyException from Derived's constructor gives the exception's HRESULT; nothing
    // is recorded, as there is no object to record it.
    static HRESULT create(IUnknown* outer, REFIID riid, void** object) noexcept
    {
        if (object == nullptr)
            return E_POINTER;
        *object = nullptr;
        if (outer != nullptr && !IsEqualIID(riid, IID_IUnknown))
            return CLASS_E_NOAGGREGATION;
        Derived* created = nullptr;
        try {
            created = new Derived();
        } catch (const std::bad_alloc&) {
            return E_OUTOFMEMORY;
        } catch (const TarvoException::CMyException& failure) {
            long result = E_FAIL;
            failure.getHResult(result);
            return result;
        } catch (...) {
            return E_UNEXPECTED;
        }
        created->m_outer = outer;
        // Held while the interface is looked up: a failed lookup destroys the new object.
        created->nonDelegatingAddRef();
        const HRESULT hr = created->nonDelegatingQueryInterface(riid, object);
        created->nonDelegatingRelease();
        return hr;
    }

protected:
    ComObjectRoot() noexcept : m_inner(*this) {}
    ~ComObjectRoot() = default;

    HRESULT delegatingQueryInterface(REFIID riid, void** object) noexcept
    {
        return m_outer != nullptr ? m_outer->QueryInterface(riid, object)
                                  : nonDelegatingQueryInterface(riid, object);
    }
    ULONG delegatingAddRef() noexcept
    {
        return m_outer != nullptr ? m_outer->AddRef() : nonDelegatingAddRef();
    }
    ULONG delegatingRelease() noexcept
    {
        return m_outer != nullptr ? m_outer->Release() : nonDelegatingRelease();
    }

private:
    class NonDelegatingUnknown : public IUnknown {
    public:
        explicit NonDelegatingUnknown(ComObjectRoot& root) noexcept : m_root(root) {}
        HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override
        {
            return m_root.nonDelegatingQueryInterface(riid, object);
        }
        ULONG STDMETHODCALLTYPE AddRef() override { return m_root.nonDelegatingAddRef(); }
        ULONG STDMETHODCALLTYPE Release() override { return m_root.nonDelegatingRelease(); }

    private:
        ComObjectRoot& m_root;
    };

    Derived& derived() noexcept { return static_cast<Derived&>(*this); }

    HRESULT nonDelegatingQueryInterface(REFIID riid, void** object) noexcept
    {
        if (object == nullptr)
            return E_POINTER;
        *object = nullptr;
        if (IsEqualIID(riid, IID_IUnknown)) {
            IUnknown* unknown = m_outer != nullptr ? static_cast<IUnknown*>(&m_inner) : derived().identity();
            unknown->AddRef();
            *object = unknown;
            return S_OK;
        }
        const HRESULT hr = derived().findInterface(riid, object);
        if (SUCCEEDED(hr))
            static_cast<IUnknown*>(*object)->AddRef();
        return hr;
    }

    ULONG nonDelegatingAddRef() noexcept { return ++m_refCount; }

    ULONG nonDelegatingRelease() noexcept
    {
        const ULONG count = --m_refCount;
        if (count == 0) {
            // Keeps AddRef/Release pairs made while the object is destroyed from destroying it again.
            m_refCount = 1;
            delete &derived();
        }
        return count;
    }

    NonDelegatingUnknown m_inner;
    ULONG m_refCount = 0;
    IUnknown* m_outer = nullptr;
};

} // namespace ondivar
