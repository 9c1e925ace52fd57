#include "com/ObjectDispatch.h"

#include "com/DispatchFailure.h"
#include "com/MemberInvoke.h"
#include "com/VariantArguments.h"

#include <new>
#include <optional>

namespace ondivar {
namespace {

void unknownIds(DISPID* ids, UINT count)
{
    for (UINT i = 0; i < count; ++i)
        ids[i] = DISPID_UNKNOWN;
}

// The table position and own id that id stands for; position 0 is the first interface, whose ids
// are its own.
struct Target {
    std::size_t position;
    DISPID own;
};

Target targetOf(DISPID id, std::size_t count)
{
    const DISPID position = id >> kDispatchPositionShift;
    if (id > kOwnDispatchIdMask &&
        (static_cast<std::size_t>(position) < count || position == kMissingLibraryPosition))
        return {static_cast<std::size_t>(position), id & kOwnDispatchIdMask};
    return {0, id};
}

} // namespace

HRESULT tableIdsOfNames(const DispatchTable& table, LPOLESTR* names, UINT count, DISPID* ids) noexcept
{
    if (names == nullptr || ids == nullptr)
        return E_POINTER;
    if (count == 0)
        return S_OK;
    std::optional<TypeLibraryId> missing;
    for (std::size_t position = 0; position < table.count; ++position) {
        const DispatchInterface& entry = table.interfaces[position];
        const DualTypeInfo* info = nullptr;
        if (FAILED(findTypeInfo(entry.library, *entry.iid, info))) {
            if (!missing)
                missing = entry.library;
            continue;
        }
        unknownIds(ids, count);
        const HRESULT hr = info->described->GetIDsOfNames(names, count, ids);
        if (ids[0] == DISPID_UNKNOWN)
            continue;
        if (position != 0) {
            // A member outside the own-id range (IDispatch's own, answered by the first interface).
            if (ids[0] < 0 || ids[0] > kOwnDispatchIdMask)
                continue;
            ids[0] |= static_cast<DISPID>(position) << kDispatchPositionShift;
        }
        return hr;
    }
    unknownIds(ids, count);
    if (!missing)
        return DISP_E_UNKNOWNNAME;
    ids[0] = kMissingLibraryPosition << kDispatchPositionShift | static_cast<DISPID>(*missing);
    return count == 1 ? S_OK : DISP_E_UNKNOWNNAME;
}

HRESULT tableInvoke(const DispatchTable& table, void* object, DISPID id, WORD flags, DISPPARAMS* parameters,
                    VARIANT* result, EXCEPINFO* exception, UINT* argumentError) noexcept
{
    if (table.count == 0)
        return DISP_E_MEMBERNOTFOUND;
    IUnknown* const identity = table.interfaces[0].get(object);
    const Target target = targetOf(id, table.count);
    if (target.position == static_cast<std::size_t>(kMissingLibraryPosition)) {
        // Looked up while the library was missing: which member was meant is not known.
        const auto library = static_cast<TypeLibraryId>(target.own);
        for (std::size_t position = 0; position < table.count; ++position) {
            if (table.interfaces[position].library != library)
                continue;
            const DualTypeInfo* info = nullptr;
            const HRESULT hr = findTypeInfo(library, *table.interfaces[position].iid, info);
            if (FAILED(hr))
                return missingLibraryFailure(identity, library, hr, exception);
        }
        return DISP_E_MEMBERNOTFOUND;
    }
    const DispatchInterface& entry = table.interfaces[target.position];
    const DualTypeInfo* info = nullptr;
    HRESULT hr = findTypeInfo(entry.library, *entry.iid, info);
    if (FAILED(hr))
        return missingLibraryFailure(identity, entry.library, hr, exception);
    IUnknown* const instance = entry.get(object);
    try {
        VariantArguments arguments(*info, target.own, flags, parameters);
        hr = invokeMember(*info, instance, target.own, flags, arguments.parameters(), result, exception,
                          argumentError);
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
    if (hr == DISP_E_EXCEPTION && exception != nullptr)
        describeRecordedFailure(instance, *exception);
    return hr;
}

} // namespace ondivar
