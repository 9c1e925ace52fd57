#include "tools/com-bench/AllocationCounter.h"

#include <cstddef>
#include <cstring>

namespace ondivar::bench {
namespace {

using Malloc = void*(__cdecl*)(std::size_t);
using Calloc = void*(__cdecl*)(std::size_t, std::size_t);
using Realloc = void*(__cdecl*)(void*, std::size_t);

unsigned long long g_count = 0;
Malloc g_malloc = nullptr;
Calloc g_calloc = nullptr;
Realloc g_realloc = nullptr;

void* __cdecl countedMalloc(std::size_t size)
{
    ++g_count;
    return g_malloc(size);
}

void* __cdecl countedCalloc(std::size_t count, std::size_t size)
{
    ++g_count;
    return g_calloc(count, size);
}

void* __cdecl countedRealloc(void* block, std::size_t size)
{
    ++g_count;
    return g_realloc(block, size);
}

// Replaces the address in an import slot (the slots are read-only once loaded).
template <class Function> void redirect(ULONG_PTR* slot, Function& original, Function replacement)
{
    DWORD protection = 0;
    if (!VirtualProtect(slot, sizeof(*slot), PAGE_READWRITE, &protection))
        return;
    if (original == nullptr)
        original = reinterpret_cast<Function>(*slot);
    if (reinterpret_cast<Function>(*slot) == original)
        *slot = reinterpret_cast<ULONG_PTR>(replacement);
    VirtualProtect(slot, sizeof(*slot), protection, &protection);
}

} // namespace

bool countAllocationsOf(HMODULE module)
{
    if (module == nullptr)
        return false;
    auto* base = reinterpret_cast<unsigned char*>(module);
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& imports = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    if (imports.VirtualAddress == 0)
        return false;
    bool found = false;
    for (auto* d = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress);
         d->Name != 0; ++d) {
        if (d->OriginalFirstThunk == 0)
            continue;
        const auto* names = reinterpret_cast<const IMAGE_THUNK_DATA*>(base + d->OriginalFirstThunk);
        auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + d->FirstThunk);
        for (; names->u1.AddressOfData != 0; ++names, ++slots) {
            if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal))
                continue;
            const char* name =
                reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData)->Name;
            ULONG_PTR* slot = reinterpret_cast<ULONG_PTR*>(&slots->u1.Function);
            if (std::strcmp(name, "malloc") == 0)
                redirect(slot, g_malloc, &countedMalloc), found = true;
            else if (std::strcmp(name, "calloc") == 0)
                redirect(slot, g_calloc, &countedCalloc), found = true;
            else if (std::strcmp(name, "realloc") == 0)
                redirect(slot, g_realloc, &countedRealloc), found = true;
        }
    }
    return found;
}

unsigned long long countedAllocations()
{
    return g_count;
}

} // namespace ondivar::bench
