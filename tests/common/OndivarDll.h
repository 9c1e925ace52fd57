// Ondivar.dll loaded into the test program (once, for the program's lifetime), with its entry points.
// The program defines ONDIVAR_DLL_PATH, the DLL built with its tree.
#pragma once

#include <windows.h>

#include <string>

namespace ondivar::testing {

// The full path of a file as the system names it (backslashes).
inline std::wstring fullPath(const wchar_t* path)
{
    wchar_t buffer[MAX_PATH * 2] = {};
    const DWORD length = GetFullPathNameW(path, MAX_PATH * 2, buffer, nullptr);
    return std::wstring(buffer, length);
}

struct OndivarDll {
    HMODULE module = nullptr;
    std::wstring path;
    HRESULT(STDAPICALLTYPE* canUnloadNow)() = nullptr;
    HRESULT(STDAPICALLTYPE* getClassObject)(REFCLSID, REFIID, void**) = nullptr;
    HRESULT(STDAPICALLTYPE* registerServer)() = nullptr;
    HRESULT(STDAPICALLTYPE* unregisterServer)() = nullptr;
    HRESULT(STDAPICALLTYPE* install)(BOOL, LPCWSTR) = nullptr;

    // Every entry point found.
    bool loaded() const
    {
        return canUnloadNow && getClassObject && registerServer && unregisterServer && install;
    }
};

namespace detail {
template <class Function> void findEntryPoint(HMODULE module, const char* name, Function& function)
{
    function = reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

inline OndivarDll loadOndivarDll()
{
    OndivarDll dll;
    dll.path = fullPath(ONDIVAR_DLL_PATH);
    dll.module = LoadLibraryW(dll.path.c_str());
    if (dll.module == nullptr)
        return dll;
    findEntryPoint(dll.module, "DllCanUnloadNow", dll.canUnloadNow);
    findEntryPoint(dll.module, "DllGetClassObject", dll.getClassObject);
    findEntryPoint(dll.module, "DllRegisterServer", dll.registerServer);
    findEntryPoint(dll.module, "DllUnregisterServer", dll.unregisterServer);
    findEntryPoint(dll.module, "DllInstall", dll.install);
    return dll;
}
} // namespace detail

// Loads the DLL on first use.
inline const OndivarDll& ondivarDll()
{
    static const OndivarDll dll = detail::loadOndivarDll();
    return dll;
}

} // namespace ondivar::testing
