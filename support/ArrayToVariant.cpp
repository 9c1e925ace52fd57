#include "support/ArrayToVariant.h"

#include "support/SafeArrayElements.h"
#include "support/TarvoException.h"

#include <algorithm>
#include <climits>
#include <new>
#include <string>

namespace ondivar {

using TarvoException::CMyException;

namespace {

void checkDestination(VARIANT* destination)
{
    TarvoException::checkCondition(destination != nullptr, E_POINTER, L"Array Error",
                                   L"No VARIANT to convert the array into.\n");
}

// Empties the destination before a conversion fills it.
void resetDestination(VARIANT* destination)
{
    if (V_VT(destination) != VT_EMPTY)
        VariantClear(destination);
    VariantInit(destination);
}

// The most elements a vector of doubles is made with directly.
constexpr std::size_t kLargestVector = 1 << 20;

// A count that a safe array dimension can hold.
ULONG elementCount(std::size_t n)
{
    if (n > static_cast<std::size_t>(LONG_MAX))
        throw std::bad_alloc();
    return static_cast<ULONG>(n);
}

// Fills a one-dimensional safe array from element(i) for i below n.
template <class Element>
void oneDimensional(std::size_t n, VARTYPE kind, Element element, VARIANT* destination, bool asVariants)
{
    checkDestination(destination);
    resetDestination(destination);
    if (n == 0)
        return;
    try {
        const ULONG count = elementCount(n);
        createSafeArray(asVariants ? VARTYPE(VT_VARIANT) : kind, &count, 1, destination);
        SafeArrayWriter elements(V_ARRAY(destination));
        for (LONG i = 0; i < static_cast<LONG>(count); ++i)
            elements.put(static_cast<std::size_t>(i), element(i));
    } catch (const CMyException&) {
        VariantClear(destination);
        throw;
    } catch (...) {
        VariantClear(destination);
        throw CMyException(E_UNEXPECTED, L"UnExpected exception", L"");
    }
}

template <class T> void oneDimensional(const CArray1D<T>& source, VARIANT* destination, bool asVariants)
{
    oneDimensional(
        source.size(), AutomationType<T>::value, [&](LONG i) -> const T& { return source[i]; }, destination,
        asVariants);
}

// count elements of type kind read from source, which may be null only when count is 0 (else the
// failure says missing).
template <class Element>
void fromMemory(const Element* source, std::size_t count, VARTYPE kind, const wchar_t* missing,
                VARIANT* destination, bool asVariants)
{
    if (source == nullptr && count != 0) {
        // Refused as every conversion refuses: the destination checked first, then left empty.
        checkDestination(destination);
        resetDestination(destination);
        throw CMyException(E_POINTER, L"Array Error", L"%ls", missing);
    }
    oneDimensional(
        count, kind, [&](LONG i) { return source[i]; }, destination, asVariants);
}

template <class T> void twoDimensional(const CArray2D<T>& source, VARIANT* destination, bool asVariants)
{
    checkDestination(destination);
    resetDestination(destination);
    const std::size_t rows = source.rows();
    const std::size_t columns = source.columns();
    if (rows == 0 || columns == 0)
        return;
    try {
        const ULONG counts[2] = {elementCount(rows), elementCount(columns)};
        createSafeArray(asVariants ? VARTYPE(VT_VARIANT) : AutomationType<T>::value, counts, 2, destination);
        SafeArrayWriter elements(V_ARRAY(destination));
        for (std::size_t i = 0; i < rows; ++i) {
            for (std::size_t j = 0; j < columns; ++j)
                elements.put(i + j * rows, source[i][j]);
        }
    } catch (const CMyException&) {
        VariantClear(destination);
        throw;
    } catch (...) {
        VariantClear(destination);
        const std::wstring size = std::to_wstring(static_cast<unsigned long long>(rows) * columns);
        throw CMyException(E_UNEXPECTED, L"Array error", L"Creating a 2-D array of size %ls\n", size.c_str());
    }
}

} // namespace

void arrayToVariant(const CArray1D<long>& source, VARIANT* destination, bool asVariants)
{
    oneDimensional(source, destination, asVariants);
}
void arrayToVariant(const CArray1D<double>& source, VARIANT* destination, bool asVariants)
{
    oneDimensional(source, destination, asVariants);
}
void arrayToVariant(const CArray1D<std::string>& source, VARIANT* destination, bool asVariants)
{
    oneDimensional(source, destination, asVariants);
}
void arrayToVariant(const CArray1D<std::wstring>& source, VARIANT* destination, bool asVariants)
{
    oneDimensional(source, destination, asVariants);
}
void arrayToVariant(const CArray1D<ComPtr<IDispatch>>& source, VARIANT* destination, bool asVariants)
{
    oneDimensional(source, destination, asVariants);
}

void arrayToVariant(const double* source, std::size_t count, VARIANT* destination, bool asVariants)
{
    // The shape of every result the component hands out: a vector (its descriptor and elements made in
    // one block), filled through one access. Anything unusual takes the general way.
    if (source != nullptr && count != 0 && count <= kLargestVector && !asVariants && destination != nullptr) {
        resetDestination(destination);
        SAFEARRAY* array = SafeArrayCreateVector(VT_R8, 0, static_cast<ULONG>(count));
        if (array == nullptr)
            throw CMyException(E_OUTOFMEMORY, L"Array Error",
                               L"Error while allocating a 1-array of %u elements\n",
                               static_cast<unsigned>(count));
        {
            const SafeArrayData<double> elements(array);
            if (!elements) {
                SafeArrayDestroy(array);
                throw CMyException(elements.hr(), L"Array Error", L"");
            }
            std::copy(source, source + count, elements.data());
        }
        V_VT(destination) = VT_ARRAY | VT_R8;
        V_ARRAY(destination) = array;
        return;
    }
    fromMemory(source, count, VT_R8, L"No numbers to convert into an array.\n", destination, asVariants);
}

void arrayToVariant(const wchar_t* const* source, std::size_t count, VARIANT* destination, bool asVariants)
{
    fromMemory(source, count, VT_BSTR, L"No texts to convert into an array.\n", destination, asVariants);
}

void arrayToVariant(const CArray2D<long>& source, VARIANT* destination, bool asVariants)
{
    twoDimensional(source, destination, asVariants);
}
void arrayToVariant(const CArray2D<double>& source, VARIANT* destination, bool asVariants)
{
    twoDimensional(source, destination, asVariants);
}
void arrayToVariant(const CArray2D<std::string>& source, VARIANT* destination, bool asVariants)
{
    twoDimensional(source, destination, asVariants);
}
void arrayToVariant(const CArray2D<std::wstring>& source, VARIANT* destination, bool asVariants)
{
    twoDimensional(source, destination, asVariants);
}
void arrayToVariant(const CArray2D<ComPtr<IDispatch>>& source, VARIANT* destination, bool asVariants)
{
    twoDimensional(source, destination, asVariants);
}

} // namespace ondivar
