#include "tools/flow-client/DisplayCheck.h"

#include "support/RegistryKey.h"

#include <windows.h>

#include <cwctype>
#include <string>

namespace ondivar::flow {
namespace {

bool runsUnderWine()
{
    const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

bool environmentHas(const wchar_t* name)
{
    return GetEnvironmentVariableW(name, nullptr, 0) != 0;
}

// Wine's graphics driver setting (HKCU\Software\Wine\Drivers, "Graphics"), lower case; empty when unset.
std::wstring wineGraphicsDriver()
{
    const UniqueRegKey key =
        UniqueRegKey::open(HKEY_CURRENT_USER, L"Software\\Wine\\Drivers", KEY_QUERY_VALUE);
    if (!key)
        return std::wstring();
    wchar_t value[128] = {};
    DWORD size = sizeof value - sizeof(wchar_t);
    DWORD type = 0;
    const LONG status =
        RegQueryValueExW(key.get(), L"Graphics", nullptr, &type, reinterpret_cast<BYTE*>(value), &size);
    std::wstring driver = status == ERROR_SUCCESS && type == REG_SZ ? value : L"";
    for (wchar_t& c : driver)
        c = static_cast<wchar_t>(std::towlower(c));
    return driver;
}

} // namespace

bool interactiveDisplayAvailable(std::string& reason)
{
    USEROBJECTFLAGS flags{};
    DWORD needed = 0;
    if (GetUserObjectInformationW(GetProcessWindowStation(), UOI_FLAGS, &flags, sizeof flags, &needed) &&
        (flags.dwFlags & WSF_VISIBLE) == 0) {
        reason =
            "this process runs in a window station no user sees (a service or a non-interactive session)";
        return false;
    }
    if (!runsUnderWine())
        return true;
    const std::wstring driver = wineGraphicsDriver();
    if (driver.find(L"null") != std::wstring::npos) {
        reason = "Wine runs with its null graphics driver here (a headless prefix): no window can be seen";
        return false;
    }
    if (driver.find(L"mac") == std::wstring::npos && !environmentHas(L"DISPLAY") &&
        !environmentHas(L"WAYLAND_DISPLAY")) {
        reason = "Wine has no display (neither DISPLAY nor WAYLAND_DISPLAY is set)";
        return false;
    }
    return true;
}

} // namespace ondivar::flow
