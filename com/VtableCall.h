// A call through a vtable slot described at run time, for the members whose parameters are BSTRs,
// VARIANTs and VARIANT pointers and whose result is an HRESULT (__stdcall): the arguments are laid
// out as a caller compiled against the member's declaration lays them out, with no allocation (unlike
// DispCallFunc, which allocates its argument block on every call).
#pragma once

#include "com/TypeInfoCache.h"

#include <oaidl.h>

namespace ondivar {

// Calls the function at byte offset slotOffset of instance's vtable with count (at most
// kMostMemberArguments) arguments: arguments[p] is a VT_BSTR for a BSTR parameter, any VARIANT for a
// VARIANT parameter (the callee gets a copy of its bits, as from any caller) and a
// VT_BYREF | VT_VARIANT for a VARIANT* parameter (the callee gets the referenced VARIANT). types[p]
// names the parameter: VT_BSTR, VT_VARIANT or VT_BYREF | VT_VARIANT.
HRESULT callMember(void* instance, unsigned slotOffset, unsigned count, const VARTYPE* types,
                   VARIANTARG* const* arguments) noexcept;

} // namespace ondivar
