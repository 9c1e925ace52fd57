/* The widl-generated proxies and stubs of the seven marshalled interfaces, compiled against MinGW's
 * headers with the exception handling of MarshalGuard.h. */
#define USE_COMPILER_EXCEPTIONS
#define PROXY_DELEGATION

#include <windows.h>
#include <rpcproxy.h>

#include "module/MarshalGuard.h"

/* The IUnknown part of every proxy vtable; rpcrt4 exports them, MinGW's headers do not declare them. */
HRESULT STDMETHODCALLTYPE IUnknown_QueryInterface_Proxy(IUnknown* This, REFIID riid, void** ppvObject);
ULONG STDMETHODCALLTYPE IUnknown_AddRef_Proxy(IUnknown* This);
ULONG STDMETHODCALLTYPE IUnknown_Release_Proxy(IUnknown* This);

/* Generated code: some stubs' cleanup functions have nothing to clean up. */
#pragma GCC diagnostic ignored "-Wunused-parameter"
#include "OndivarLib_p.c"
