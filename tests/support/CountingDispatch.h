// IDispatch test doubles that count their references, for checking that conversions and error objects
// take and give back exactly the references they should. They live on the test's stack: the count only
// records, so a missing or an extra Release shows as a wrong count.
#pragma once

#include "tests/common/NoTypeInfoDispatch.h"

namespace ondivar::testing {

// IUnknown's counting and IDispatch for one object implementing Interfaces (each derived from
// IDispatch); the object answers QueryInterface itself.
template <class... Interfaces> class CountedDispatch : public NoTypeInfoDispatch<Interfaces...> {
public:
    ULONG refs() const { return m_refs; }

    ULONG STDMETHODCALLTYPE AddRef() override { return ++m_refs; }
    ULONG STDMETHODCALLTYPE Release() override { return --m_refs; }

protected:
    ULONG m_refs = 1;
};

// A plain IDispatch object.
class CountingDispatch : public CountedDispatch<IDispatch> {
public:
    // References beyond the one the test holds through the object itself.
    ULONG extraReferences() const { return refs() - 1; }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override
    {
        if (out == nullptr)
            return E_POINTER;
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch)) {
            *out = static_cast<IDispatch*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
};

} // namespace ondivar::testing
