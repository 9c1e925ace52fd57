// COM on the calling thread for the owner's lifetime: the apartment a client program, a benchmark or a
// test runs in: apartment-threaded unless another model is asked for (the owner checks hr()).
#pragma once

#include <objbase.h>

namespace ondivar {

class ComApartment {
public:
    explicit ComApartment(DWORD model = COINIT_APARTMENTTHREADED) noexcept
        : m_hr(CoInitializeEx(nullptr, model))
    {
    }
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

} // namespace ondivar
