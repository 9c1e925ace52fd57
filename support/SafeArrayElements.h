// Element access on SAFEARRAYs for the Automation conversions: making an array, putting and getting one
// element of each kind, and reading an array's extents. Every failure throws
// TarvoException::CMyException.
#pragma once

#include "support/Arrays.h"
#include "support/ComHandles.h"

#include <windows.h>
#include <oleauto.h>

#include <string>

namespace ondivar {

// The VARTYPE of a typed safe array (and of each VARIANT in a safe array of VARIANTs) per element kind.
template <class T> struct AutomationType;
template <> struct AutomationType<long> {
    static constexpr VARTYPE value = VT_I4;
};
template <> struct AutomationType<double> {
    static constexpr VARTYPE value = VT_R8;
};
template <> struct AutomationType<std::wstring> {
    static constexpr VARTYPE value = VT_BSTR;
};
template <> struct AutomationType<std::string> {
    static constexpr VARTYPE value = VT_BSTR;
};
template <> struct AutomationType<ComPtr<IDispatch>> {
    static constexpr VARTYPE value = VT_DISPATCH;
};
template <> struct AutomationType<bool> {
    static constexpr VARTYPE value = VT_BOOL;
};

// The element type of array as SafeArrayGetVartype reports it, VT_UNKNOWN counting as VT_DISPATCH when
// the array is flagged as holding dispatch pointers; 0 when the query fails. A type whose storage the
// descriptor contradicts (element size, or the flags that say how elements are copied) also gives 0:
// such an array could make an element copy run past the element.
VARTYPE safeArrayElementType(SAFEARRAY* array);

// Makes a safe array of elementType with counts[k] elements, lower bound 0, in dimension k + 1, and
// stores it in destination as elementType | VT_ARRAY. Whatever destination held is released first.
void createSafeArray(VARTYPE elementType, const ULONG* counts, UINT dimensions, VARIANT* destination);

// Puts one value at indices (one per dimension) into a typed array of the value's kind or an array of
// VARIANTs (not for bool, which goes into VT_BOOL arrays only). Strings are copied; a null text puts an
// empty string; narrow text is widened with the thread's ANSI code page. The array takes its own
// reference on a dispatch pointer.
void putElement(SAFEARRAY* array, LONG* indices, long value);
void putElement(SAFEARRAY* array, LONG* indices, double value);
void putElement(SAFEARRAY* array, LONG* indices, const wchar_t* value);
void putElement(SAFEARRAY* array, LONG* indices, const std::wstring& value);
void putElement(SAFEARRAY* array, LONG* indices, const char* value);
void putElement(SAFEARRAY* array, LONG* indices, const std::string& value);
void putElement(SAFEARRAY* array, LONG* indices, IDispatch* value);
void putElement(SAFEARRAY* array, LONG* indices, const ComPtr<IDispatch>& value);
void putElement(SAFEARRAY* array, LONG* indices, bool value);

// Gets one value from a typed array of the value's kind or from an array of VARIANTs whose element at
// indices has exactly the kind's type. A null BSTR gives the empty string; a bool is true only for
// VARIANT_TRUE; a dispatch pointer arrives with a reference that value owns.
void getElement(SAFEARRAY* array, LONG* indices, long& value);
void getElement(SAFEARRAY* array, LONG* indices, double& value);
void getElement(SAFEARRAY* array, LONG* indices, std::wstring& value);
void getElement(SAFEARRAY* array, LONG* indices, ComPtr<IDispatch>& value);
void getElement(SAFEARRAY* array, LONG* indices, bool& value);

// The number of elements of each dimension, dimension 1 first.
void safeArrayExtents(SAFEARRAY* array, CArray1D<long>& extents);

} // namespace ondivar
