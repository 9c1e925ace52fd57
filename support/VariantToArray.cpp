#include "support/VariantToArray.h"

#include "support/SafeArrayElements.h"
#include "support/TarvoException.h"

#include <algorithm>
#include <cstdint>
#include <new>
#include <string>
#include <type_traits>

namespace ondivar {

using TarvoException::checkCondition;
using TarvoException::CMyException;

namespace {

const wchar_t arrayError[] = L"Array error";

// The safe array of source when source is a safe array of kind or of VARIANTs; null for VT_EMPTY.
// Anything else throws with wrongTypeMessage.
SAFEARRAY* acceptedArray(const VARIANT* source, VARTYPE kind, const wchar_t* wrongTypeMessage)
{
    const VARTYPE vt = source != nullptr ? V_VT(source) : VARTYPE(VT_ILLEGAL);
    if (vt == (kind | VT_ARRAY) || vt == (VT_VARIANT | VT_ARRAY)) {
        // A null array pointer counts as an array of no dimension.
        return V_ARRAY(source);
    }
    if (vt == VT_EMPTY)
        return nullptr;
    throw CMyException(E_INVALIDARG, arrayError, L"%ls", wrongTypeMessage);
}

void checkDimensions(SAFEARRAY* array, UINT expected)
{
    const UINT dimensions = array != nullptr ? SafeArrayGetDim(array) : 0;
    checkCondition(
        dimensions == expected, E_INVALIDARG, arrayError,
        L"Try to convert a %d-dimensional array into %d-dimensional array. Please contact support\n",
        static_cast<int>(dimensions), static_cast<int>(expected));
}

LONG lowerBound(SAFEARRAY* array, UINT dimension)
{
    LONG bound = 0;
    const HRESULT hr = SafeArrayGetLBound(array, dimension, &bound);
    checkCondition(SUCCEEDED(hr), hr, arrayError, L"");
    return bound;
}

LONG upperBound(SAFEARRAY* array, UINT dimension)
{
    LONG bound = 0;
    const HRESULT hr = SafeArrayGetUBound(array, dimension, &bound);
    checkCondition(SUCCEEDED(hr), hr, arrayError, L"");
    return bound;
}

// A count of elements that the program's arrays can hold.
std::size_t arraySize(long long n)
{
    if (n < 0 || static_cast<unsigned long long>(n) > SIZE_MAX / sizeof(std::wstring))
        throw std::bad_alloc();
    return static_cast<std::size_t>(n);
}

// The safe array of a VARIANT that the one-dimensional conversions accept for elements of kind, with
// its bounds (at least one element); null for VT_EMPTY. Anything else throws.
SAFEARRAY* acceptedVector(const VARIANT* source, VARTYPE kind, LONG& lower, LONG& upper)
{
    SAFEARRAY* array = acceptedArray(source, kind, L"Please contact support.\n");
    if (array == nullptr && V_VT(source) == VT_EMPTY)
        return nullptr;
    checkDimensions(array, 1);
    lower = lowerBound(array, 1);
    upper = upperBound(array, 1);
    const long long n = static_cast<long long>(upper) - lower + 1;
    checkCondition(n > 0, E_INVALIDARG, L"Array Error", L"Please contact support\n");
    return array;
}

// The shape of nearly every value a caller passes, read without the general machinery: a typed
// one-dimensional array of doubles going into a destination of its size, through one access to its
// elements. False, with destination untouched, for anything else: the general conversion then reads or
// refuses it (the checks here are a subset of its own, so both accept the same arrays alike).
bool readDoublesOfSameSize(const VARIANT* source, CArray1D<double>& destination) noexcept
{
    if (source == nullptr || V_VT(source) != (VT_ARRAY | VT_R8))
        return false;
    SAFEARRAY* array = V_ARRAY(source);
    if (array == nullptr || array->cDims != 1 || array->rgsabound[0].cElements == 0 ||
        array->rgsabound[0].cElements != destination.size() || safeArrayElementType(array) != VT_R8)
        return false;
    const SafeArrayData<double> elements(array);
    if (!elements)
        return false;
    std::copy(elements.data(), elements.data() + destination.size(), destination.data());
    return true;
}

template <class T> void oneDimensional(const VARIANT* source, CArray1D<T>& destination)
{
    if constexpr (std::is_same_v<T, double>) {
        if (readDoublesOfSameSize(source, destination))
            return;
    }
    LONG lower = 0;
    LONG upper = 0;
    try {
        SAFEARRAY* array = acceptedVector(source, AutomationType<T>::value, lower, upper);
        if (array == nullptr) {
            destination = CArray1D<T>();
            return;
        }
        // An array of the right size is filled where it is (a failure empties it in any case).
        const std::size_t size = arraySize(static_cast<long long>(upper) - lower + 1);
        if (destination.size() != size)
            destination = CArray1D<T>(size);
        const SafeArrayReader elements(array);
        for (std::size_t k = 0; k < size; ++k)
            elements.get(k, destination[k]);
    } catch (const CMyException&) {
        destination = CArray1D<T>();
        throw;
    } catch (...) {
        destination = CArray1D<T>();
        const std::wstring size = lower != 0 && upper != 0
                                      ? std::to_wstring(static_cast<long long>(upper) - lower + 1)
                                      : std::wstring(L"NaN");
        throw CMyException(E_UNEXPECTED, arrayError, L"Creating a 1-D array of size %ls\n", size.c_str());
    }
}

template <class T> void twoDimensional(const VARIANT* source, CArray2D<T>& destination)
{
    long long rows = 0;
    long long columns = 0;
    try {
        SAFEARRAY* array = acceptedArray(source, AutomationType<T>::value, L"Please contact support\n");
        if (array == nullptr && V_VT(source) == VT_EMPTY) {
            destination = CArray2D<T>();
            return;
        }
        checkDimensions(array, 2);
        // Rows and columns come from the upper bounds: only an array indexed from 0 has that many.
        rows = static_cast<long long>(upperBound(array, 1)) + 1;
        columns = static_cast<long long>(upperBound(array, 2)) + 1;
        const LONG lowerRow = lowerBound(array, 1);
        const LONG lowerColumn = lowerBound(array, 2);
        checkCondition(
            lowerRow == 0 && lowerColumn == 0, E_INVALIDARG, arrayError,
            L"Try to convert a 2-dimensional array with lower bounds %d and %d; only arrays indexed "
            L"from 0 are accepted. Please contact support\n",
            static_cast<int>(lowerRow), static_cast<int>(lowerColumn));
        const std::size_t rowCount = arraySize(rows);
        const std::size_t columnCount = arraySize(columns);
        if (columnCount != 0 && rowCount > SIZE_MAX / sizeof(std::wstring) / columnCount)
            throw std::bad_alloc();
        CArray2D<T> result(rowCount, columnCount);
        const SafeArrayReader elements(array);
        for (std::size_t i = 0; i < rowCount; ++i) {
            for (std::size_t j = 0; j < columnCount; ++j)
                elements.get(i + j * rowCount, result[i][j]);
        }
        destination = std::move(result);
    } catch (const CMyException&) {
        destination = CArray2D<T>();
        throw;
    } catch (...) {
        destination = CArray2D<T>();
        const std::wstring size =
            rows != 0 && columns != 0 ? std::to_wstring(rows * columns) : std::wstring(L"NaN");
        throw CMyException(E_UNEXPECTED, arrayError, L"Creating a 2-D array of size %ls.\n", size.c_str());
    }
}

} // namespace

CTextsView::CTextsView(const VARIANT* source)
{
    LONG lower = 0;
    LONG upper = 0;
    SAFEARRAY* array = acceptedVector(source, VT_BSTR, lower, upper);
    if (array == nullptr)
        return;
    m_elements.emplace(array);
    const std::size_t size = static_cast<std::size_t>(static_cast<long long>(upper) - lower + 1);
    std::wstring_view* texts = m_few;
    if (size > kFewTexts) {
        m_more.resize(size);
        texts = m_more.data();
    }
    // Every element is checked now, as the copying conversion checks them.
    for (std::size_t k = 0; k < size; ++k)
        m_elements->get(k, texts[k]);
    m_texts = texts;
    m_size = size;
}

void variantToArray(const VARIANT* source, CArray1D<double>& destination)
{
    oneDimensional(source, destination);
}
void variantToArray(const VARIANT* source, CArray1D<long>& destination)
{
    oneDimensional(source, destination);
}
void variantToArray(const VARIANT* source, CArray1D<std::wstring>& destination)
{
    oneDimensional(source, destination);
}
void variantToArray(const VARIANT* source, CArray1D<bool>& destination)
{
    oneDimensional(source, destination);
}
void variantToArray(const VARIANT* source, CArray1D<ComPtr<IDispatch>>& destination)
{
    oneDimensional(source, destination);
}

void variantToArray(const VARIANT* source, CArray2D<double>& destination)
{
    twoDimensional(source, destination);
}
void variantToArray(const VARIANT* source, CArray2D<long>& destination)
{
    twoDimensional(source, destination);
}
void variantToArray(const VARIANT* source, CArray2D<std::wstring>& destination)
{
    twoDimensional(source, destination);
}
void variantToArray(const VARIANT* source, CArray2D<bool>& destination)
{
    twoDimensional(source, destination);
}
void variantToArray(const VARIANT* source, CArray2D<ComPtr<IDispatch>>& destination)
{
    twoDimensional(source, destination);
}

} // namespace ondivar
