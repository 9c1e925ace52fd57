// COM for the client's thread: a single-threaded apartment, as a simulator's user-interface thread has,
// entered for the object's lifetime.
#pragma once

#include <objbase.h>

namespace ondivar::flow {

class ComApartment {
public:
    ComApartment() noexcept : m_hr(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;
    ~ComApartment()
    {
        if (SUCCEEDED(m_hr))
            CoUninitialize();
    }
    HRESULT hr() const noexcept { return m_hr; }

private:
    HRESULT m_hr;
};

} // namespace ondivar::flow
