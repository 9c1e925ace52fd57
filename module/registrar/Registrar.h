// Runs a registrar script (RegistrarScript.h) against the registry, in registration or removal mode.
// The whole script is read first: a script that cannot be read writes nothing.
#pragma once

#include "module/registrar/RegistrarScript.h"

namespace ondivar::registrar {

enum class ScriptMode { Register, Unregister };

// The keys the script's root blocks are written under. Per-user registration passes the current
// user's Software\Classes key as classesRoot.
struct RegistryRoots {
    HKEY classesRoot = HKEY_CLASSES_ROOT;
    HKEY currentUser = HKEY_CURRENT_USER;
    HKEY localMachine = HKEY_LOCAL_MACHINE;
    HKEY users = HKEY_USERS;
};

// Registration: ForceRemove keys are deleted with their contents, then every key is created (or opened)
// and its values written, in script order. Removal: NoRemove keys stay and only what the script lists
// beneath them goes; ForceRemove keys go with everything beneath them; other keys lose the named values
// the script lists and then go when no subkey and no other named value remains in them. Keys or values
// already missing are no failure. Returns S_OK or the first failure (HRESULT_FROM_WIN32 of the registry
// function's status), stopping there.
HRESULT applyScript(const ParsedScript& script, ScriptMode mode, const RegistryRoots& roots) noexcept;

// parseScript, then applyScript.
HRESULT runScript(const std::wstring& text, const Replacements& replacements, ScriptMode mode,
                  const RegistryRoots& roots, std::wstring* error = nullptr) noexcept;

} // namespace ondivar::registrar
