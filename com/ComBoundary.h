// The boundary every COM operation of an object runs through: no exception leaves it. A failure the
// operation detects itself goes through call.fail; a CMyException raised by the code it calls is
// recorded as it was made; anything else (std::bad_alloc, ...) is recorded as a CAPE-OPEN error too.
// Everything is recorded in the object's CallErrorRecorder, and the operation returns the HRESULT of
// what was recorded.
#pragma once

#include "com/CallErrorRecorder.h"

#include <windows.h>

namespace ondivar {

class ComCall {
public:
    ComCall(CallErrorRecorder& errors, const wchar_t* interfaceName, const wchar_t* operation) noexcept
        : m_errors(errors), m_interfaceName(interfaceName), m_operation(operation)
    {
    }

    // The failure frame: records a failure of CAPE-OPEN HRESULT capeHr detected by the operation
    // itself and returns the HRESULT to hand to the caller.
    HRESULT fail(HRESULT capeHr) const;
    // The same with description as the failure's description, for failures that a caller's text or a
    // missing value brought about. The description is used as it is: it is never a format.
    HRESULT fail(HRESULT capeHr, std::wstring description) const;
    // The same for a value refused as out of its range: the boundaries go with the error.
    HRESULT fail(HRESULT capeHr, std::wstring description, const CapeBoundaries& boundaries) const;
    // Refuses a null out argument: records the failure (an invalid argument, named in the description)
    // and returns E_POINTER, the code COM callers expect for it.
    HRESULT nullOutArgument(const wchar_t* argument) const;

    // Records the exception being handled (call only from a catch block) and returns its HRESULT.
    HRESULT recordCurrentException() const noexcept;

private:
    CallErrorRecorder& m_errors;
    const wchar_t* m_interfaceName;
    const wchar_t* m_operation;
};

// Runs body(ComCall&) -> HRESULT for the operation interfaceName::operation.
template <class Body>
HRESULT comCall(CallErrorRecorder& errors, const wchar_t* interfaceName, const wchar_t* operation,
                Body&& body) noexcept
{
    ComCall call(errors, interfaceName, operation);
    try {
        return body(call);
    } catch (...) {
        return call.recordCurrentException();
    }
}

} // namespace ondivar
