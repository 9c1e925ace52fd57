// Type information for the dispatch halves of the component's dual interfaces. Each interface's
// ITypeInfo is loaded once per process and shared by every instance, on every thread.
#pragma once

#include "support/ComHandles.h"

#include <oaidl.h>

#include <string>

namespace ondivar {

// The two type libraries the component's interfaces are described in.
enum class TypeLibraryId {
    CapeOpen, // the registered CAPE-OPEN 1.1 library: ICapeIdentification and the ECape interfaces
    Ondivar,  // the component's own OndivarLib: the ICapeHydro interfaces
};

// What a dual interface's dispatch half needs: the description handed to clients (GetTypeInfo,
// GetIDsOfNames) and the vtable description that ITypeInfo::Invoke calls through.
struct DualTypeInfo {
    ComPtr<ITypeInfo> described;
    ComPtr<ITypeInfo> vtable;
};

// The type information of interface iid from library; loaded on first use. A failure (library not
// registered, not found) is returned and not remembered: a later call tries again.
HRESULT findTypeInfo(TypeLibraryId library, REFIID iid, DualTypeInfo& info) noexcept;

// OndivarLib is the TYPELIB resource 1 of the module this code is linked into (the DLL), or, when that
// module carries none (a test program linking the static library), this file. Call before the first
// dispatch call.
void setOndivarTypeLibraryFile(const std::wstring& path);

// Drops every cached library and type description (the module calls it when it unloads).
void clearTypeInfoCache() noexcept;

} // namespace ondivar
