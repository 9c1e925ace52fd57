// Random arguments for calls into the component, as a careless or hostile client would pass them:
// every VARIANT type, by value and by reference, arrays of one to three dimensions with any lower bound
// (empty, huge, with a bound at the end of the LONG range, with a type tag that lies), null and
// embedded-null BSTRs. Everything an ArgumentPool makes for one call it owns and frees afterwards,
// including what the callee wrote into out storage and by-reference slots.
#pragma once

#include "support/ComHandles.h"

#include <deque>
#include <random>

namespace ondivar::testing {

class ArgumentPool {
public:
    // dispatch is what VT_DISPATCH and VT_UNKNOWN arguments point at (may be null).
    ArgumentPool(std::mt19937& random, IDispatch* dispatch) : m_random(random), m_dispatch(dispatch) {}
    ArgumentPool(const ArgumentPool&) = delete;
    ArgumentPool& operator=(const ArgumentPool&) = delete;

    // A text: null, empty, with an embedded null, one of the names the component knows, or noise.
    BSTR text();
    // A value argument of any type; by-reference forms point at storage the pool owns.
    VARIANT variant();
    // An argument for IDispatch::Invoke: any value, or a reference to empty storage the callee may
    // write into (an out parameter).
    VARIANT invokeArgument();
    // Out storage, empty, or null one time in eight.
    template <class T> T* out()
    {
        if (chance(8))
            return nullptr;
        return outStorage<T>();
    }
    int number(int below) { return static_cast<int>(m_random() % static_cast<unsigned>(below)); }
    bool chance(int oneIn) { return number(oneIn) == 0; }

private:
    template <class T> T* outStorage();
    VARIANT scalar();
    VARIANT array();
    SAFEARRAY* makeArray(VARTYPE elementType);
    void fill(SAFEARRAY* target, VARTYPE elementType);

    std::mt19937& m_random;
    IDispatch* m_dispatch;
    std::deque<UniqueBstr> m_texts;
    std::deque<UniqueVariant> m_variants;
    std::deque<UniqueSafeArray> m_arrays;
    std::deque<double> m_doubles;
    std::deque<LONG> m_longs;
    std::deque<VARIANT_BOOL> m_bools;
    std::deque<CLSID> m_guids;
    std::deque<ULARGE_INTEGER> m_sizes;
    std::deque<ComPtr<IDispatch>> m_dispatches;
    std::deque<ComPtr<ITypeInfo>> m_typeInfos;
};

template <> inline BSTR* ArgumentPool::outStorage<BSTR>()
{
    return m_texts.emplace_back().put();
}
template <> inline VARIANT* ArgumentPool::outStorage<VARIANT>()
{
    return m_variants.emplace_back().get();
}
template <> inline double* ArgumentPool::outStorage<double>()
{
    return &m_doubles.emplace_back(0.0);
}
template <> inline LONG* ArgumentPool::outStorage<LONG>()
{
    return &m_longs.emplace_back(0);
}
template <> inline VARIANT_BOOL* ArgumentPool::outStorage<VARIANT_BOOL>()
{
    return &m_bools.emplace_back(VARIANT_FALSE);
}
template <> inline CLSID* ArgumentPool::outStorage<CLSID>()
{
    return &m_guids.emplace_back(CLSID());
}
template <> inline ULARGE_INTEGER* ArgumentPool::outStorage<ULARGE_INTEGER>()
{
    return &m_sizes.emplace_back(ULARGE_INTEGER());
}
template <> inline IDispatch** ArgumentPool::outStorage<IDispatch*>()
{
    return m_dispatches.emplace_back().put();
}
template <> inline ITypeInfo** ArgumentPool::outStorage<ITypeInfo*>()
{
    return m_typeInfos.emplace_back().put();
}

} // namespace ondivar::testing
