#include "com/TypeInfoCache.h"

#include "support/ModuleFile.h"

#include "CapeOpen110.h"

#include <atomic>
#include <cstring>
#include <memory>
#include <mutex>
#include <new>
#include <vector>

namespace ondivar {
namespace {

// The CAPE-OPEN error interfaces are described by version 1.0 of the library's identifier; a host
// with the 1.1 library answers that request with 1.1.
constexpr WORD kCapeOpenMajor = 1;
constexpr WORD kCapeOpenMinor = 0;

// The entries form a list that only grows until it is cleared: a reader walks it from the head it
// loads, while a loader (holding the mutex) puts a complete entry in front.
struct CachedTypeInfo {
    TypeLibraryId library;
    IID iid;
    DualTypeInfo info;
    const CachedTypeInfo* next;
};

struct Cache {
    std::mutex mutex;
    ComPtr<ITypeLib> capeOpen;
    ComPtr<ITypeLib> ondivar;
    std::atomic<const CachedTypeInfo*> head{nullptr};
    std::wstring ondivarFile;
};

const DualTypeInfo* cached(const Cache& c, TypeLibraryId library, REFIID iid) noexcept
{
    for (const CachedTypeInfo* entry = c.head.load(std::memory_order_acquire); entry != nullptr;
         entry = entry->next) {
        if (entry->library == library && IsEqualIID(entry->iid, iid))
            return &entry->info;
    }
    return nullptr;
}

void clearEntries(Cache& c) noexcept
{
    const CachedTypeInfo* entry = c.head.exchange(nullptr, std::memory_order_acq_rel);
    while (entry != nullptr) {
        const CachedTypeInfo* next = entry->next;
        delete entry;
        entry = next;
    }
}

// The functions of a vtable description, with their parameters.
std::vector<MemberShape> membersOf(ITypeInfo* vtable)
{
    std::vector<MemberShape> members;
    const ScopedTypeAttr attributes(vtable);
    for (UINT f = 0; attributes && f < attributes->cFuncs; ++f) {
        const ScopedFuncDesc function(vtable, f);
        if (!function)
            continue;
        MemberShape& member = members.emplace_back();
        member.id = function->memid;
        member.kind = function->invkind;
        member.restricted = (function->wFuncFlags & FUNCFLAG_FRESTRICTED) != 0 && function->memid >= 0;
        member.vtableOffset = function->oVft;
        member.plain = (function->funckind == FUNC_PUREVIRTUAL || function->funckind == FUNC_VIRTUAL) &&
                       function->callconv == CC_STDCALL && function->elemdescFunc.tdesc.vt == VT_HRESULT &&
                       function->cParamsOpt >= 0;
        for (SHORT p = 0; p < function->cParams; ++p) {
            const ELEMDESC& parameter = function->lprgelemdescParam[p];
            const TYPEDESC& type = parameter.tdesc;
            const ParameterShape shape{
                type.vt, type.vt == VT_PTR && type.lptdesc != nullptr ? type.lptdesc->vt : VARTYPE(VT_EMPTY),
                (parameter.paramdesc.wParamFlags & PARAMFLAG_FOUT) != 0};
            member.parameters.push_back(shape);
            const bool filledByCall =
                (parameter.paramdesc.wParamFlags & (PARAMFLAG_FLCID | PARAMFLAG_FRETVAL)) != 0;
            const bool plainType = shape.type == VT_BSTR || shape.type == VT_VARIANT ||
                                   (shape.type == VT_PTR && shape.pointee == VT_VARIANT);
            member.plain = member.plain && plainType && !filledByCall;
        }
    }
    return members;
}

Cache& cache()
{
    static Cache instance;
    return instance;
}

// The module's own TYPELIB resource 1 when it has one, else fallbackFile.
HRESULT loadOndivarTypeLibraryFrom(const std::wstring& fallbackFile, ITypeLib** library) noexcept
{
    if (library == nullptr)
        return E_POINTER;
    *library = nullptr;
    HMODULE module = nullptr;
    if (GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                               GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                           reinterpret_cast<LPCWSTR>(&loadOndivarTypeLibraryFrom), &module) &&
        FindResourceW(module, MAKEINTRESOURCEW(1), L"TYPELIB") != nullptr) {
        std::wstring path;
        if (SUCCEEDED(modulePath(module, path)))
            return LoadTypeLibEx(path.c_str(), REGKIND_NONE, library);
    }
    if (fallbackFile.empty())
        return TYPE_E_CANTLOADLIBRARY;
    return LoadTypeLibEx(fallbackFile.c_str(), REGKIND_NONE, library);
}

HRESULT loadLibrary(Cache& c, TypeLibraryId id, ComPtr<ITypeLib>& out)
{
    ComPtr<ITypeLib>& slot = id == TypeLibraryId::CapeOpen ? c.capeOpen : c.ondivar;
    if (!slot) {
        HRESULT hr = id == TypeLibraryId::CapeOpen
                         ? LoadRegTypeLib(LIBID_CAPEOPEN110, kCapeOpenMajor, kCapeOpenMinor, 0, slot.put())
                         : loadOndivarTypeLibraryFrom(c.ondivarFile, slot.put());
        if (FAILED(hr)) {
            slot.reset();
            return hr;
        }
    }
    out = slot;
    return S_OK;
}

// For a dual interface the library holds a dispatch description whose implemented type -1 is the
// vtable interface; ITypeInfo::Invoke must be given the latter to call through the vtable.
ComPtr<ITypeInfo> vtableDescription(const ComPtr<ITypeInfo>& described)
{
    bool dualDispatch = false;
    {
        const ScopedTypeAttr attributes(described.get());
        if (!attributes)
            return described;
        dualDispatch =
            attributes->typekind == TKIND_DISPATCH && (attributes->wTypeFlags & TYPEFLAG_FDUAL) != 0;
    }
    if (!dualDispatch)
        return described;
    HREFTYPE reference = 0;
    ComPtr<ITypeInfo> vtable;
    if (FAILED(described->GetRefTypeOfImplType(static_cast<UINT>(-1), &reference)) ||
        FAILED(described->GetRefTypeInfo(reference, vtable.put())))
        return described;
    return vtable;
}

} // namespace

const MemberShape* DualTypeInfo::member(MEMBERID id, INVOKEKIND kind) const noexcept
{
    for (const MemberShape& shape : members)
        if (shape.id == id && shape.kind == kind)
            return &shape;
    return nullptr;
}

const MemberShape* DualTypeInfo::invoked(MEMBERID id, WORD flags) const noexcept
{
    for (const MemberShape& shape : members)
        if (shape.id == id && (flags & shape.kind) != 0 && !shape.restricted)
            return &shape;
    return nullptr;
}

HRESULT findTypeInfo(TypeLibraryId library, REFIID iid, const DualTypeInfo*& info) noexcept
{
    info = nullptr;
    try {
        Cache& c = cache();
        if ((info = cached(c, library, iid)) != nullptr)
            return S_OK;
        std::lock_guard<std::mutex> lock(c.mutex);
        if ((info = cached(c, library, iid)) != nullptr)
            return S_OK;
        ComPtr<ITypeLib> typeLibrary;
        HRESULT hr = loadLibrary(c, library, typeLibrary);
        if (FAILED(hr))
            return hr;
        auto entry = std::make_unique<CachedTypeInfo>();
        entry->library = library;
        entry->iid = iid;
        hr = typeLibrary->GetTypeInfoOfGuid(iid, entry->info.described.put());
        if (FAILED(hr))
            return hr;
        entry->info.vtable = vtableDescription(entry->info.described);
        entry->info.members = membersOf(entry->info.vtable.get());
        entry->next = c.head.load(std::memory_order_relaxed);
        info = &entry->info;
        c.head.store(entry.release(), std::memory_order_release);
        return S_OK;
    } catch (const std::bad_alloc&) {
        info = nullptr;
        return E_OUTOFMEMORY;
    } catch (...) {
        info = nullptr;
        return E_UNEXPECTED;
    }
}

void setOndivarTypeLibraryFile(const std::wstring& path)
{
    Cache& c = cache();
    std::lock_guard<std::mutex> lock(c.mutex);
    c.ondivarFile = path;
    c.ondivar.reset();
}

void clearTypeInfoCache() noexcept
{
    Cache& c = cache();
    std::lock_guard<std::mutex> lock(c.mutex);
    clearEntries(c);
    c.capeOpen.reset();
    c.ondivar.reset();
}

} // namespace ondivar
