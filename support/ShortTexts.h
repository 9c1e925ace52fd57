// Length and equality of the short texts callers pass (property names, phase labels), done in line:
// for a handful of characters a call into the runtime costs more than the loop.
#pragma once

#include <cstddef>
#include <string_view>

namespace ondivar {

// The text up to its first null; null gives the empty text.
inline std::wstring_view shortText(const wchar_t* text) noexcept
{
    if (text == nullptr)
        return {};
    std::size_t length = 0;
    while (text[length] != L'\0')
        ++length;
    return {text, length};
}

inline bool sameText(std::wstring_view a, std::wstring_view b) noexcept
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (a[i] != b[i])
            return false;
    return true;
}

} // namespace ondivar
