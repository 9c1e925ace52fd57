#include "tools/typelib/WidlText.h"

#include <windows.h>

#include <vector>

namespace ondivar::typelib {

namespace {

std::wstring decode(UINT codePage, DWORD flags, const std::string& bytes)
{
    if (bytes.empty())
        return {};
    const int length = static_cast<int>(bytes.size());
    const int size = MultiByteToWideChar(codePage, flags, bytes.data(), length, nullptr, 0);
    if (size <= 0)
        return {};
    std::wstring text(static_cast<size_t>(size), L'\0');
    MultiByteToWideChar(codePage, flags, bytes.data(), length, text.data(), size);
    return text;
}

} // namespace

std::wstring decodeWidlText(const wchar_t* text)
{
    if (text == nullptr)
        return {};
    const std::wstring original(text);
    bool ascii = true;
    for (wchar_t c : original)
        ascii = ascii && c < 0x80;
    // Under a UTF-8 ANSI code page the reader has decoded the bytes as UTF-8 already.
    if (ascii || GetACP() == CP_UTF8)
        return original;

    const int length = static_cast<int>(original.size());
    BOOL lossy = FALSE;
    const int size =
        WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text, length, nullptr, 0, nullptr, &lossy);
    if (size <= 0 || lossy)
        return original;
    std::string bytes(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text, length, bytes.data(), size, nullptr, &lossy);
    if (lossy || decode(CP_ACP, 0, bytes) != original)
        return original;

    const std::wstring utf8 = decode(CP_UTF8, MB_ERR_INVALID_CHARS, bytes);
    return utf8.empty() ? original : utf8;
}

} // namespace ondivar::typelib
