/* Entry points of the marshalling code for ICapeHydroContext, ICapeHydroPackageManager and the five
 * interfaces of OndivarLib. The proxy/stub class is CLSID_OndivarProxyStub; the DLL's own entry points
 * call these first. */
#pragma once

#include <windows.h>

#ifdef __cplusplus
extern "C" {
#endif

/* {678C09CF-7D66-11D2-A67D-00105A42887F} */
extern const CLSID CLSID_PSFactoryBuffer;
#define CLSID_OndivarProxyStub CLSID_PSFactoryBuffer

/* Keeps the module handle on process attach (needed by the registration); always TRUE. */
BOOL WINAPI PrxDllMain(HINSTANCE instance, DWORD reason, LPVOID reserved);
/* The proxy/stub factory for CLSID_OndivarProxyStub; CLASS_E_CLASSNOTAVAILABLE for any other class. */
HRESULT WINAPI PrxDllGetClassObject(REFCLSID clsid, REFIID iid, void** object);
/* S_OK while no proxy or stub of this code is alive. */
HRESULT WINAPI PrxDllCanUnloadNow(void);
/* Registers (removes) the seven interfaces under CLSID_OndivarProxyStub, served by the module that
 * PrxDllMain was given. */
HRESULT WINAPI PrxDllRegisterServer(void);
HRESULT WINAPI PrxDllUnregisterServer(void);

#ifdef __cplusplus
}
#endif
