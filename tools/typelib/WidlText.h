// Text that widl wrote into a type library.
#pragma once

#include <string>

namespace ondivar::typelib {

// widl copies the bytes of an IDL string into the library as they are, and the reader decodes a
// library's strings with the ANSI code page. For a UTF-8 IDL file this gives back the intended text:
// the bytes again, decoded as UTF-8. A text that is plain ASCII, does not round-trip through the ANSI
// code page or is not valid UTF-8 comes back unchanged.
std::wstring decodeWidlText(const wchar_t* text);

} // namespace ondivar::typelib
