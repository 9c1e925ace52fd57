// Type information for the dispatch halves of the component's dual interfaces. Each interface's
// ITypeInfo is loaded once per process and shared by every instance, on every thread.
#pragma once

#include "support/ComHandles.h"

#include <oaidl.h>

#include <string>
#include <vector>

namespace ondivar {

// The two type libraries the component's interfaces are described in.
enum class TypeLibraryId {
    CapeOpen, // the registered CAPE-OPEN 1.1 library: ICapeIdentification and the ECape interfaces
    Ondivar,  // the component's own OndivarLib: the ICapeHydro interfaces
};

// The most parameters of a member that the calls made without ITypeInfo::Invoke hold inline (the members
// have five at most); a member with more is left to ITypeInfo::Invoke as it is.
constexpr unsigned kMostMemberArguments = 8;

// One parameter of a member as the vtable description declares it: its type (for a pointer, VT_PTR
// and the type pointed to) and whether it is an [out] parameter.
struct ParameterShape {
    VARTYPE type;
    VARTYPE pointee; // VT_EMPTY unless type is VT_PTR
    bool out;
};

// A function of the vtable description, read once: what a call needs to adapt its arguments, and
// where and how the function is called.
struct MemberShape {
    MEMBERID id;
    INVOKEKIND kind;
    std::vector<ParameterShape> parameters;
    bool restricted;    // passed over by ITypeInfo::Invoke
    short vtableOffset; // the function's offset in the vtable, in bytes
    // A __stdcall function whose every parameter is a BSTR, a VARIANT or a VARIANT* and whose result is
    // an HRESULT, with no parameter that the call fills itself (locale, return value): the members a
    // call can reach directly.
    bool plain;
};

// What a dual interface's dispatch half needs: the description handed to clients (GetTypeInfo,
// GetIDsOfNames), the vtable description that ITypeInfo::Invoke calls through, and that description's
// functions.
struct DualTypeInfo {
    ComPtr<ITypeInfo> described;
    ComPtr<ITypeInfo> vtable;
    std::vector<MemberShape> members;

    // The function id of kind, or null.
    const MemberShape* member(MEMBERID id, INVOKEKIND kind) const noexcept;
    // The function that ITypeInfo::Invoke calls for id invoked with flags (the first of the
    // description's functions of that id, of a kind flags names, not restricted), or null.
    const MemberShape* invoked(MEMBERID id, WORD flags) const noexcept;
};

// The type information of interface iid from library; loaded on first use and kept, unchanged, until
// clearTypeInfoCache: info points at it until then, and finding it again takes no lock. A failure
// (library not registered, not found) is returned and not remembered: a later call tries again.
HRESULT findTypeInfo(TypeLibraryId library, REFIID iid, const DualTypeInfo*& info) noexcept;

// OndivarLib is the TYPELIB resource 1 of the module this code is linked into (the DLL), or, when that
// module carries none (a test program linking the static library), this file. Call before the first
// dispatch call.
void setOndivarTypeLibraryFile(const std::wstring& path);

// Drops every cached library and type description (the module calls it when it unloads, when no
// object and so no call is left).
void clearTypeInfoCache() noexcept;

} // namespace ondivar
