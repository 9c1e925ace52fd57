/* The entry points of the marshalling code (widl's dlldata), under the names of MarshalEntryPoints.h:
 * the class object of the proxy/stub factory, its unload check and its registration. */
#define REGISTER_PROXY_DLL
#define PROXY_DELEGATION
#define ENTRY_PREFIX Prx
/* {678C09CF-7D66-11D2-A67D-00105A42887F}, the IID of ICapeHydroContext. */
/* clang-format off */
#define PROXY_CLSID_IS {0x678C09CF, 0x7D66, 0x11D2, {0xA6, 0x7D, 0x00, 0x10, 0x5A, 0x42, 0x88, 0x7F}}
/* clang-format on */

#include <windows.h>
#include <rpcproxy.h>

/* rpcproxy.h would also define an empty _purecall, hiding the runtime's, which reports a pure virtual
 * call instead of carrying on. */
#undef DLLDUMMYPURECALL
#define DLLDUMMYPURECALL

#include "module/MarshalEntryPoints.h"

#include "OndivarLib_dlldata.c"
