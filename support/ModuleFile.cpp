#include "support/ModuleFile.h"

#include <new>
#include <utility>

namespace ondivar {

HRESULT modulePath(HMODULE module, std::wstring& path) noexcept
{
    try {
        std::wstring buffer(MAX_PATH, L'\0');
        for (;;) {
            const DWORD length = GetModuleFileNameW(module, buffer.data(), static_cast<DWORD>(buffer.size()));
            if (length == 0)
                return HRESULT_FROM_WIN32(GetLastError());
            if (length < buffer.size()) {
                buffer.resize(length);
                path = std::move(buffer);
                return S_OK;
            }
            buffer.resize(buffer.size() * 2);
        }
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
}

} // namespace ondivar
