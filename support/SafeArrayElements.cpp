#include "support/SafeArrayElements.h"

#include "support/CapeErrorClasses.h"
#include "support/TarvoException.h"

#include <new>
#include <vector>

namespace ondivar {

using TarvoException::checkCondition;
using TarvoException::CMyException;

namespace {

const wchar_t arrayErrorName[] = L"Array Error";
const wchar_t putTypeMessage[] =
    L"Invalid type between Array Type and element type while inserting element. Please, contact support\n";
const wchar_t getTypeMessage[] =
    L"Invalid type between Array Type and element type while getting element. Please, contact support\n";
const wchar_t putFailedMessage[] = L"Error while inserting element in array.\n";
const wchar_t putUnexpectedMessage[] = L"Error while inserting element into array.\n";
const wchar_t getFailedMessage[] = L"Error while getting element from array.\n";

// Whether the descriptor's element size and copy flags are those of elements of type vt, so that
// SafeArrayGetElement and SafeArrayPutElement copy exactly one element of that type.
bool storageMatches(const SAFEARRAY& array, VARTYPE vt)
{
    const USHORT copyFlags = FADF_BSTR | FADF_UNKNOWN | FADF_DISPATCH | FADF_VARIANT | FADF_RECORD;
    const USHORT flags = array.fFeatures & copyFlags;
    switch (vt) {
    case VT_I4:
        return array.cbElements == sizeof(LONG) && flags == 0;
    case VT_R8:
        return array.cbElements == sizeof(DOUBLE) && flags == 0;
    case VT_BOOL:
        return array.cbElements == sizeof(VARIANT_BOOL) && flags == 0;
    case VT_BSTR:
        return array.cbElements == sizeof(BSTR) && flags == FADF_BSTR;
    case VT_DISPATCH:
        return array.cbElements == sizeof(IDispatch*) && (flags & ~FADF_UNKNOWN) == FADF_DISPATCH;
    case VT_VARIANT:
        return array.cbElements == sizeof(VARIANT) && flags == FADF_VARIANT;
    default:
        return false;
    }
}

// Accepts an array of the kind's type or of VARIANTs (only the kind's type when variants are refused);
// returns the array's element type.
VARTYPE checkArrayType(SAFEARRAY* array, VARTYPE kind, bool variantsAllowed, const wchar_t* message)
{
    const VARTYPE vt = safeArrayElementType(array);
    checkCondition(vt == kind || (variantsAllowed && vt == VT_VARIANT), E_INVALIDARG, arrayErrorName, L"%ls",
                   message);
    return vt;
}

void put(SAFEARRAY* array, LONG* indices, void* value)
{
    const HRESULT hr = SafeArrayPutElement(array, indices, value);
    checkCondition(SUCCEEDED(hr), hr, arrayErrorName, L"%ls", putFailedMessage);
}

void get(SAFEARRAY* array, LONG* indices, void* value)
{
    const HRESULT hr = SafeArrayGetElement(array, indices, value);
    checkCondition(SUCCEEDED(hr), hr, arrayErrorName, L"%ls", getFailedMessage);
}

// The numbers, bools, texts and objects of the Automation world, in and out of a VARIANT of their type
// (a text or an object put in a VARIANT is owned by it).
void setVariant(VARIANT& v, LONG value)
{
    V_VT(&v) = VT_I4;
    V_I4(&v) = value;
}
void setVariant(VARIANT& v, DOUBLE value)
{
    V_VT(&v) = VT_R8;
    V_R8(&v) = value;
}
void setVariant(VARIANT& v, VARIANT_BOOL value)
{
    V_VT(&v) = VT_BOOL;
    V_BOOL(&v) = value;
}
void setVariant(VARIANT& v, BSTR value)
{
    V_VT(&v) = VT_BSTR;
    V_BSTR(&v) = value;
}
void setVariant(VARIANT& v, IDispatch* value)
{
    V_VT(&v) = VT_DISPATCH;
    V_DISPATCH(&v) = value;
}
void readVariant(const VARIANT& v, LONG& value)
{
    value = V_I4(&v);
}
void readVariant(const VARIANT& v, DOUBLE& value)
{
    value = V_R8(&v);
}
void readVariant(const VARIANT& v, VARIANT_BOOL& value)
{
    value = V_BOOL(&v);
}

// What a typed element holds before the writer overwrites it: texts and objects are owned.
void releaseElement(LONG&) {}
void releaseElement(DOUBLE&) {}
void releaseElement(BSTR& text)
{
    SysFreeString(text);
}
void releaseElement(IDispatch*& object)
{
    if (object != nullptr)
        object->Release();
}

// Stores value, which the array then owns, in an element of its own type or in a VARIANT element, and
// releases what the element held.
template <class Value> void storeElement(void* stored, bool inVariant, Value value)
{
    if (inVariant) {
        VARIANT* element = static_cast<VARIANT*>(stored);
        VariantClear(element);
        setVariant(*element, value);
    } else {
        Value* element = static_cast<Value*>(stored);
        releaseElement(*element);
        *element = value;
    }
}

// Puts a number or a bool (already in its Automation form) of type kind.
template <class Value>
void putScalar(SAFEARRAY* array, LONG* indices, VARTYPE kind, Value value, bool variantsAllowed)
{
    if (checkArrayType(array, kind, variantsAllowed, putTypeMessage) == VT_VARIANT) {
        UniqueVariant element;
        setVariant(*element.get(), value);
        put(array, indices, element.get());
    } else {
        put(array, indices, &value);
    }
}

// Reads the element as a VARIANT of exactly type kind, or the element itself, into value.
template <class Value> void getScalar(SAFEARRAY* array, LONG* indices, VARTYPE kind, Value& value)
{
    if (checkArrayType(array, kind, true, getTypeMessage) == VT_VARIANT) {
        UniqueVariant element;
        get(array, indices, element.get());
        checkCondition(V_VT(element.get()) == kind, E_INVALIDARG, arrayErrorName, L"%ls", getTypeMessage);
        readVariant(*element.get(), value);
    } else {
        get(array, indices, &value);
    }
}

void putText(SAFEARRAY* array, LONG* indices, const wchar_t* text)
{
    const VARTYPE vt = checkArrayType(array, VT_BSTR, true, putTypeMessage);
    try {
        UniqueBstr copy(SysAllocString(text != nullptr ? text : L""));
        if (copy.get() == nullptr)
            throw std::bad_alloc();
        if (vt == VT_VARIANT) {
            // The array copies the string; copy still owns the original.
            VARIANT element;
            V_VT(&element) = VT_BSTR;
            V_BSTR(&element) = copy.get();
            put(array, indices, &element);
        } else {
            put(array, indices, copy.get());
        }
    } catch (const CMyException&) {
        throw;
    } catch (...) {
        throw CMyException(E_UNEXPECTED, arrayErrorName, L"%ls", putUnexpectedMessage);
    }
}

std::wstring widenWithThreadCodePage(const char* text)
{
    if (text == nullptr || *text == '\0')
        return std::wstring();
    const int length = MultiByteToWideChar(CP_THREAD_ACP, 0, text, -1, nullptr, 0);
    if (length <= 0)
        throw std::bad_alloc();
    std::vector<wchar_t> wide(length);
    MultiByteToWideChar(CP_THREAD_ACP, 0, text, -1, wide.data(), length);
    return std::wstring(wide.data());
}

// The bytes one element of type vt takes in a safe array (at least those of a VARIANT for types the
// conversions do not make).
unsigned long long elementBytes(VARTYPE vt)
{
    switch (vt) {
    case VT_I4:
        return sizeof(LONG);
    case VT_R8:
        return sizeof(DOUBLE);
    case VT_BOOL:
        return sizeof(VARIANT_BOOL);
    case VT_BSTR:
        return sizeof(BSTR);
    case VT_DISPATCH:
        return sizeof(IDispatch*);
    default:
        return sizeof(VARIANT);
    }
}

// The largest data block a safe array is asked for: the size computation of the Automation library is
// 32-bit, and a larger product would wrap round to a smaller block than the elements need.
const unsigned long long maxArrayBytes = 0x7FFFFFFF;

} // namespace

VARTYPE safeArrayElementType(SAFEARRAY* array)
{
    VARTYPE vt = 0;
    if (array == nullptr || FAILED(SafeArrayGetVartype(array, &vt)))
        return 0;
    if (vt == VT_UNKNOWN &&
        (array->fFeatures & (FADF_HAVEIID | FADF_DISPATCH)) == (FADF_HAVEIID | FADF_DISPATCH))
        vt = VT_DISPATCH;
    return storageMatches(*array, vt) ? vt : 0;
}

void createSafeArray(VARTYPE elementType, const ULONG* counts, UINT dimensions, VARIANT* destination)
{
    // The conversions make arrays of one or two dimensions: their bounds need no allocation.
    SAFEARRAYBOUND fewBounds[2];
    std::vector<SAFEARRAYBOUND> manyBounds(dimensions > 2 ? dimensions : 0);
    SAFEARRAYBOUND* bounds = dimensions > 2 ? manyBounds.data() : fewBounds;
    unsigned long long total = dimensions > 0 ? 1 : 0;
    for (UINT k = 0; k < dimensions; ++k) {
        bounds[k].cElements = counts[k];
        bounds[k].lLbound = 0;
        // Saturates instead of overflowing: such a product is refused below all the same.
        total = counts[k] != 0 && total > maxArrayBytes / counts[k] ? maxArrayBytes + 1 : total * counts[k];
    }
    VariantClear(destination);
    SAFEARRAY* array = total * elementBytes(elementType) <= maxArrayBytes
                           ? SafeArrayCreate(elementType, dimensions, bounds)
                           : nullptr;
    checkCondition(array != nullptr, E_OUTOFMEMORY, arrayErrorName,
                   L"Error while allocating a %d-array of %uld elements\n", static_cast<int>(dimensions),
                   static_cast<unsigned>(total));
    V_ARRAY(destination) = array;
    V_VT(destination) = elementType | VT_ARRAY;
}

void putElement(SAFEARRAY* array, LONG* indices, long value)
{
    putScalar<LONG>(array, indices, VT_I4, value, true);
}

void putElement(SAFEARRAY* array, LONG* indices, double value)
{
    putScalar<DOUBLE>(array, indices, VT_R8, value, true);
}

void putElement(SAFEARRAY* array, LONG* indices, bool value)
{
    putScalar<VARIANT_BOOL>(array, indices, VT_BOOL, value ? VARIANT_TRUE : VARIANT_FALSE, false);
}

void putElement(SAFEARRAY* array, LONG* indices, const wchar_t* value)
{
    putText(array, indices, value);
}

void putElement(SAFEARRAY* array, LONG* indices, const std::wstring& value)
{
    putText(array, indices, value.c_str());
}

void putElement(SAFEARRAY* array, LONG* indices, const char* value)
{
    checkArrayType(array, VT_BSTR, true, putTypeMessage);
    std::wstring wide;
    try {
        wide = widenWithThreadCodePage(value);
    } catch (...) {
        throw CMyException(E_UNEXPECTED, arrayErrorName, L"%ls", putUnexpectedMessage);
    }
    putText(array, indices, wide.c_str());
}

void putElement(SAFEARRAY* array, LONG* indices, const std::string& value)
{
    putElement(array, indices, value.c_str());
}

void putElement(SAFEARRAY* array, LONG* indices, IDispatch* value)
{
    if (checkArrayType(array, VT_DISPATCH, true, putTypeMessage) == VT_VARIANT) {
        // Not cleared afterwards: the VARIANT only lends the pointer to the array, which adds its own
        // reference.
        VARIANT element;
        V_VT(&element) = VT_DISPATCH;
        V_DISPATCH(&element) = value;
        put(array, indices, &element);
    } else {
        put(array, indices, value);
    }
}

void putElement(SAFEARRAY* array, LONG* indices, const ComPtr<IDispatch>& value)
{
    putElement(array, indices, value.get());
}

void getElement(SAFEARRAY* array, LONG* indices, long& value)
{
    LONG read = 0;
    getScalar(array, indices, VT_I4, read);
    value = read;
}

void getElement(SAFEARRAY* array, LONG* indices, double& value)
{
    getScalar(array, indices, VT_R8, value);
}

void getElement(SAFEARRAY* array, LONG* indices, bool& value)
{
    VARIANT_BOOL read = VARIANT_FALSE;
    getScalar(array, indices, VT_BOOL, read);
    value = read == VARIANT_TRUE;
}

void getElement(SAFEARRAY* array, LONG* indices, std::wstring& value)
{
    const VARTYPE vt = checkArrayType(array, VT_BSTR, true, getTypeMessage);
    try {
        UniqueBstr text;
        if (vt == VT_VARIANT) {
            UniqueVariant element;
            get(array, indices, element.get());
            checkCondition(V_VT(element.get()) == VT_BSTR, E_INVALIDARG, arrayErrorName, L"%ls",
                           getTypeMessage);
            text.reset(V_BSTR(element.get()));
            V_VT(element.get()) = VT_EMPTY;
        } else {
            get(array, indices, text.put());
        }
        value = text.get() != nullptr ? std::wstring(text.get()) : std::wstring();
    } catch (const CMyException&) {
        throw;
    } catch (...) {
        throw CMyException(E_UNEXPECTED, arrayErrorName, L"%ls", getFailedMessage);
    }
}

void getElement(SAFEARRAY* array, LONG* indices, ComPtr<IDispatch>& value)
{
    IDispatch* read = nullptr;
    if (checkArrayType(array, VT_DISPATCH, true, getTypeMessage) == VT_VARIANT) {
        UniqueVariant element;
        get(array, indices, element.get());
        checkCondition(V_VT(element.get()) == VT_DISPATCH, E_INVALIDARG, arrayErrorName, L"%ls",
                       getTypeMessage);
        read = V_DISPATCH(element.get());
        V_VT(element.get()) = VT_EMPTY;
    } else {
        get(array, indices, &read);
    }
    value = ComPtr<IDispatch>::attach(read);
}

namespace {

// All elements of the array, 0 for a null one.
unsigned long long totalElements(SAFEARRAY* array)
{
    if (array == nullptr || array->cDims == 0)
        return 0;
    unsigned long long total = 1;
    for (USHORT d = 0; d < array->cDims; ++d)
        total *= array->rgsabound[d].cElements;
    return total;
}

} // namespace

SafeArrayReader::SafeArrayReader(SAFEARRAY* array)
    : m_data(array), m_type(safeArrayElementType(array)), m_count(totalElements(array)),
      m_elementBytes(array != nullptr ? array->cbElements : 0)
{
}

const void* SafeArrayReader::at(std::size_t element, VARTYPE kind) const
{
    checkCondition(m_type == kind || m_type == VT_VARIANT, E_INVALIDARG, arrayErrorName, L"%ls",
                   getTypeMessage);
    checkCondition(m_data.data() != nullptr, FAILED(m_data.hr()) ? m_data.hr() : E_INVALIDARG, arrayErrorName,
                   L"%ls", getFailedMessage);
    checkCondition(element < m_count, DISP_E_BADINDEX, arrayErrorName, L"%ls", getFailedMessage);
    const void* stored = m_data.data() + element * m_elementBytes;
    if (m_type == VT_VARIANT)
        checkCondition(V_VT(static_cast<const VARIANT*>(stored)) == kind, E_INVALIDARG, arrayErrorName,
                       L"%ls", getTypeMessage);
    return stored;
}

void SafeArrayReader::get(std::size_t element, long& value) const
{
    const void* stored = at(element, VT_I4);
    value =
        m_type == VT_VARIANT ? V_I4(static_cast<const VARIANT*>(stored)) : *static_cast<const LONG*>(stored);
}

void SafeArrayReader::get(std::size_t element, double& value) const
{
    const void* stored = at(element, VT_R8);
    value = m_type == VT_VARIANT ? V_R8(static_cast<const VARIANT*>(stored))
                                 : *static_cast<const DOUBLE*>(stored);
}

void SafeArrayReader::get(std::size_t element, bool& value) const
{
    const void* stored = at(element, VT_BOOL);
    value = (m_type == VT_VARIANT ? V_BOOL(static_cast<const VARIANT*>(stored))
                                  : *static_cast<const VARIANT_BOOL*>(stored)) == VARIANT_TRUE;
}

void SafeArrayReader::get(std::size_t element, std::wstring& value) const
{
    const void* stored = at(element, VT_BSTR);
    const BSTR text = m_type == VT_VARIANT ? V_BSTR(static_cast<const VARIANT*>(stored))
                                           : *static_cast<const BSTR*>(stored);
    try {
        // Read up to the first null, as the element-wise conversion does.
        if (text != nullptr)
            value.assign(text);
        else
            value.clear();
    } catch (...) {
        throw CMyException(E_UNEXPECTED, arrayErrorName, L"%ls", getFailedMessage);
    }
}

void SafeArrayReader::get(std::size_t element, std::wstring_view& value) const
{
    const void* stored = at(element, VT_BSTR);
    const BSTR text = m_type == VT_VARIANT ? V_BSTR(static_cast<const VARIANT*>(stored))
                                           : *static_cast<const BSTR*>(stored);
    value = text != nullptr ? std::wstring_view(text) : std::wstring_view();
}

void SafeArrayReader::get(std::size_t element, ComPtr<IDispatch>& value) const
{
    const void* stored = at(element, VT_DISPATCH);
    value = ComPtr<IDispatch>(m_type == VT_VARIANT ? V_DISPATCH(static_cast<const VARIANT*>(stored))
                                                   : *static_cast<IDispatch* const*>(stored));
}

SafeArrayWriter::SafeArrayWriter(SAFEARRAY* array)
    : m_data(array), m_type(safeArrayElementType(array)), m_count(totalElements(array)),
      m_elementBytes(array != nullptr ? array->cbElements : 0)
{
}

void* SafeArrayWriter::at(std::size_t element, VARTYPE kind) const
{
    checkCondition(m_type == kind || m_type == VT_VARIANT, E_INVALIDARG, arrayErrorName, L"%ls",
                   putTypeMessage);
    checkCondition(m_data.data() != nullptr, FAILED(m_data.hr()) ? m_data.hr() : E_INVALIDARG, arrayErrorName,
                   L"%ls", putFailedMessage);
    checkCondition(element < m_count, DISP_E_BADINDEX, arrayErrorName, L"%ls", putFailedMessage);
    return m_data.data() + element * m_elementBytes;
}

void SafeArrayWriter::put(std::size_t element, long value)
{
    storeElement(at(element, VT_I4), m_type == VT_VARIANT, static_cast<LONG>(value));
}

void SafeArrayWriter::put(std::size_t element, double value)
{
    storeElement(at(element, VT_R8), m_type == VT_VARIANT, static_cast<DOUBLE>(value));
}

void SafeArrayWriter::put(std::size_t element, const wchar_t* value)
{
    void* stored = at(element, VT_BSTR);
    // The array owns the copy; the element's old text goes.
    const BSTR copy = SysAllocString(value != nullptr ? value : L"");
    checkCondition(copy != nullptr, E_UNEXPECTED, arrayErrorName, L"%ls", putUnexpectedMessage);
    storeElement(stored, m_type == VT_VARIANT, copy);
}

void SafeArrayWriter::put(std::size_t element, const std::wstring& value)
{
    put(element, value.c_str());
}

void SafeArrayWriter::put(std::size_t element, const char* value)
{
    at(element, VT_BSTR);
    std::wstring wide;
    try {
        wide = widenWithThreadCodePage(value);
    } catch (...) {
        throw CMyException(E_UNEXPECTED, arrayErrorName, L"%ls", putUnexpectedMessage);
    }
    put(element, wide.c_str());
}

void SafeArrayWriter::put(std::size_t element, const std::string& value)
{
    put(element, value.c_str());
}

void SafeArrayWriter::put(std::size_t element, IDispatch* value)
{
    void* stored = at(element, VT_DISPATCH);
    if (value != nullptr)
        value->AddRef();
    storeElement(stored, m_type == VT_VARIANT, value);
}

void SafeArrayWriter::put(std::size_t element, const ComPtr<IDispatch>& value)
{
    put(element, value.get());
}

void safeArrayExtents(SAFEARRAY* array, CArray1D<long>& extents)
{
    const UINT dimensions = array != nullptr ? SafeArrayGetDim(array) : 0;
    checkCondition(dimensions >= 1, libraryCode(kCapeBadArgument), L"", L"");
    CArray1D<long> result(dimensions);
    for (UINT k = 1; k <= dimensions; ++k) {
        LONG lower = 0;
        LONG upper = 0;
        HRESULT hr = SafeArrayGetLBound(array, k, &lower);
        checkCondition(SUCCEEDED(hr), hr, L"", L"");
        hr = SafeArrayGetUBound(array, k, &upper);
        checkCondition(SUCCEEDED(hr), hr, L"", L"");
        result[k - 1] = static_cast<long>(static_cast<long long>(upper) - lower + 1);
    }
    extents = std::move(result);
}

} // namespace ondivar
