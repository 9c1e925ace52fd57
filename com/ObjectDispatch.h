// The IDispatch of an object that implements several dual interfaces: the one pointer a late-bound
// client holds reaches the members of all of them by name.
//
// Dispatch ids. The object lists its interfaces in a table. GetIDsOfNames looks a name up in each
// interface's type information, in table order, and the first interface that has it answers (so the
// order settles a name two interfaces share). The first interface keeps its own ids; a member of the
// interface at position p >= 1 gets (p << 16) | its own id, and its own id must lie in 0..0xFFFF. The
// names IDispatch and IUnknown give every dual interface are thus answered by the first interface.
// An interface whose type library cannot be loaded is passed over: a name no loaded interface has
// then gets the id kMissingLibraryPosition << 16 | library, and invoking it fails with a description
// naming the library; while every library loads, such a name is DISP_E_UNKNOWNNAME.
//
// Invoke takes the position from the id, calls the member through that interface's vtable
// description with the arguments as a script host means them (VariantArguments), and on a member's
// failure fills the caller's EXCEPINFO from the object's CAPE-OPEN
// error interfaces (describeRecordedFailure); return values are those of ITypeInfo::Invoke.
#pragma once

#include "com/DispatchImpl.h"

#include <cstddef>

namespace ondivar {

// One interface of an object's dispatch table: where it is described and how the object gives it.
struct DispatchInterface {
    TypeLibraryId library;
    const IID* iid;
    IUnknown* (*get)(void* object);
};

struct DispatchTable {
    const DispatchInterface* interfaces;
    std::size_t count;
};

// Positions above this hold no interface: the id of a name looked up while a library was missing.
constexpr DISPID kMissingLibraryPosition = 0x7FFF;
constexpr int kDispatchPositionShift = 16;
constexpr DISPID kOwnDispatchIdMask = 0xFFFF;

// The ids of names[0] (a member) and names[1..count) (its parameters) over the table.
HRESULT tableIdsOfNames(const DispatchTable& table, LPOLESTR* names, UINT count, DISPID* ids) noexcept;

// Invokes id of the table on object (the pointer that the table's get functions take).
HRESULT tableInvoke(const DispatchTable& table, void* object, DISPID id, WORD flags, DISPPARAMS* parameters,
                    VARIANT* result, EXCEPINFO* exception, UINT* argumentError) noexcept;

// The dispatch half of Interface, Object's identity for IDispatch, answering for Object's whole
// dispatch table (Object::dispatchTable(); its first entry is Interface). GetTypeInfo still describes
// Interface alone.
template <class Interface, TypeLibraryId Library, class Object>
class ObjectDispatchImpl : public DispatchImpl<Interface, Library> {
public:
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID,
                                            DISPID* ids) override
    {
        if (!IsEqualIID(riid, IID_NULL))
            return DISP_E_UNKNOWNINTERFACE;
        return tableIdsOfNames(Object::dispatchTable(), names, count, ids);
    }

    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID riid, LCID, WORD flags, DISPPARAMS* parameters,
                                     VARIANT* result, EXCEPINFO* exception, UINT* argumentError) override
    {
        if (!IsEqualIID(riid, IID_NULL))
            return DISP_E_UNKNOWNINTERFACE;
        return tableInvoke(Object::dispatchTable(), static_cast<Object*>(this), id, flags, parameters, result,
                           exception, argumentError);
    }
};

} // namespace ondivar
