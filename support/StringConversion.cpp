#include "support/StringConversion.h"

#include <cmath>
#include <cstdlib>
#include <cwchar>
#include <new>
#include <vector>

namespace ondivar {

namespace {

// The one NaN of the conversions, made once.
const double notANumber = HUGE_VAL / HUGE_VAL;

BSTR copyOf(const wchar_t* text)
{
    BSTR copy = SysAllocString(text);
    if (copy == nullptr)
        throw std::bad_alloc();
    return copy;
}

} // namespace

void stringToBSTR(const std::wstring& text, BSTR& out)
{
    out = text.empty() ? nullptr : copyOf(text.c_str());
}

void stringToBSTR(const wchar_t* text, BSTR& out)
{
    out = text == nullptr ? nullptr : copyOf(text);
}

void bstrToString(const wchar_t* text, std::wstring& out)
{
    if (text == nullptr)
        out.clear();
    else
        out.assign(text);
}

std::wstring utf8ToWide(std::string_view text)
{
    if (text.empty())
        return std::wstring();
    const int size = static_cast<int>(text.size());
    const int length = MultiByteToWideChar(CP_UTF8, 0, text.data(), size, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), size, wide.data(), length);
    return wide;
}

std::string wideToUtf8(std::wstring_view text)
{
    if (text.empty())
        return std::string();
    const int size = static_cast<int>(text.size());
    const int length = WideCharToMultiByte(CP_UTF8, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
    std::string narrow(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), size, narrow.data(), length, nullptr, nullptr);
    return narrow;
}

std::string wideToUtf8(const wchar_t* text)
{
    return text != nullptr ? wideToUtf8(std::wstring_view(text)) : std::string();
}

std::wstring guidText(const GUID& guid)
{
    wchar_t text[40] = {};
    StringFromGUID2(guid, text, 40);
    return text;
}

void ansiToWide(const char* text, std::wstring& out)
{
    if (text == nullptr || *text == '\0') {
        out.clear();
        return;
    }
    const int length = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
    if (length <= 0)
        throw std::bad_alloc();
    std::vector<wchar_t> wide(length);
    MultiByteToWideChar(CP_ACP, 0, text, -1, wide.data(), length);
    out.assign(wide.data());
}

void ansiToWide(const std::string& text, std::wstring& out)
{
    ansiToWide(text.c_str(), out);
}

void wideToAnsi(const std::wstring& text, std::string& out)
{
    if (text.empty()) {
        out.clear();
        return;
    }
    const int length = WideCharToMultiByte(CP_ACP, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
    if (length <= 0)
        throw std::bad_alloc();
    std::vector<char> narrow(length);
    WideCharToMultiByte(CP_ACP, 0, text.c_str(), -1, narrow.data(), length, nullptr, nullptr);
    out.assign(narrow.data());
}

void parseDoubles(const CArray1D<std::wstring>& texts, CArray1D<double>& values)
{
    CArray1D<double> result(texts.size());
    for (std::size_t i = 0; i < texts.size(); ++i)
        result[i] = texts[i].find(L"1.#IND") != std::wstring::npos ? notANumber : _wtof(texts[i].c_str());
    values = std::move(result);
}

} // namespace ondivar
