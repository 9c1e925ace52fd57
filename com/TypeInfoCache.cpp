#include "com/TypeInfoCache.h"

#include "support/ModuleFile.h"

#include "CapeOpen110.h"

#include <cstring>
#include <mutex>
#include <new>
#include <vector>

namespace ondivar {
namespace {

// The CAPE-OPEN error interfaces are described by version 1.0 of the library's identifier; a host
// with the 1.1 library answers that request with 1.1.
constexpr WORD kCapeOpenMajor = 1;
constexpr WORD kCapeOpenMinor = 0;

struct CachedTypeInfo {
    TypeLibraryId library;
    IID iid;
    DualTypeInfo info;
};

struct Cache {
    std::mutex mutex;
    ComPtr<ITypeLib> capeOpen;
    ComPtr<ITypeLib> ondivar;
    std::vector<CachedTypeInfo> entries;
    std::wstring ondivarFile;
};

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

HRESULT findTypeInfo(TypeLibraryId library, REFIID iid, DualTypeInfo& info) noexcept
{
    try {
        Cache& c = cache();
        std::lock_guard<std::mutex> lock(c.mutex);
        for (const CachedTypeInfo& entry : c.entries) {
            if (entry.library == library && IsEqualIID(entry.iid, iid)) {
                info = entry.info;
                return S_OK;
            }
        }
        ComPtr<ITypeLib> typeLibrary;
        HRESULT hr = loadLibrary(c, library, typeLibrary);
        if (FAILED(hr))
            return hr;
        DualTypeInfo found;
        hr = typeLibrary->GetTypeInfoOfGuid(iid, found.described.put());
        if (FAILED(hr))
            return hr;
        found.vtable = vtableDescription(found.described);
        c.entries.push_back({library, iid, found});
        info = found;
        return S_OK;
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (...) {
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
    c.entries.clear();
    c.capeOpen.reset();
    c.ondivar.reset();
}

} // namespace ondivar
