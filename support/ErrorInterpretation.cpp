#include "support/ErrorInterpretation.h"

#include <cstdint>

namespace TarvoException {
namespace {

template <class T> std::unique_ptr<CCapeUser> makeWithText(HRESULT code, const std::wstring& description)
{
    return std::make_unique<T>(code, description);
}

struct InterpretationRow {
    std::uint32_t raised;
    std::unique_ptr<CCapeUser> (*make)(HRESULT, const std::wstring&);
    const wchar_t* text;
    std::uint32_t reported;
};

// Codes the system raises through checkCondition have no text of their own: the caller's message is
// the whole description.
const InterpretationRow interpretations[] = {
    {0x80004001u, makeWithText<CCapeNoImpl>, L"Operation not implemented.\n", 0x80040509u},
    {0x80004002u, makeWithText<CCapeFailedInitialisation>,
     L"The interface does not implement the requested interface.\n", 0x8004050Fu},
    {0x8000FFFFu, makeWithText<CCapeUnknown>, L"Unexpected exception.\n", 0x80040501u},
    {0x80020008u, makeWithText<CCapeComputation>,
     L"The source and destination argument have an invalid type (usually uninitialized).\n", 0x8004050Bu},
    {0x8002000Bu, makeWithText<CCapeData>, L"Bad index.\n", 0x80040502u},
    {0x8002000Du, makeWithText<CCapeComputation>, L"One of the arguments contains an array that is locked.\n",
     0x8004050Bu},
    {0x80040005u, makeWithText<CCapeSolvingError>, L"", 0x80040510u},
    {0x80040006u, makeWithText<CCapeBadInvOrder>, L"", 0x80040511u},
    {0x80040007u, makeWithText<CCapeInvalidArgument>, L"", 0x80040506u},
    {0x80040008u, makeWithText<CCapeOutOfBounds>, L"", 0x80040507u},
    {0x80040009u, makeWithText<CCapeBadArgument>, L"", 0x80040505u},
    {0x8004000Au, makeWithText<CCapeFailedInitialisation>, L"", 0x8004050Fu},
    {0x8004000Bu, makeWithText<CCapeNoImpl>, L"", 0x80040509u},
    {0x8004000Du, makeWithText<CCapeComputation>, L"", 0x8004050Bu},
    {0x80040110u, makeWithText<CCapeFailedInitialisation>,
     L"Interface cannot be created as part of an aggregate.\n", 0x8004050Fu},
    {0x80040150u, makeWithText<CCapeData>, L"Bad HKEY.\n", 0x80040502u},
    {0x80040154u, makeWithText<CCapeFailedInitialisation>,
     L"Interface is not registered in the registration database or type of server is not registered or "
     L"the values for the server types in the registry are corrupt. Try to reinstall software.\n",
     0x8004050Fu},
    {0x800401F3u, makeWithText<CCapeFailedInitialisation>,
     L"Windows registry is corrupt. Please, reinstall packages.\n", 0x8004050Fu},
    {0x8007000Eu, makeWithText<CCapeNoMemory>, L"No more memory.\n", 0x8004050Du},
    {0x80070057u, makeWithText<CCapeData>, L"Bad argument.\n", 0x80040502u},
    {0x00040014u, makeWithText<CCapeUnknown>, L"", 0x80040501u},
};

const std::uint32_t capeUnknownResult = 0x80040501u;

template <class T> std::unique_ptr<CCapeUser> makeFromSource(IDispatch* source)
{
    return std::make_unique<T>(source);
}

} // namespace

HRESULT interpretHResult(HRESULT hr, std::unique_ptr<CCapeUser>& error)
{
    const auto raised = static_cast<std::uint32_t>(hr);
    for (const InterpretationRow& row : interpretations) {
        if (row.raised == raised) {
            error = row.make(hr, row.text);
            return static_cast<HRESULT>(row.reported);
        }
    }
    error = std::make_unique<CCapeUnknown>(
        hr, L"Failed to interpret error code " + std::to_wstring(static_cast<std::int32_t>(raised)) + L"\n");
    return static_cast<HRESULT>(capeUnknownResult);
}

std::unique_ptr<CCapeUser> createCapeError(HRESULT hr, IDispatch* source)
{
    switch (static_cast<std::uint32_t>(hr)) {
    case 0x80040502u:
        return makeFromSource<CCapeData>(source);
    case 0x80040504u:
        return makeFromSource<CCapeBadCOParameter>(source);
    case 0x80040505u:
        return makeFromSource<CCapeBadArgument>(source);
    case 0x80040506u:
        return makeFromSource<CCapeInvalidArgument>(source);
    case 0x80040507u:
        return makeFromSource<CCapeOutOfBounds>(source);
    case 0x80040508u:
        return makeFromSource<CCapeImplementation>(source);
    case 0x80040509u:
        return makeFromSource<CCapeNoImpl>(source);
    case 0x8004050Au:
        return makeFromSource<CCapeLimitedImpl>(source);
    case 0x8004050Bu:
        return makeFromSource<CCapeComputation>(source);
    case 0x8004050Cu:
        return makeFromSource<CCapeOutOfResources>(source);
    case 0x8004050Du:
        return makeFromSource<CCapeNoMemory>(source);
    case 0x8004050Eu:
        return makeFromSource<CCapeTimeOut>(source);
    case 0x8004050Fu:
        return makeFromSource<CCapeFailedInitialisation>(source);
    case 0x80040510u:
        return makeFromSource<CCapeSolvingError>(source);
    case 0x80040511u:
        return makeFromSource<CCapeBadInvOrder>(source);
    case 0x80040512u:
        return makeFromSource<CCapeInvalidOperation>(source);
    case 0x80040513u:
        return makeFromSource<CCapePersistence>(source);
    case 0x80040514u:
        return makeFromSource<CCapeIllegalAccess>(source);
    case 0x80040515u:
        return makeFromSource<CCapePersistenceNotFound>(source);
    case 0x80040516u:
        return makeFromSource<CCapePersistenceSystemError>(source);
    case 0x80040517u:
        return makeFromSource<CCapePersistenceOverflow>(source);
    default:
        // 0x80040501 itself, the licence error 0x80040503 and every code outside the table.
        return makeFromSource<CCapeUnknown>(source);
    }
}

} // namespace TarvoException
