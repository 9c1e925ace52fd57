/* The guards of MarshalGuard.h and the channel calls of the proxies. */
/* The declarations only: the macros are for the generated code. */
#define ONDIVAR_MARSHAL_GUARD_IMPLEMENTATION
#include "module/MarshalGuard.h"

/* The innermost guard of this thread. A guard that an exception carried past (an exception raised inside
 * the system's marshalling functions) stays in the chain until a later guard finds it below its own
 * frame; it is never jumped to, since a jump goes only to a guard of the raising activation, and those
 * are above it. */
static __thread struct ondivar_rpc_guard* innermost;

void ondivar_rpc_guard_enter(struct ondivar_rpc_guard* guard, void* frame)
{
    struct ondivar_rpc_guard* outer = innermost;
    /* The stack grows down: a guard of a deeper frame than this one belongs to no live activation. */
    while (outer != NULL && (char*)outer->frame < (char*)frame)
        outer = outer->outer;
    guard->outer = outer;
    guard->frame = frame;
    guard->code = 0;
    guard->proxy = NULL;
    guard->message = NULL;
    innermost = guard;
}

void ondivar_rpc_guard_leave(struct ondivar_rpc_guard* guard)
{
    innermost = guard->outer;
}

void ondivar_rpc_raise(DWORD code, void* frame)
{
    for (struct ondivar_rpc_guard* guard = innermost; guard != NULL; guard = guard->outer) {
        if (guard->frame == frame) {
            innermost = guard->outer;
            guard->code = code;
            __builtin_longjmp(guard->jmp, 1);
        }
    }
    RpcRaiseException(code);
    for (;;) /* RpcRaiseException does not return */
        ;
}

/* The interface a proxy stands for: its vtable follows the proxy header that names it. */
static const IID* proxy_iid(void* proxy)
{
    const void* const* vtable = *(const void* const* const*)proxy;
    return ((const IID* const*)vtable)[-1];
}

void ondivar_proxy_initialize(void* proxy, PRPC_MESSAGE rpc, PMIDL_STUB_MESSAGE message,
                              PMIDL_STUB_DESC descriptor, unsigned int method, void* frame)
{
    NdrProxyInitialize(proxy, rpc, message, descriptor, method);
    message->dwStubPhase = PROXY_CALCSIZE;
    /* The proxy's outermost region, entered just before: it learns which call it guards. */
    if (innermost != NULL && innermost->frame == frame) {
        innermost->proxy = proxy;
        innermost->message = message;
    }
}

/* The call holds a buffer from a successful GetBuffer on. */
static int holds_buffer(PMIDL_STUB_MESSAGE message)
{
    return message->dwStubPhase >= PROXY_MARSHAL;
}

void ondivar_proxy_get_buffer(void* proxy, PMIDL_STUB_MESSAGE message, void* frame)
{
    PRPC_MESSAGE rpc = message->RpcMsg;
    rpc->BufferLength = message->BufferLength;
    rpc->DataRepresentation = NDR_LOCAL_DATA_REPRESENTATION;
    if (message->pRpcChannelBuffer == NULL)
        ondivar_rpc_raise(CO_E_OBJNOTCONNECTED, frame);
    message->dwStubPhase = PROXY_GETBUFFER;
    const HRESULT hr = message->pRpcChannelBuffer->lpVtbl->GetBuffer(message->pRpcChannelBuffer,
                                                                     (RPCOLEMESSAGE*)rpc, proxy_iid(proxy));
    if (FAILED(hr))
        ondivar_rpc_raise((DWORD)hr, frame);
    message->BufferStart = (unsigned char*)rpc->Buffer;
    message->BufferEnd = message->BufferStart + message->BufferLength;
    message->Buffer = message->BufferStart;
    message->dwStubPhase = PROXY_MARSHAL;
}

void ondivar_proxy_send_receive(void* proxy, PMIDL_STUB_MESSAGE message, void* frame)
{
    (void)proxy;
    PRPC_MESSAGE rpc = message->RpcMsg;
    if (message->pRpcChannelBuffer == NULL)
        ondivar_rpc_raise(CO_E_OBJNOTCONNECTED, frame);
    ULONG status = 0;
    /* Only what was marshalled goes out, not the uninitialised rest of the buffer GetBuffer reserved. */
    rpc->BufferLength = (ULONG)(message->Buffer - (unsigned char*)rpc->Buffer);
    message->dwStubPhase = PROXY_SENDRECEIVE;
    const HRESULT hr = message->pRpcChannelBuffer->lpVtbl->SendReceive(message->pRpcChannelBuffer,
                                                                       (RPCOLEMESSAGE*)rpc, &status);
    message->dwStubPhase = PROXY_UNMARSHAL;
    message->BufferLength = rpc->BufferLength;
    message->BufferStart = (unsigned char*)rpc->Buffer;
    message->BufferEnd = message->BufferStart + message->BufferLength;
    message->Buffer = message->BufferStart;

    if (hr == RPC_S_CALL_FAILED) {
        /* The server raised: its code comes as the status or as the reply. */
        DWORD code = status;
        if (code == 0 && message->BufferStart != NULL && message->BufferLength >= sizeof(DWORD))
            code = *(const DWORD*)message->BufferStart;
        ondivar_rpc_raise(code != 0 ? code : (DWORD)RPC_S_CALL_FAILED, frame);
    }
    if (FAILED(hr))
        ondivar_rpc_raise((DWORD)hr, frame);
}

void ondivar_proxy_free_buffer(void* proxy, PMIDL_STUB_MESSAGE message)
{
    if (message->pRpcChannelBuffer == NULL)
        return;
    if (holds_buffer(message))
        message->pRpcChannelBuffer->lpVtbl->FreeBuffer(message->pRpcChannelBuffer,
                                                       (RPCOLEMESSAGE*)message->RpcMsg);
    /* The runtime's own buffer flag was never set: it only gives back the channel reference. */
    NdrProxyFreeBuffer(proxy, message);
    message->pRpcChannelBuffer = NULL;
}

void ondivar_proxy_end_failed_call(struct ondivar_rpc_guard* guard)
{
    if (guard->message != NULL)
        ondivar_proxy_free_buffer(guard->proxy, guard->message);
}
