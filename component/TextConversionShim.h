// Temporary: the BSTR conversions until the support library's land.
#pragma once

#include <windows.h>
#include <oleauto.h>

#include <new>
#include <string>

namespace ondivar {

inline void stringToBSTR(const std::wstring& text, BSTR& out)
{
    out = nullptr;
    if (text.empty())
        return;
    out = SysAllocString(text.c_str());
    if (out == nullptr)
        throw std::bad_alloc();
}

inline void stringToBSTR(const wchar_t* text, BSTR& out)
{
    out = nullptr;
    if (text == nullptr)
        return;
    out = SysAllocString(text);
    if (out == nullptr)
        throw std::bad_alloc();
}

inline void bstrToString(BSTR text, std::wstring& out)
{
    out = text != nullptr ? std::wstring(text) : std::wstring();
}

} // namespace ondivar
