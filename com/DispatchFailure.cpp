#include "com/DispatchFailure.h"

#include "support/StringConversion.h"

#include "CapeOpen110.h"

#include <new>
#include <string>

namespace ondivar {
namespace {

// Replaces field with a new BSTR of value (a null BSTR for an empty value).
void replace(BSTR& field, const std::wstring& value)
{
    SysFreeString(field);
    field = value.empty() ? nullptr : SysAllocStringLen(value.data(), static_cast<UINT>(value.size()));
}

// A recorded description ends with a line break: a script shows it on one line without it.
std::wstring withoutTrailingBreaks(std::wstring s)
{
    while (!s.empty() && (s.back() == L'\n' || s.back() == L'\r'))
        s.pop_back();
    return s;
}

std::wstring libraryDescription(TypeLibraryId library)
{
    if (library == TypeLibraryId::CapeOpen)
        return L"the CAPE-OPEN 1.1 type library (CAPE-OPENv1-1-0.tlb, LIBID " + guidText(LIBID_CAPEOPEN110) +
               L", version 1.1)";
    return L"the component's own type library OndivarLib (in Ondivar.dll)";
}

// bstrSource: the component's name.
void nameSource(const ComPtr<IUnknown>& object, EXCEPINFO& exception)
{
    if (const ComPtr<ICapeIdentification> identification = object.query<ICapeIdentification>()) {
        UniqueBstr name;
        identification->get_ComponentName(name.put());
        replace(exception.bstrSource, name.text());
    }
}

} // namespace

void describeRecordedFailure(IUnknown* object, EXCEPINFO& exception) noexcept
{
    try {
        ComPtr<IUnknown> unknown(object);
        const ComPtr<ECapeUser> user = unknown.query<ECapeUser>();
        if (!user)
            return;
        UniqueBstr description, interfaceName, operation, name;
        user->get_description(description.put());
        std::wstring message = withoutTrailingBreaks(description.text());
        if (message.empty()) {
            if (const ComPtr<ECapeRoot> root = unknown.query<ECapeRoot>())
                root->get_name(name.put());
            user->get_interfaceName(interfaceName.put());
            user->get_operation(operation.put());
            message = name.text().empty() ? std::wstring(L"Failed") : name.text();
            if (!interfaceName.text().empty() || !operation.text().empty())
                message += L" in " + interfaceName.text() + L"::" + operation.text();
        }
        replace(exception.bstrDescription, message);
        nameSource(unknown, exception);
    } catch (const std::bad_alloc&) {
        // The texts stay as the type information left them.
    }
}

HRESULT missingLibraryFailure(IUnknown* object, TypeLibraryId library, HRESULT loadFailure,
                              EXCEPINFO* exception) noexcept
{
    if (exception == nullptr)
        return loadFailure;
    try {
        *exception = EXCEPINFO();
        exception->scode = loadFailure;
        replace(exception->bstrDescription,
                L"This member is described by " + libraryDescription(library) +
                    L", which is not registered on this machine or cannot be loaded.");
        nameSource(ComPtr<IUnknown>(object), *exception);
    } catch (const std::bad_alloc&) {
    }
    return DISP_E_EXCEPTION;
}

} // namespace ondivar
