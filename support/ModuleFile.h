// The file a loaded module (the DLL, a program) was loaded from.
#pragma once

#include <windows.h>

#include <string>

namespace ondivar {

// The full path of module, however long.
HRESULT modulePath(HMODULE module, std::wstring& path) noexcept;

} // namespace ondivar
