#include "support/ErrorInterpretation.h"

#include "support/CapeErrorClasses.h"

#include <cstdint>

namespace TarvoException {
namespace {

using namespace ondivar;

using MakeWithText = std::unique_ptr<CCapeUser> (*)(HRESULT, const std::wstring&);
using MakeFromSource = std::unique_ptr<CCapeUser> (*)(IDispatch*);

template <class T> std::unique_ptr<CCapeUser> makeWithText(HRESULT code, const std::wstring& description)
{
    return std::make_unique<T>(code, description);
}

template <class T> std::unique_ptr<CCapeUser> makeFromSource(IDispatch* source)
{
    return std::make_unique<T>(source);
}

// How each CAPE-OPEN error class is made, in the order of the class list.
struct ClassMaker {
    HRESULT code;
    HRESULT libraryCode;
    MakeWithText withText;
    MakeFromSource fromSource;
};

#define ONDIVAR_CLASS_MAKER(Name, code, libraryCode, Class)                                                  \
    {kCape##Name, static_cast<HRESULT>(libraryCode), makeWithText<Class>, makeFromSource<Class>},
const ClassMaker classMakers[] = {ONDIVAR_CAPE_ERROR_CLASSES(ONDIVAR_CLASS_MAKER)};
#undef ONDIVAR_CLASS_MAKER

struct InterpretationRow {
    std::uint32_t raised;
    MakeWithText make;
    const wchar_t* text;
    HRESULT reported;
};

// The system HRESULTs with the standard text each is described by. The library codes of the CAPE-OPEN
// classes (classMakers) are interpreted too; they have no text of their own: the caller's message is
// the whole description.
const InterpretationRow interpretations[] = {
    {0x80004001u, makeWithText<CCapeNoImpl>, L"Operation not implemented.\n", kCapeNoImpl},
    {0x80004002u, makeWithText<CCapeFailedInitialisation>,
     L"The interface does not implement the requested interface.\n", kCapeFailedInitialisation},
    {0x8000FFFFu, makeWithText<CCapeUnknown>, L"Unexpected exception.\n", kCapeUnknown},
    {0x80020008u, makeWithText<CCapeComputation>,
     L"The source and destination argument have an invalid type (usually uninitialized).\n",
     kCapeComputation},
    {0x8002000Bu, makeWithText<CCapeData>, L"Bad index.\n", kCapeData},
    {0x8002000Du, makeWithText<CCapeComputation>, L"One of the arguments contains an array that is locked.\n",
     kCapeComputation},
    {0x80040110u, makeWithText<CCapeFailedInitialisation>,
     L"Interface cannot be created as part of an aggregate.\n", kCapeFailedInitialisation},
    {0x80040150u, makeWithText<CCapeData>, L"Bad HKEY.\n", kCapeData},
    {0x80040154u, makeWithText<CCapeFailedInitialisation>,
     L"Interface is not registered in the registration database or type of server is not registered or "
     L"the values for the server types in the registry are corrupt. Try to reinstall software.\n",
     kCapeFailedInitialisation},
    {0x800401F3u, makeWithText<CCapeFailedInitialisation>,
     L"Windows registry is corrupt. Please, reinstall packages.\n", kCapeFailedInitialisation},
    {0x8007000Eu, makeWithText<CCapeNoMemory>, L"No more memory.\n", kCapeNoMemory},
    {0x80070057u, makeWithText<CCapeData>, L"Bad argument.\n", kCapeData},
    {0x00040014u, makeWithText<CCapeUnknown>, L"", kCapeUnknown},
};

} // namespace

HRESULT interpretHResult(HRESULT hr, std::unique_ptr<CCapeUser>& error)
{
    for (const InterpretationRow& row : interpretations) {
        if (row.raised == static_cast<std::uint32_t>(hr)) {
            error = row.make(hr, row.text);
            return row.reported;
        }
    }
    for (const ClassMaker& maker : classMakers) {
        if (maker.libraryCode != 0 && maker.libraryCode == hr) {
            error = maker.withText(hr, L"");
            return maker.code;
        }
    }
    error = std::make_unique<CCapeUnknown>(hr, L"Failed to interpret error code " +
                                                   std::to_wstring(static_cast<std::int32_t>(hr)) + L"\n");
    return kCapeUnknown;
}

std::unique_ptr<CCapeUser> createCapeError(HRESULT hr, IDispatch* source)
{
    for (const ClassMaker& maker : classMakers)
        if (maker.code == hr)
            return maker.fromSource(source);
    // Every code outside the list.
    return makeFromSource<CCapeUnknown>(source);
}

} // namespace TarvoException
