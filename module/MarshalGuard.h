/* Exception handling for widl's proxies, which are written for __try/__except/__finally (absent from
 * gcc). A proxy turns a failure it raises itself (a null out pointer, bad reply data) or meets in the
 * channel (a disconnected or dead object, a refused call) into the failure's HRESULT, as MIDL's
 * proxies do, instead of letting an exception into the client. Failures are raised as jumps back to
 * the proxy's own guarded region; only regions of the raising function's own activation are jumped to.
 * Exceptions raised inside the system's marshalling functions still propagate as exceptions.
 *
 * Stubs run inside the COM channel, which handles exceptions itself: their regions stay plain blocks.
 *
 * Include after <rpcproxy.h> and before the generated proxy code. */
#pragma once

#include <windows.h>
#include <rpcproxy.h>

struct ondivar_rpc_guard {
    void* jmp[5]; /* __builtin_setjmp buffer */
    struct ondivar_rpc_guard* outer;
    void* frame; /* frame of the function that holds the guard */
    DWORD code;
    /* The proxy call this region guards (its outermost region), once the call is initialised. */
    void* proxy;
    PMIDL_STUB_MESSAGE message;
};

void ondivar_rpc_guard_enter(struct ondivar_rpc_guard* guard, void* frame);
void ondivar_rpc_guard_leave(struct ondivar_rpc_guard* guard);
/* Jumps to the innermost guard of the activation with this frame, or raises a real exception. */
void ondivar_rpc_raise(DWORD code, void* frame) __attribute__((noreturn));
/* The channel steps of a proxy call. The runtime's NdrProxyInitialize takes a reference to the channel
 * for the call, which its NdrProxyFreeBuffer gives back. The buffer is got, sent and freed here, and
 * whether the call holds one is the call's phase (PROXY_MARSHAL onwards), not the stub message's
 * fBufferValid: MinGW's rpcndr.h declares that as a byte where the runtime keeps CorrDespIncrement,
 * while the runtime's flag is a bit that only its own NdrProxyGetBuffer sets. */
void ondivar_proxy_initialize(void* proxy, PRPC_MESSAGE rpc, PMIDL_STUB_MESSAGE message,
                              PMIDL_STUB_DESC descriptor, unsigned int method, void* frame);
/* NdrProxyGetBuffer and NdrProxySendReceive, failing through ondivar_rpc_raise. */
void ondivar_proxy_get_buffer(void* proxy, PMIDL_STUB_MESSAGE message, void* frame);
void ondivar_proxy_send_receive(void* proxy, PMIDL_STUB_MESSAGE message, void* frame);
/* Frees the buffer the call holds, if any, and gives back the call's channel reference. */
void ondivar_proxy_free_buffer(void* proxy, PMIDL_STUB_MESSAGE message);
/* The failure handler of a proxy call: a failure raised before the call's buffer region (a null out
 * pointer) skipped its finally block, so the channel reference is given back here. */
void ondivar_proxy_end_failed_call(struct ondivar_rpc_guard* guard);

#ifndef ONDIVAR_MARSHAL_GUARD_IMPLEMENTATION

/* Outside a proxy's guarded region (in stubs) regions are plain blocks and raising is real. */
static const int ondivar_guarded = 0;

#undef RpcTryExcept
#undef RpcExcept
#undef RpcEndExcept
#undef RpcTryFinally
#undef RpcFinally
#undef RpcEndFinally
#undef RpcExceptionCode
#undef RpcAbnormalTermination

/* clang-format off */
#define RpcTryExcept \
    { \
        const int ondivar_guarded = 1; \
        struct ondivar_rpc_guard ondivar_except; \
        ondivar_rpc_guard_enter(&ondivar_except, __builtin_frame_address(0)); \
        if (!__builtin_setjmp(ondivar_except.jmp)) {

#define RpcExcept(expr) \
            ondivar_rpc_guard_leave(&ondivar_except); \
        } else if (!(expr)) { \
            (RpcRaiseException)(ondivar_except.code); /* not for this region: a real exception */ \
        } else { \
            ondivar_proxy_end_failed_call(&ondivar_except);

#define RpcEndExcept \
        } \
    }

#define RpcExceptionCode() (ondivar_except.code)

#define RpcTryFinally \
    { \
        struct ondivar_rpc_guard ondivar_finally = {0}; \
        volatile int ondivar_abnormal = 0; \
        if (ondivar_guarded) { \
            ondivar_rpc_guard_enter(&ondivar_finally, __builtin_frame_address(0)); \
            if (__builtin_setjmp(ondivar_finally.jmp)) \
                ondivar_abnormal = 1; \
        } \
        if (!ondivar_abnormal) {

#define RpcFinally \
            if (ondivar_guarded) \
                ondivar_rpc_guard_leave(&ondivar_finally); \
        } \
        {

#define RpcEndFinally \
        } \
        if (ondivar_abnormal) \
            ondivar_rpc_raise(ondivar_finally.code, __builtin_frame_address(0)); \
    }

#define RpcAbnormalTermination() (ondivar_abnormal)

/* The generated code's own raises; RpcRaiseException inside the expansion is the system's. */
#define RpcRaiseException(code) \
    (ondivar_guarded ? ondivar_rpc_raise((code), __builtin_frame_address(0)) : RpcRaiseException(code))

#define NdrProxyInitialize(proxy, rpc, message, descriptor, method) \
    ondivar_proxy_initialize((proxy), (rpc), (message), (descriptor), (method), __builtin_frame_address(0))
#define NdrProxyGetBuffer(proxy, message) \
    ondivar_proxy_get_buffer((proxy), (message), __builtin_frame_address(0))
#define NdrProxySendReceive(proxy, message) \
    ondivar_proxy_send_receive((proxy), (message), __builtin_frame_address(0))
#define NdrProxyFreeBuffer(proxy, message) ondivar_proxy_free_buffer((proxy), (message))
/* clang-format on */

#endif /* ONDIVAR_MARSHAL_GUARD_IMPLEMENTATION */
