// printf-style formatting of wide strings with the Windows meaning of the conversions: in a wide format
// %s takes a wide string and %S a narrow one, on every toolchain (MinGW's C99 functions would read %s as
// narrow).
#pragma once

#include <cstdarg>
#include <cstddef>
#include <string>

namespace ondivar {

// The whole formatted text: its length is measured first, so there is no length limit. A null format,
// or one the runtime cannot format, gives the empty string.
std::wstring formatWide(const wchar_t* format, va_list args);

// At most maxLength characters of the formatted text (the rest is cut off).
std::wstring formatWideLimited(std::size_t maxLength, const wchar_t* format, va_list args);

} // namespace ondivar
