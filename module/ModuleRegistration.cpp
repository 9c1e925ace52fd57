// Registration and removal of the module: the registrar's scripts (REGISTRY resources) and the type
// library.
#include "module/ModuleRegistration.h"

#include "module/ClassTable.h"
#include "module/OndivarModule.h"
#include "module/Resources.h"
#include "module/TypeLibraryRegistration.h"
#include "module/registrar/Registrar.h"
#include "support/ModuleFile.h"
#include "support/StringConversion.h"

#include "OndivarLib.h"

#include <new>

namespace ondivar {
namespace {

// A REGISTRY resource of the module: UTF-8 text.
HRESULT loadScript(HINSTANCE module, UINT id, std::wstring& text)
{
    HRSRC resource = FindResourceW(module, MAKEINTRESOURCEW(id), L"REGISTRY");
    if (resource == nullptr)
        return HRESULT_FROM_WIN32(GetLastError());
    HGLOBAL loaded = LoadResource(module, resource);
    const DWORD size = SizeofResource(module, resource);
    const char* bytes = loaded != nullptr ? static_cast<const char*>(LockResource(loaded)) : nullptr;
    if (bytes == nullptr)
        return HRESULT_FROM_WIN32(GetLastError());
    text.clear();
    if (size == 0)
        return S_OK;
    const int length =
        MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, bytes, static_cast<int>(size), nullptr, 0);
    if (length <= 0)
        return registrar::kScriptError;
    text.resize(static_cast<std::size_t>(length));
    MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, bytes, static_cast<int>(size), text.data(), length);
    return S_OK;
}

// Runs the module's REGISTRY script `id` under `root`, with %MODULE% (the DLL's path), %APPID%, %LIBID%
// (OndivarLib's identifier) and, for a class's script, %CLSID% (the class's identifier): the scripts
// take every identity from the code.
HRESULT runModuleScript(HINSTANCE module, UINT id, registrar::ScriptMode mode, const std::wstring& path,
                        const ClassesRoot& root, const CLSID* classId = nullptr)
{
    std::wstring text;
    const HRESULT hr = loadScript(module, id, text);
    if (FAILED(hr))
        return hr;
    registrar::Replacements replacements = {{L"MODULE", path},
                                            {L"APPID", guidText(COndivarModule::appId())},
                                            {L"LIBID", guidText(LIBID_OndivarLib)}};
    if (classId != nullptr)
        replacements[L"CLSID"] = guidText(*classId);
    registrar::RegistryRoots roots;
    roots.classesRoot = root.key();
    return registrar::runScript(text, replacements, mode, roots);
}

} // namespace

ClassesRoot::ClassesRoot(bool perUser) noexcept
{
    if (!perUser)
        return;
    LSTATUS status = ERROR_SUCCESS;
    m_userClasses = UniqueRegKey::create(HKEY_CURRENT_USER, L"Software\\Classes", KEY_ALL_ACCESS, &status);
    if (!m_userClasses)
        m_hr = HRESULT_FROM_WIN32(status);
}

ClassesRootRedirect::ClassesRootRedirect(const ClassesRoot& root) noexcept
{
    if (!root.perUser())
        return;
    const LSTATUS status = RegOverridePredefKey(HKEY_CLASSES_ROOT, root.key());
    m_active = status == ERROR_SUCCESS;
    m_hr = m_active ? S_OK : HRESULT_FROM_WIN32(status);
}

ClassesRootRedirect::~ClassesRootRedirect()
{
    if (m_active)
        RegOverridePredefKey(HKEY_CLASSES_ROOT, nullptr);
}

namespace {

// Runs the script of every class of the class table; stops at the first failure.
HRESULT runClassScripts(HINSTANCE module, registrar::ScriptMode mode, const std::wstring& path,
                        const ClassesRoot& root)
{
    HRESULT hr = S_OK;
    for (std::size_t i = 0; SUCCEEDED(hr) && i < classCount(); ++i)
        hr = runModuleScript(module, classTable()[i].registryScript, mode, path, root, classTable()[i].clsid);
    return hr;
}

// Runs steps(root, path) with the classes root the registration writes under and the module's path.
template <class Steps> HRESULT withRootAndPath(bool perUser, HINSTANCE module, Steps steps)
{
    const ClassesRoot root(perUser);
    if (FAILED(root.hr()))
        return root.hr();
    std::wstring path;
    const HRESULT hr = modulePath(module, path);
    if (FAILED(hr))
        return hr;
    return steps(root, path);
}

} // namespace

HRESULT COndivarModule::registerServer() noexcept
{
    return withRootAndPath(m_perUser, m_instance, [&](const ClassesRoot& root, const std::wstring& path) {
        HRESULT hr = runModuleScript(m_instance, IDR_ONDIVAR, registrar::ScriptMode::Register, path, root);
        if (SUCCEEDED(hr))
            hr = runClassScripts(m_instance, registrar::ScriptMode::Register, path, root);
        if (FAILED(hr))
            return hr;
        const ClassesRootRedirect redirect(root);
        if (FAILED(redirect.hr()))
            return redirect.hr();
        return registerTypeLibrary(path, root.perUser());
    });
}

HRESULT COndivarModule::unregisterServer() noexcept
{
    return withRootAndPath(m_perUser, m_instance, [&](const ClassesRoot& root, const std::wstring& path) {
        HRESULT hr = runClassScripts(m_instance, registrar::ScriptMode::Unregister, path, root);
        if (SUCCEEDED(hr)) {
            const ClassesRootRedirect redirect(root);
            hr = FAILED(redirect.hr()) ? redirect.hr()
                                       : unregisterTypeLibrary(path, root.perUser(), root.key());
        }
        if (FAILED(hr))
            return hr;
        return runModuleScript(m_instance, IDR_ONDIVAR, registrar::ScriptMode::Unregister, path, root);
    });
}

} // namespace ondivar
