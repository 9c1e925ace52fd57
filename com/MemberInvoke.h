// Invoking a member of a dual interface by its dispatch id, as ITypeInfo::Invoke on the interface's
// vtable description would. The common call (every argument already of its parameter's type, passed by
// position) goes straight through the vtable with the caller's own arguments (callMember):
// ITypeInfo::Invoke would copy each VARIANT argument and allocate a frame on every call, which costs
// more than the member.
// Every other call (conversions, named or missing arguments, properties) is ITypeInfo::Invoke's.
#pragma once

#include "com/TypeInfoCache.h"

#include <oaidl.h>

namespace ondivar {

HRESULT invokeMember(const DualTypeInfo& info, IUnknown* instance, DISPID id, WORD flags,
                     DISPPARAMS* parameters, VARIANT* result, EXCEPINFO* exception,
                     UINT* argumentError) noexcept;

} // namespace ondivar
