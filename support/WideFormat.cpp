#include "support/WideFormat.h"

#include <cwchar>
#include <vector>

// msvcrt's own functions, where a wide %s takes a wide string. Declared here as imports so that a runtime
// header that routes these names elsewhere (a UCRT build) fails to compile instead of changing meaning;
// __USE_MINGW_ANSI_STDIO redirects only the standard names (vswprintf, ...), not these.
extern "C" {
__declspec(dllimport) int __cdecl _vscwprintf(const wchar_t* format, va_list args);
__declspec(dllimport) int __cdecl _vsnwprintf(wchar_t* buffer, std::size_t count, const wchar_t* format,
                                              va_list args);
}

namespace ondivar {

std::wstring formatWide(const wchar_t* format, va_list args)
{
    if (format == nullptr)
        return std::wstring();
    va_list measureArgs;
    va_copy(measureArgs, args);
    const int length = _vscwprintf(format, measureArgs);
    va_end(measureArgs);
    if (length <= 0)
        return std::wstring();
    std::vector<wchar_t> buffer(static_cast<std::size_t>(length) + 1, L'\0');
    va_list writeArgs;
    va_copy(writeArgs, args);
    _vsnwprintf(buffer.data(), static_cast<std::size_t>(length), format, writeArgs);
    va_end(writeArgs);
    return std::wstring(buffer.data(), wcsnlen(buffer.data(), static_cast<std::size_t>(length)));
}

std::wstring formatWideLimited(std::size_t maxLength, const wchar_t* format, va_list args)
{
    if (format == nullptr || maxLength == 0)
        return std::wstring();
    std::vector<wchar_t> buffer(maxLength + 1, L'\0');
    va_list writeArgs;
    va_copy(writeArgs, args);
    // Returns -1 when the text is cut off; what fits is in the buffer either way, the last slot stays 0.
    _vsnwprintf(buffer.data(), maxLength, format, writeArgs);
    va_end(writeArgs);
    return std::wstring(buffer.data(), wcsnlen(buffer.data(), maxLength));
}

} // namespace ondivar
