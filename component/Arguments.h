// The component's in arguments as the program's values: a BSTR as the text before its first null (null
// as empty; a view valid during the call, nothing copied), a VARIANT of numbers as an array of doubles
// (the conversion throws CMyException on anything else; readValues fills the array it is given, reusing
// its storage when the size agrees).
#pragma once

#include "support/ArrayConversion.h"
#include "support/ShortTexts.h"

#include <string_view>

namespace ondivar {

inline std::wstring_view textOf(BSTR text) noexcept
{
    return shortText(text);
}

inline const CArray1D<double>& readValues(const VARIANT& values, CArray1D<double>& into)
{
    variantToArray(&values, into);
    return into;
}

} // namespace ondivar
