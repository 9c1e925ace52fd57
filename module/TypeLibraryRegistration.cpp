#include "module/TypeLibraryRegistration.h"

#include "support/ComHandles.h"
#include "support/RegistryKey.h"
#include "support/StringConversion.h"

#include <oleauto.h>

#include <cstdio>
#include <new>

// oleaut32 exports these (Windows Vista SP1 and later); MinGW's headers do not declare them.
extern "C" {
HRESULT WINAPI RegisterTypeLibForUser(ITypeLib* library, OLECHAR* fullPath, OLECHAR* helpDirectory);
HRESULT WINAPI UnRegisterTypeLibForUser(REFGUID libid, WORD major, WORD minor, LCID lcid, SYSKIND syskind);
}

namespace ondivar {
namespace {

struct LibraryIdentity {
    GUID libid;
    WORD major;
    WORD minor;
    LCID lcid;
    SYSKIND syskind;
};

HRESULT loadLibrary(const std::wstring& modulePath, ComPtr<ITypeLib>& library, LibraryIdentity& identity)
{
    HRESULT hr = LoadTypeLibEx(modulePath.c_str(), REGKIND_NONE, library.put());
    if (FAILED(hr))
        return hr;
    const ScopedLibAttr attributes(library.get());
    if (!attributes)
        return attributes.hr();
    identity = {attributes->guid, attributes->wMajorVerNum, attributes->wMinorVerNum, attributes->lcid,
                attributes->syskind};
    return S_OK;
}

// TypeLib\{libid}\major.minor, as the registration writes it (hexadecimal version numbers).
std::wstring versionKeyPath(const LibraryIdentity& identity)
{
    const std::wstring guid = guidText(identity.libid);
    wchar_t version[16] = {};
    std::swprintf(version, 16, L"%x.%x", identity.major, identity.minor);
    return std::wstring(L"TypeLib\\") + guid + L"\\" + version;
}

} // namespace

HRESULT registerTypeLibrary(const std::wstring& modulePath, bool perUser) noexcept
{
    try {
        ComPtr<ITypeLib> library;
        const HRESULT hr = LoadTypeLibEx(modulePath.c_str(), REGKIND_NONE, library.put());
        if (FAILED(hr))
            return hr;
        // The library names no help file: no help folder.
        auto* path = const_cast<OLECHAR*>(modulePath.c_str());
        return perUser ? RegisterTypeLibForUser(library.get(), path, nullptr)
                       : RegisterTypeLib(library.get(), path, nullptr);
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
}

HRESULT unregisterTypeLibrary(const std::wstring& modulePath, bool perUser, HKEY classesRoot) noexcept
{
    try {
        ComPtr<ITypeLib> library;
        LibraryIdentity identity{};
        HRESULT hr = loadLibrary(modulePath, library, identity);
        if (FAILED(hr))
            return hr;
        library.reset();
        if (!UniqueRegKey::open(classesRoot, versionKeyPath(identity).c_str(), KEY_READ))
            return S_OK;
        return perUser ? UnRegisterTypeLibForUser(identity.libid, identity.major, identity.minor,
                                                  identity.lcid, identity.syskind)
                       : UnRegisterTypeLib(identity.libid, identity.major, identity.minor, identity.lcid,
                                           identity.syskind);
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
}

} // namespace ondivar
