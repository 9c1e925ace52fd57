// Element access on SAFEARRAYs for the Automation conversions: making an array, putting and getting one
// element of each kind, and reading an array's extents. Every failure throws
// TarvoException::CMyException.
#pragma once

#include "support/Arrays.h"
#include "support/ComHandles.h"

#include <windows.h>
#include <oleauto.h>

#include <string>
#include <string_view>

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

// The elements of a whole array reached through one SafeArrayAccessData instead of a lookup per
// element: what the conversions use. Elements are numbered in memory order, dimension 1 varying
// fastest (for an array of r rows indexed from 0, element (i, j) is number i + j * r). Each get and put
// accepts and refuses exactly what getElement and putElement do, with the same errors; a number past
// the array's elements is refused as a bad index.
class SafeArrayReader {
public:
    explicit SafeArrayReader(SAFEARRAY* array);
    void get(std::size_t element, long& value) const;
    void get(std::size_t element, double& value) const;
    void get(std::size_t element, std::wstring& value) const;
    // The text in place, up to its first null (a null BSTR gives an empty text): valid while the array
    // is neither changed nor freed.
    void get(std::size_t element, std::wstring_view& value) const;
    void get(std::size_t element, ComPtr<IDispatch>& value) const;
    void get(std::size_t element, bool& value) const;

private:
    // The storage of the element, once its type has been checked against kind.
    const void* at(std::size_t element, VARTYPE kind) const;

    SafeArrayData<unsigned char> m_data;
    VARTYPE m_type;
    unsigned long long m_count;
    ULONG m_elementBytes;
};

class SafeArrayWriter {
public:
    explicit SafeArrayWriter(SAFEARRAY* array);
    void put(std::size_t element, long value);
    void put(std::size_t element, double value);
    void put(std::size_t element, const wchar_t* value);
    void put(std::size_t element, const std::wstring& value);
    void put(std::size_t element, const char* value);
    void put(std::size_t element, const std::string& value);
    void put(std::size_t element, IDispatch* value);
    void put(std::size_t element, const ComPtr<IDispatch>& value);

private:
    void* at(std::size_t element, VARTYPE kind) const;

    SafeArrayData<unsigned char> m_data;
    VARTYPE m_type;
    unsigned long long m_count;
    ULONG m_elementBytes;
};

// The number of elements of each dimension, dimension 1 first.
void safeArrayExtents(SAFEARRAY* array, CArray1D<long>& extents);

} // namespace ondivar
