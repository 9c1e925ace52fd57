// The error objects carried by CMyException. Their classes and fields mirror the CAPE-OPEN 1.1 error
// interfaces (ECapeRoot, ECapeUser, ECapeBadArgument, ECapeBoundaries, ...). Each concrete class has two
// constructors: from a code and a description, and from another CAPE-OPEN object whose error interfaces
// are read (the "source"; it is only used during the constructor and keeps its reference count).
// The fields are plain data: CMyException's accessors read and write them.
#pragma once

#include "support/ComHandles.h"
#include "support/TarvoException.h"

#include <string>

namespace TarvoException {

// Root of every error object: the ECapeRoot and ECapeUser data.
class CCapeUser {
public:
    virtual ~CCapeUser() = 0;

    std::wstring m_name;
    HRESULT m_code;
    std::wstring m_description;
    std::wstring m_scope;
    std::wstring m_interfaceName;
    std::wstring m_operation;
    std::wstring m_moreInfo;

protected:
    CCapeUser(HRESULT code, const std::wstring& description);
    explicit CCapeUser(IDispatch* source);
};

// The ECapeBoundaries data, an extra base of the bounded kinds.
class CCapeBoundaries {
public:
    virtual ~CCapeBoundaries() = 0;

    double m_lowerBound = 0.0;
    double m_upperBound = 0.0;
    double m_value = 0.0;
    std::wstring m_type;

protected:
    CCapeBoundaries() = default;
    explicit CCapeBoundaries(IDispatch* source);
};

// Declares a concrete error class with both constructors and its own destructor.
#define ONDIVAR_CAPE_ERROR_CLASS(Class, ...)                                                                 \
    class Class : __VA_ARGS__ {                                                                              \
    public:                                                                                                  \
        Class(HRESULT code, const std::wstring& description);                                                \
        explicit Class(IDispatch* source);                                                                   \
        ~Class() override;                                                                                   \
    }

ONDIVAR_CAPE_ERROR_CLASS(CCapeUnknown, public CCapeUser);
ONDIVAR_CAPE_ERROR_CLASS(CCapeData, public CCapeUser);

class CCapeBadCOParameter : public CCapeData {
public:
    CCapeBadCOParameter(HRESULT code, const std::wstring& description);
    explicit CCapeBadCOParameter(IDispatch* source);
    ~CCapeBadCOParameter() override;

    std::wstring m_parameterName;
    // One counted reference, released with the object.
    ondivar::ComPtr<IDispatch> m_parameter;
};

class CCapeBadArgument : public CCapeData {
public:
    CCapeBadArgument(HRESULT code, const std::wstring& description);
    explicit CCapeBadArgument(IDispatch* source);
    ~CCapeBadArgument() override;

    // Position of the faulty argument; -1 when a source could not tell it.
    short m_position = 0;
};

ONDIVAR_CAPE_ERROR_CLASS(CCapeInvalidArgument, public CCapeBadArgument);
ONDIVAR_CAPE_ERROR_CLASS(CCapeOutOfBounds, public CCapeBadArgument, public CCapeBoundaries);
ONDIVAR_CAPE_ERROR_CLASS(CCapeImplementation, public CCapeUser);
ONDIVAR_CAPE_ERROR_CLASS(CCapeNoImpl, public CCapeImplementation);
ONDIVAR_CAPE_ERROR_CLASS(CCapeLimitedImpl, public CCapeImplementation);
ONDIVAR_CAPE_ERROR_CLASS(CCapeComputation, public CCapeUser);
ONDIVAR_CAPE_ERROR_CLASS(CCapeOutOfResources, public CCapeComputation, public CCapeBoundaries);
ONDIVAR_CAPE_ERROR_CLASS(CCapeNoMemory, public CCapeOutOfResources);
ONDIVAR_CAPE_ERROR_CLASS(CCapeTimeOut, public CCapeOutOfResources);
ONDIVAR_CAPE_ERROR_CLASS(CCapeFailedInitialisation, public CCapeComputation);
ONDIVAR_CAPE_ERROR_CLASS(CCapeSolvingError, public CCapeComputation);

class CCapeBadInvOrder : public CCapeComputation {
public:
    CCapeBadInvOrder(HRESULT code, const std::wstring& description);
    explicit CCapeBadInvOrder(IDispatch* source);
    ~CCapeBadInvOrder() override;

    std::wstring m_requestedOperation;
};

ONDIVAR_CAPE_ERROR_CLASS(CCapeInvalidOperation, public CCapeComputation);
ONDIVAR_CAPE_ERROR_CLASS(CCapePersistence, public CCapeUser);
ONDIVAR_CAPE_ERROR_CLASS(CCapeIllegalAccess, public CCapePersistence);

class CCapePersistenceNotFound : public CCapePersistence {
public:
    CCapePersistenceNotFound(HRESULT code, const std::wstring& description);
    explicit CCapePersistenceNotFound(IDispatch* source);
    ~CCapePersistenceNotFound() override;

    std::wstring m_itemName;
};

ONDIVAR_CAPE_ERROR_CLASS(CCapePersistenceSystemError, public CCapePersistence);
ONDIVAR_CAPE_ERROR_CLASS(CCapePersistenceOverflow, public CCapePersistence, public CCapeBoundaries);

#undef ONDIVAR_CAPE_ERROR_CLASS

} // namespace TarvoException
