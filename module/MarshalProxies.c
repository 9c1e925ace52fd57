/* The widl-generated proxies and stubs of the seven marshalled interfaces, compiled against MinGW's
 * headers. */
#define USE_COMPILER_EXCEPTIONS
#define PROXY_DELEGATION

#include <windows.h>
#include <rpcproxy.h>

/* gcc has no __try/__except/__finally: the protected blocks of the generated code run as plain blocks,
 * the handlers never. */
#undef RpcTryExcept
#undef RpcExcept
#undef RpcEndExcept
#undef RpcTryFinally
#undef RpcFinally
#undef RpcEndFinally
#undef RpcExceptionCode
#undef RpcAbnormalTermination
#define RpcTryExcept if (1) {
#define RpcExcept(expr)                                                                                      \
    }                                                                                                        \
    else                                                                                                     \
    {
#define RpcEndExcept }
#define RpcTryFinally {
#define RpcFinally                                                                                           \
    }                                                                                                        \
    {
#define RpcEndFinally }
#define RpcExceptionCode() 0
#define RpcAbnormalTermination() 0

/* The IUnknown part of every proxy vtable; rpcrt4 exports them, MinGW's headers do not declare them. */
HRESULT STDMETHODCALLTYPE IUnknown_QueryInterface_Proxy(IUnknown* This, REFIID riid, void** ppvObject);
ULONG STDMETHODCALLTYPE IUnknown_AddRef_Proxy(IUnknown* This);
ULONG STDMETHODCALLTYPE IUnknown_Release_Proxy(IUnknown* This);

/* Generated code: some stubs' cleanup functions have nothing to clean up. */
#pragma GCC diagnostic ignored "-Wunused-parameter"
#include "OndivarLib_p.c"
