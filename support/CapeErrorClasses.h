// The CAPE-OPEN 1.1 error classes, in one list that every table of them is made from: their HRESULTs
// (kCapeUnknown, kCapeData, ...), their interface names ("ECapeUnknown", ...), the library codes the
// system raises for some of them, and (support/ErrorInterpretation.cpp) the error object each one gets.
#pragma once

// HRESULT without a Windows header, so that the model can name the code it raises.
#include "support/TarvoException.h"

namespace ondivar {

// X(Name, CAPE-OPEN HRESULT, library code raised inside the system for it or 0, error object class).
// A licence error has no class of its own: it is read as an unknown error.
#define ONDIVAR_CAPE_ERROR_CLASSES(X)                                                                        \
    X(Unknown, 0x80040501u, 0u, CCapeUnknown)                                                                \
    X(Data, 0x80040502u, 0u, CCapeData)                                                                      \
    X(LicenceError, 0x80040503u, 0u, CCapeUnknown)                                                           \
    X(BadCOParameter, 0x80040504u, 0u, CCapeBadCOParameter)                                                  \
    X(BadArgument, 0x80040505u, 0x80040009u, CCapeBadArgument)                                               \
    X(InvalidArgument, 0x80040506u, 0x80040007u, CCapeInvalidArgument)                                       \
    X(OutOfBounds, 0x80040507u, 0x80040008u, CCapeOutOfBounds)                                               \
    X(Implementation, 0x80040508u, 0u, CCapeImplementation)                                                  \
    X(NoImpl, 0x80040509u, 0x8004000Bu, CCapeNoImpl)                                                         \
    X(LimitedImpl, 0x8004050Au, 0u, CCapeLimitedImpl)                                                        \
    X(Computation, 0x8004050Bu, 0x8004000Du, CCapeComputation)                                               \
    X(OutOfResources, 0x8004050Cu, 0u, CCapeOutOfResources)                                                  \
    X(NoMemory, 0x8004050Du, 0u, CCapeNoMemory)                                                              \
    X(TimeOut, 0x8004050Eu, 0u, CCapeTimeOut)                                                                \
    X(FailedInitialisation, 0x8004050Fu, 0x8004000Au, CCapeFailedInitialisation)                             \
    X(SolvingError, 0x80040510u, 0x80040005u, CCapeSolvingError)                                             \
    X(BadInvOrder, 0x80040511u, 0x80040006u, CCapeBadInvOrder)                                               \
    X(InvalidOperation, 0x80040512u, 0u, CCapeInvalidOperation)                                              \
    X(Persistence, 0x80040513u, 0u, CCapePersistence)                                                        \
    X(IllegalAccess, 0x80040514u, 0u, CCapeIllegalAccess)                                                    \
    X(PersistenceNotFound, 0x80040515u, 0u, CCapePersistenceNotFound)                                        \
    X(PersistenceSystemError, 0x80040516u, 0u, CCapePersistenceSystemError)                                  \
    X(PersistenceOverflow, 0x80040517u, 0u, CCapePersistenceOverflow)

// kCapeUnknown, kCapeData, ...
#define ONDIVAR_CAPE_HRESULT(Name, code, libraryCode, Class)                                                 \
    constexpr HRESULT kCape##Name = static_cast<HRESULT>(code);
ONDIVAR_CAPE_ERROR_CLASSES(ONDIVAR_CAPE_HRESULT)
#undef ONDIVAR_CAPE_HRESULT

struct CapeErrorClass {
    HRESULT code;
    // The error interface's name, "ECapeUnknown" for kCapeUnknown.
    const wchar_t* name;
    // The code the system raises inside itself for this class (checkCondition), or 0.
    HRESULT libraryCode;
};

#define ONDIVAR_CAPE_ERROR_ROW(Name, code, libraryCode, Class)                                               \
    {static_cast<HRESULT>(code), L"ECape" #Name, static_cast<HRESULT>(libraryCode)},
inline constexpr CapeErrorClass kCapeErrorClasses[] = {ONDIVAR_CAPE_ERROR_CLASSES(ONDIVAR_CAPE_ERROR_ROW)};
#undef ONDIVAR_CAPE_ERROR_ROW

// The class of CAPE-OPEN HRESULT code, or null for any other code.
constexpr const CapeErrorClass* findCapeErrorClass(HRESULT code) noexcept
{
    for (const CapeErrorClass& errorClass : kCapeErrorClasses)
        if (errorClass.code == code)
            return &errorClass;
    return nullptr;
}

// The library code raised inside the system for the class of CAPE-OPEN HRESULT code.
constexpr HRESULT libraryCode(HRESULT code) noexcept
{
    const CapeErrorClass* errorClass = findCapeErrorClass(code);
    return errorClass != nullptr ? errorClass->libraryCode : 0;
}

// Whether hr is in the range of the CAPE-OPEN error HRESULTs (0x800405xx).
constexpr bool isCapeOpenHResult(HRESULT hr) noexcept
{
    return (static_cast<unsigned long>(hr) & 0xFFFFFF00ul) == 0x80040500ul;
}

} // namespace ondivar
