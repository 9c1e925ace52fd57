// Texts between the Automation world (BSTRs) and the program's wide and narrow strings, and the reading
// of numbers from texts.
#pragma once

#include "support/Arrays.h"

#include <windows.h>
#include <oleauto.h>

#include <string>
#include <string_view>

namespace ondivar {

// A new BSTR copy of text for the caller to free; an empty text gives a null BSTR.
void stringToBSTR(const std::wstring& text, BSTR& out);
// A new BSTR copy of text for the caller to free; a null pointer gives a null BSTR.
void stringToBSTR(const wchar_t* text, BSTR& out);
// The text of a BSTR up to its first null character; a null BSTR gives the empty string.
void bstrToString(const wchar_t* text, std::wstring& out);
// Narrow text in the ANSI code page to wide text; a null or empty text gives the empty string.
void ansiToWide(const char* text, std::wstring& out);
void ansiToWide(const std::string& text, std::wstring& out);
// Wide text to narrow text in the ANSI code page (characters it lacks become '?').
void wideToAnsi(const std::wstring& text, std::string& out);
// UTF-8 text to wide text and back; invalid sequences become U+FFFD. A null text gives the empty string.
std::wstring utf8ToWide(std::string_view text);
std::string wideToUtf8(std::wstring_view text);
std::string wideToUtf8(const wchar_t* text);
// A GUID in registry form, {XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}.
std::wstring guidText(const GUID& guid);
// One number per text: NaN for a text containing "1.#IND", the leading number of the text otherwise
// (0.0 when there is none).
void parseDoubles(const CArray1D<std::wstring>& texts, CArray1D<double>& values);

} // namespace ondivar
