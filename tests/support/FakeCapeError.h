// Test doubles for CAPE-OPEN objects: a counted IDispatch, and an error object answering a chosen set of
// ECape interfaces whose getters either give fixed values, fail, or succeed without giving anything.
#pragma once

#include "support/ComHandles.h"

#include "CountingDispatch.h"

#include "CapeOpen110.h"

#include <vector>

namespace fakes {

using ondivar::testing::CountedDispatch;
// A plain object to hand out as a bad parameter.
using Parameter = ondivar::testing::CountingDispatch;

enum Exposes : unsigned {
    root = 1,
    user = 2,
    badArgument = 4,
    boundaries = 8,
    badCOParameter = 16,
    badInvOrder = 32,
    persistenceNotFound = 64,
    everything = 127,
};

enum class Getters {
    values,      // succeed with the values below
    fail,        // return E_FAIL and write nothing
    succeedEmpty // succeed with null strings and pointers; numbers are left unwritten
};

class CapeError : public CountedDispatch<ECapeRoot, ECapeUser, ECapeBadArgument, ECapeBoundaries,
                                         ECapeBadCOParameter, ECapeBadInvOrder, ECapePersistenceNotFound> {
public:
    CapeError(unsigned exposes, Getters getters, IDispatch* parameter = nullptr)
        : m_exposes(exposes), m_getters(getters), m_parameter(parameter)
    {
    }

    // The interfaces asked for, in order (IUnknown and IDispatch left out).
    std::vector<IID> queried;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override
    {
        *out = nullptr;
        if (iid == IID_IUnknown || iid == IID_IDispatch)
            *out = static_cast<ECapeRoot*>(this);
        else {
            queried.push_back(iid);
            if (iid == IID_ECapeRoot && (m_exposes & root))
                *out = static_cast<ECapeRoot*>(this);
            else if (iid == IID_ECapeUser && (m_exposes & user))
                *out = static_cast<ECapeUser*>(this);
            else if (iid == IID_ECapeBadArgument && (m_exposes & badArgument))
                *out = static_cast<ECapeBadArgument*>(this);
            else if (iid == IID_ECapeBoundaries && (m_exposes & boundaries))
                *out = static_cast<ECapeBoundaries*>(this);
            else if (iid == IID_ECapeBadCOParameter && (m_exposes & badCOParameter))
                *out = static_cast<ECapeBadCOParameter*>(this);
            else if (iid == IID_ECapeBadInvOrder && (m_exposes & badInvOrder))
                *out = static_cast<ECapeBadInvOrder*>(this);
            else if (iid == IID_ECapePersistenceNotFound && (m_exposes & persistenceNotFound))
                *out = static_cast<ECapePersistenceNotFound*>(this);
        }
        if (*out == nullptr)
            return E_NOINTERFACE;
        AddRef();
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE get_name(BSTR* s) override { return text(L"Fake component", s); }
    HRESULT STDMETHODCALLTYPE get_code(LONG* code) override { return number(LONG(0x80040509), code); }
    HRESULT STDMETHODCALLTYPE get_description(BSTR* s) override { return text(L"Fake failure.\n", s); }
    HRESULT STDMETHODCALLTYPE get_scope(BSTR* s) override { return text(L"Fake scope", s); }
    HRESULT STDMETHODCALLTYPE get_interfaceName(BSTR* s) override { return text(L"ICapeFake", s); }
    HRESULT STDMETHODCALLTYPE get_operation(BSTR* s) override { return text(L"Calculate", s); }
    HRESULT STDMETHODCALLTYPE get_moreInfo(BSTR* s) override { return text(L"See the log", s); }
    HRESULT STDMETHODCALLTYPE get_position(short* position) override { return number(short(3), position); }
    HRESULT STDMETHODCALLTYPE get_LowerBound(double* v) override { return number(-1.5, v); }
    HRESULT STDMETHODCALLTYPE get_UpperBound(double* v) override { return number(2.5, v); }
    HRESULT STDMETHODCALLTYPE get_value(double* v) override { return number(7.0, v); }
    HRESULT STDMETHODCALLTYPE get_Type(BSTR* s) override { return text(L"Pressure", s); }
    HRESULT STDMETHODCALLTYPE get_parameterName(BSTR* s) override { return text(L"Diameter", s); }
    HRESULT STDMETHODCALLTYPE get_parameter(IDispatch** out) override
    {
        *out = nullptr;
        if (m_getters == Getters::fail)
            return E_FAIL;
        if (m_getters == Getters::values && m_parameter != nullptr) {
            *out = m_parameter;
            m_parameter->AddRef();
        }
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_requestedOperation(BSTR* s) override { return text(L"Initialize", s); }
    HRESULT STDMETHODCALLTYPE get_itemName(BSTR* s) override { return text(L"Holdup", s); }

private:
    HRESULT text(const wchar_t* value, BSTR* out)
    {
        *out = m_getters == Getters::values ? SysAllocString(value) : nullptr;
        return m_getters == Getters::fail ? E_FAIL : S_OK;
    }
    template <class T> HRESULT number(T value, T* out)
    {
        if (m_getters == Getters::values)
            *out = value;
        return m_getters == Getters::fail ? E_FAIL : S_OK;
    }

    unsigned m_exposes;
    Getters m_getters;
    IDispatch* m_parameter; // not owned: the test keeps it alive
};

} // namespace fakes
