#include "tests/module/RegisteredKeys.h"

#include "support/RegistryKey.h"
#include "tests/module/RegistrySnapshot.h"

namespace ondivar::testing {
namespace {

const std::wstring kClass = L"CLSID\\{3C5A71E2-6D04-4B8F-9E21-7A0D5C96B1F4}";
const std::wstring kClassId = L"{3C5A71E2-6D04-4B8F-9E21-7A0D5C96B1F4}";
const std::wstring kAppId = L"{A2F96C13-7B58-4E0A-8D4C-51E3B09F7D26}";
const std::wstring kLibId = L"{8E41B0C7-52A9-4F3D-B6E8-0D19C7A2F563}";
const std::wstring kProxyStubClass = L"{678C09CF-7D66-11D2-A67D-00105A42887F}";

const wchar_t* const kMarshalledInterfaces[] = {
    L"{678C09CF-7D66-11D2-A67D-00105A42887F}", L"{678C09D0-7D66-11D2-A67D-00105A42887F}",
    L"{678C09D1-7D66-11D2-A67D-00105A42887F}", L"{678C09D2-7D66-11D2-A67D-00105A42887F}",
    L"{678C09D3-7D66-11D2-A67D-00105A42887F}", L"{678C09D4-7D66-11D2-A67D-00105A42887F}",
    L"{678C09D5-7D66-11D2-A67D-00105A42887F}",
};

} // namespace

std::vector<ExpectedEntry> scriptEntries(const std::wstring& modulePath)
{
    const std::wstring description = L"Ondivar_Velt Class";
    const std::wstring cape = kClass + L"\\CapeDescription";
    return {
        {L"AppID", nullptr, {}},
        {L"AppID\\" + kAppId, L"", L"Ondivar"},
        {L"AppID\\Ondivar.DLL", L"AppID", kAppId},
        {L"Ondivar.Ondivar_Velt.1", L"", description},
        {L"Ondivar.Ondivar_Velt.1\\CLSID", L"", kClassId},
        {L"Ondivar.Ondivar_Velt", L"", description},
        {L"Ondivar.Ondivar_Velt\\CLSID", L"", kClassId},
        {L"Ondivar.Ondivar_Velt\\CurVer", L"", L"Ondivar.Ondivar_Velt.1"},
        {kClass, L"", description},
        {kClass + L"\\ProgID", L"", L"Ondivar.Ondivar_Velt.1"},
        {kClass + L"\\VersionIndependentProgID", L"", L"Ondivar.Ondivar_Velt"},
        {kClass + L"\\Programmable", nullptr, {}},
        {kClass + L"\\InprocServer32", L"", modulePath},
        {kClass + L"\\InprocServer32", L"ThreadingModel", L"Apartment"},
        {kClass + L"\\TypeLib", L"", kLibId},
        {kClass + L"\\Implemented Categories\\{678C09A1-7D66-11D2-A67D-00105A42887F}", nullptr, {}},
        {kClass + L"\\Implemented Categories\\{678C09D7-7D66-11D2-A67D-00105A42887F}", nullptr, {}},
        {cape, L"Name", L"Velt / Server Hydro (CAPE-OPEN 1.0)"},
        {cape, L"Description", L"Velt / CAPE-OPEN Server Simple Hydro."},
        {cape, L"CapeVersion", L"1.0.0"},
        {cape, L"Categories", L"Velt CAPE-OPEN"},
        {cape, L"ComponentVersion", L"1.0.0"},
        {cape, L"VendorURL", L"https://www.ondivar.com"},
        {cape, L"HelpURL", L"none"},
        {cape, L"About", L"For any information please contact support...."},
    };
}

std::vector<ExpectedEntry> typeLibraryAndMarshallingEntries(const std::wstring& modulePath)
{
    std::vector<ExpectedEntry> entries = {
        {L"TypeLib\\" + kLibId + L"\\1.0", L"", L"Biblioth\u00e8que de types Ondivar 1.0"},
        {L"CLSID\\" + kProxyStubClass + L"\\InprocServer32", L"", modulePath},
    };
    for (const wchar_t* iid : kMarshalledInterfaces)
        entries.push_back({std::wstring(L"Interface\\") + iid + L"\\ProxyStubClsid32", L"", kProxyStubClass});
    return entries;
}

std::vector<std::wstring> removedKeys()
{
    std::vector<std::wstring> keys = {
        L"Ondivar.Ondivar_Velt.1",    L"Ondivar.Ondivar_Velt", kClass,
        L"AppID\\" + kAppId,          L"AppID\\Ondivar.DLL",   L"TypeLib\\" + kLibId,
        L"CLSID\\" + kProxyStubClass,
    };
    for (const wchar_t* iid : kMarshalledInterfaces)
        keys.push_back(std::wstring(L"Interface\\") + iid);
    return keys;
}

::testing::AssertionResult holdsRegistration(HKEY classesRoot, const std::wstring& modulePath)
{
    std::vector<ExpectedEntry> entries = scriptEntries(modulePath);
    for (ExpectedEntry& entry : typeLibraryAndMarshallingEntries(modulePath))
        entries.push_back(std::move(entry));
    std::string failures;
    for (const ExpectedEntry& entry : entries) {
        const RegistrySnapshot key(classesRoot, entry.key);
        const std::wstring text = entry.valueName != nullptr ? key.value(L"", entry.valueName) : L"";
        if (!key.exists() || text != entry.text)
            failures += "\n  " + narrow(entry.key) + " " + narrow(entry.valueName ? entry.valueName : L"") +
                        (key.exists() ? ": \"" + narrow(text) + "\" instead of \"" + narrow(entry.text) + "\""
                                      : ": missing key");
    }
    if (failures.empty())
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "registration incomplete:" << failures;
}

::testing::AssertionResult holdsNoRegistration(HKEY classesRoot)
{
    std::string left;
    for (const std::wstring& key : removedKeys()) {
        if (UniqueRegKey::open(classesRoot, key.c_str(), KEY_READ))
            left += "\n  " + narrow(key);
    }
    if (left.empty())
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "keys left:" << left;
}

} // namespace ondivar::testing
