// The exported entry points of Ondivar.dll. The marshalling code of the seven CAPE-OPEN hydrodynamics
// interfaces lives in the same DLL: each entry point gives it the call first.
#include "module/MarshalEntryPoints.h"
#include "module/ModuleRegistration.h"
#include "module/OndivarModule.h"

#include <cwchar>

using ondivar::g_module;

namespace {

// The marshalling code's registration, with the registration's classes root.
HRESULT registerMarshalling(bool unregisterAfter)
{
    const ondivar::ClassesRoot root(g_module.perUserRegistration());
    if (FAILED(root.hr()))
        return root.hr();
    const ondivar::ClassesRootRedirect redirect(root);
    if (FAILED(redirect.hr()))
        return redirect.hr();
    HRESULT hr = PrxDllRegisterServer();
    if (SUCCEEDED(hr) && unregisterAfter)
        hr = PrxDllUnregisterServer();
    return hr;
}

} // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved)
{
    if (!PrxDllMain(instance, reason, reserved))
        return FALSE;
    return g_module.dllMain(instance, reason, reserved);
}

STDAPI DllCanUnloadNow()
{
    const HRESULT hr = PrxDllCanUnloadNow();
    if (hr != S_OK)
        return hr;
    return g_module.canUnloadNow();
}

STDAPI DllGetClassObject(REFCLSID clsid, REFIID riid, LPVOID* object)
{
    // The marshalling code writes through the pointer before it looks at the class.
    if (object == nullptr)
        return E_POINTER;
    if (PrxDllGetClassObject(clsid, riid, object) == S_OK)
        return S_OK;
    return g_module.getClassObject(clsid, riid, object);
}

STDAPI DllRegisterServer()
{
    HRESULT hr;
    {
        const ondivar::ThreadLocaleScope locale;
        hr = g_module.registerServer();
    }
    if (SUCCEEDED(hr))
        hr = registerMarshalling(false);
    return hr;
}

STDAPI DllUnregisterServer()
{
    HRESULT hr;
    {
        const ondivar::ThreadLocaleScope locale;
        hr = g_module.unregisterServer();
    }
    // The marshalling code removes its interfaces after registering them once more.
    if (SUCCEEDED(hr))
        hr = registerMarshalling(true);
    return hr;
}

// "user" (exactly, in any case) registers for the current user only, under
// HKEY_CURRENT_USER\Software\Classes; anything else, or no command line, for the machine. A failed
// registration is removed again; the registration's failure is returned.
STDAPI DllInstall(BOOL install, LPCWSTR commandLine)
{
    const bool perUser = commandLine != nullptr && _wcsnicmp(commandLine, L"user", 5) == 0;
    const ondivar::PerUserRegistration scope(perUser);
    HRESULT hr = E_FAIL;
    if (install) {
        hr = DllRegisterServer();
        if (FAILED(hr))
            DllUnregisterServer();
    } else {
        hr = DllUnregisterServer();
    }
    return hr;
}
