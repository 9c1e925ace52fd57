// Registration of the type library a module file carries as its resource TYPELIB 1.
#pragma once

#include <windows.h>

#include <string>

namespace ondivar {

// Registers the library for the machine, or for the current user only.
HRESULT registerTypeLibrary(const std::wstring& modulePath, bool perUser) noexcept;

// Removes the library's registration. A library that is not registered under classesRoot (the key the
// registration wrote under) has nothing to remove: S_OK.
HRESULT unregisterTypeLibrary(const std::wstring& modulePath, bool perUser, HKEY classesRoot) noexcept;

} // namespace ondivar
