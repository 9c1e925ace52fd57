#include "support/CapeErrors.h"

namespace TarvoException {

CCapeUser::CCapeUser(HRESULT code, const std::wstring& description) : m_code(code), m_description(description)
{
}

CCapeUser::~CCapeUser() = default;

CCapeBoundaries::~CCapeBoundaries() = default;

// Classes whose constructors only hand their arguments to the base (the source form reads what the
// bases read).
#define ONDIVAR_FORWARDING_CAPE_ERROR(Class, Base, ...)                                                      \
    Class::Class(HRESULT code, const std::wstring& description) : Base(code, description) {}                 \
    Class::Class(IDispatch* source) : Base(source) __VA_ARGS__ {}                                            \
    Class::~Class() = default;

ONDIVAR_FORWARDING_CAPE_ERROR(CCapeUnknown, CCapeUser)
ONDIVAR_FORWARDING_CAPE_ERROR(CCapeData, CCapeUser)
ONDIVAR_FORWARDING_CAPE_ERROR(CCapeInvalidArgument, CCapeBadArgument)
ONDIVAR_FORWARDING_CAPE_ERROR(CCapeImplementation, CCapeUser)
ONDIVAR_FORWARDING_CAPE_ERROR(CCapeNoImpl, CCapeImplementation)
ONDIVAR_FORWARDING_CAPE_ERROR(CCapeLimitedImpl, CCapeImplementation)
ONDIVAR_FORWARDING_CAPE_ERROR(CCapeComputation, CCapeUser)
ONDIVAR_FORWARDING_CAPE_ERROR(CCapeNoMemory, CCapeOutOfResources)
ONDIVAR_FORWARDING_CAPE_ERROR(CCapeTimeOut, CCapeOutOfResources)
ONDIVAR_FORWARDING_CAPE_ERROR(CCapeFailedInitialisation, CCapeComputation)
ONDIVAR_FORWARDING_CAPE_ERROR(CCapeSolvingError, CCapeComputation)
ONDIVAR_FORWARDING_CAPE_ERROR(CCapeInvalidOperation, CCapeComputation)
ONDIVAR_FORWARDING_CAPE_ERROR(CCapePersistence, CCapeUser)
ONDIVAR_FORWARDING_CAPE_ERROR(CCapeIllegalAccess, CCapePersistence)
ONDIVAR_FORWARDING_CAPE_ERROR(CCapePersistenceSystemError, CCapePersistence)

// The bounded kinds: the boundaries are read after everything the first base reads.
ONDIVAR_FORWARDING_CAPE_ERROR(CCapeOutOfBounds, CCapeBadArgument, , CCapeBoundaries(source))
ONDIVAR_FORWARDING_CAPE_ERROR(CCapeOutOfResources, CCapeComputation, , CCapeBoundaries(source))
ONDIVAR_FORWARDING_CAPE_ERROR(CCapePersistenceOverflow, CCapePersistence, , CCapeBoundaries(source))

#undef ONDIVAR_FORWARDING_CAPE_ERROR

// The kinds with fields of their own; their source forms are with the other readings of a source.
CCapeBadCOParameter::CCapeBadCOParameter(HRESULT code, const std::wstring& description)
    : CCapeData(code, description)
{
}

CCapeBadCOParameter::~CCapeBadCOParameter() = default;

CCapeBadArgument::CCapeBadArgument(HRESULT code, const std::wstring& description)
    : CCapeData(code, description)
{
}

CCapeBadArgument::~CCapeBadArgument() = default;

CCapeBadInvOrder::CCapeBadInvOrder(HRESULT code, const std::wstring& description)
    : CCapeComputation(code, description)
{
}

CCapeBadInvOrder::~CCapeBadInvOrder() = default;

CCapePersistenceNotFound::CCapePersistenceNotFound(HRESULT code, const std::wstring& description)
    : CCapePersistence(code, description)
{
}

CCapePersistenceNotFound::~CCapePersistenceNotFound() = default;

} // namespace TarvoException
