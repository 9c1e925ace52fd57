// The component's in arguments as the program's values: a BSTR as a wide string (null as empty), a
// VARIANT of numbers as an array of doubles (the conversion throws CMyException on anything else).
#pragma once

#include "support/ArrayConversion.h"

#include <string>

namespace ondivar {

inline std::wstring textOf(BSTR text)
{
    std::wstring result;
    bstrToString(text, result);
    return result;
}

inline CArray1D<double> valuesOf(const VARIANT& values)
{
    CArray1D<double> result;
    variantToArray(&values, result);
    return result;
}

} // namespace ondivar
