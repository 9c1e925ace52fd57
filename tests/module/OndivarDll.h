// Ondivar.dll loaded into the test program (once, for the program's lifetime), with its entry points.
#pragma once

#include <windows.h>

#include <string>

namespace ondivar::test {

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

// Loads the DLL built with this tree (ONDIVAR_DLL_PATH) on first use.
const OndivarDll& ondivarDll();

} // namespace ondivar::test
