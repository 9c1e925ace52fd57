#include "module/registrar/Registrar.h"

#include "support/RegistryKey.h"

#include <new>

namespace ondivar::registrar {
namespace {

constexpr REGSAM kAccess = KEY_READ | KEY_WRITE;

HRESULT fromStatus(LSTATUS status)
{
    return status == ERROR_SUCCESS ? S_OK : HRESULT_FROM_WIN32(status);
}

bool isMissing(LSTATUS status)
{
    return status == ERROR_FILE_NOT_FOUND || status == ERROR_PATH_NOT_FOUND;
}

HKEY rootKey(RootKey root, const RegistryRoots& roots)
{
    switch (root) {
    case RootKey::ClassesRoot:
        return roots.classesRoot;
    case RootKey::CurrentUser:
        return roots.currentUser;
    case RootKey::LocalMachine:
        return roots.localMachine;
    case RootKey::Users:
        return roots.users;
    }
    return nullptr;
}

LSTATUS setString(HKEY key, const wchar_t* name, const std::wstring& text)
{
    return RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                          static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
}

// Deletes parent\name with everything beneath it; a missing key is no failure.
LSTATUS deleteTree(HKEY parent, const std::wstring& name)
{
    LSTATUS status = RegDeleteTreeW(parent, name.c_str());
    if (status != ERROR_SUCCESS && !isMissing(status))
        return status;
    // Some implementations empty the key but leave it.
    status = RegDeleteKeyW(parent, name.c_str());
    return isMissing(status) ? ERROR_SUCCESS : status;
}

HRESULT registerKey(HKEY parent, const ScriptKey& key)
{
    if (key.mark == KeyMark::ForceRemove) {
        const LSTATUS status = deleteTree(parent, key.name);
        if (status != ERROR_SUCCESS)
            return fromStatus(status);
    }
    LSTATUS status = ERROR_SUCCESS;
    const UniqueRegKey opened = UniqueRegKey::create(parent, key.name.c_str(), kAccess, &status);
    if (!opened)
        return fromStatus(status);
    if (key.defaultValue) {
        status = setString(opened.get(), nullptr, *key.defaultValue);
        if (status != ERROR_SUCCESS)
            return fromStatus(status);
    }
    for (const NamedValue& value : key.values) {
        status = setString(opened.get(), value.name.c_str(), value.text);
        if (status != ERROR_SUCCESS)
            return fromStatus(status);
    }
    for (const ScriptKey& subkey : key.subkeys) {
        const HRESULT hr = registerKey(opened.get(), subkey);
        if (FAILED(hr))
            return hr;
    }
    return S_OK;
}

// True when the key holds no subkey and no value but its default one.
bool holdsNothingElse(HKEY key)
{
    DWORD subkeys = 0;
    DWORD values = 0;
    if (RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, &values, nullptr,
                         nullptr, nullptr, nullptr) != ERROR_SUCCESS)
        return false;
    if (subkeys != 0)
        return false;
    if (values == 0)
        return true;
    return values == 1 && RegQueryValueExW(key, L"", nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

HRESULT unregisterKey(HKEY parent, const ScriptKey& key)
{
    if (key.mark == KeyMark::ForceRemove)
        return fromStatus(deleteTree(parent, key.name));
    LSTATUS status = ERROR_SUCCESS;
    UniqueRegKey opened = UniqueRegKey::open(parent, key.name.c_str(), kAccess, &status);
    if (!opened)
        return isMissing(status) ? S_OK : fromStatus(status);
    for (const NamedValue& value : key.values) {
        status = RegDeleteValueW(opened.get(), value.name.c_str());
        if (status != ERROR_SUCCESS && !isMissing(status))
            return fromStatus(status);
    }
    for (const ScriptKey& subkey : key.subkeys) {
        const HRESULT hr = unregisterKey(opened.get(), subkey);
        if (FAILED(hr))
            return hr;
    }
    if (key.mark == KeyMark::NoRemove || !holdsNothingElse(opened.get()))
        return S_OK;
    opened.reset();
    status = RegDeleteKeyW(parent, key.name.c_str());
    return isMissing(status) ? S_OK : fromStatus(status);
}

} // namespace

HRESULT applyScript(const ParsedScript& script, ScriptMode mode, const RegistryRoots& roots) noexcept
{
    try {
        for (const ScriptRoot& root : script.roots) {
            const HKEY base = rootKey(root.root, roots);
            if (base == nullptr)
                return E_INVALIDARG;
            for (const ScriptKey& key : root.keys) {
                const HRESULT hr =
                    mode == ScriptMode::Register ? registerKey(base, key) : unregisterKey(base, key);
                if (FAILED(hr))
                    return hr;
            }
        }
        return S_OK;
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (...) {
        return E_UNEXPECTED;
    }
}

HRESULT runScript(const std::wstring& text, const Replacements& replacements, ScriptMode mode,
                  const RegistryRoots& roots, std::wstring* error) noexcept
{
    ParsedScript script;
    const HRESULT hr = parseScript(text, replacements, script, error);
    if (FAILED(hr))
        return hr;
    return applyScript(script, mode, roots);
}

} // namespace ondivar::registrar
