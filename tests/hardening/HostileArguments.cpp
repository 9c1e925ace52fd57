#include "HostileArguments.h"

#include <climits>
#include <cmath>
#include <string>

namespace ondivar::testing {
namespace {

const wchar_t* const kKnownNames[] = {L"Us",
                                      L"gas",
                                      L"oil",
                                      L"water",
                                      L"Vapor",
                                      L"Liquid",
                                      L"Solid",
                                      L"Unknown",
                                      L"Organic",
                                      L"Aqueous",
                                      L"diameter",
                                      L"inclination",
                                      L"roughness",
                                      L"superficialVelocity",
                                      L"density",
                                      L"viscosity",
                                      L"heatCapacityCp",
                                      L"ThermalConductivity",
                                      L"pressureDropTotal",
                                      L"volumeFraction",
                                      L"absoluteVelocity",
                                      L"pressureDropGravity",
                                      L"pressureDropFrictional"};

const VARTYPE kArrayElementTypes[] = {VT_R8, VT_BSTR, VT_VARIANT, VT_I4, VT_BOOL, VT_UI1, VT_R4, VT_DISPATCH};

const LONG kLowerBounds[] = {0, 0, 0, 1, -3, LONG_MAX - 1, LONG_MIN, 100000};

} // namespace

BSTR ArgumentPool::text()
{
    BSTR made = nullptr;
    switch (number(7)) {
    case 0:
        return nullptr;
    case 1:
        made = SysAllocString(L"");
        break;
    case 2: {
        const wchar_t* name = kKnownNames[number(sizeof kKnownNames / sizeof *kKnownNames)];
        std::wstring embedded = std::wstring(name) + L'\0' + L"tail";
        made = SysAllocStringLen(embedded.data(), static_cast<UINT>(embedded.size()));
        break;
    }
    case 3: {
        std::wstring noise(static_cast<std::size_t>(number(chance(50) ? 70000 : 24)), L'x');
        for (wchar_t& c : noise)
            c = static_cast<wchar_t>(1 + number(0xFFFE));
        made = SysAllocStringLen(noise.data(), static_cast<UINT>(noise.size()));
        break;
    }
    default:
        made = SysAllocString(kKnownNames[number(sizeof kKnownNames / sizeof *kKnownNames)]);
        break;
    }
    m_texts.emplace_back(made);
    return made;
}

void ArgumentPool::fill(SAFEARRAY* target, VARTYPE elementType)
{
    const ULONG total = [&] {
        ULONG n = 1;
        for (UINT d = 0; d < target->cDims; ++d)
            n *= target->rgsabound[d].cElements;
        return n;
    }();
    // Huge arrays keep the zeros SafeArrayCreate gave them.
    if (total == 0 || total > 64)
        return;
    SafeArrayData<unsigned char> data(target);
    if (!data)
        return;
    for (ULONG i = 0; i < total; ++i) {
        void* element = data.data() + i * target->cbElements;
        switch (elementType) {
        case VT_R8:
            *static_cast<double*>(element) = number(5) == 0 ? std::nan("") : number(2000) / 7.0 - 100.0;
            break;
        case VT_I4:
            *static_cast<LONG*>(element) = static_cast<LONG>(m_random());
            break;
        case VT_BOOL:
            *static_cast<VARIANT_BOOL*>(element) = number(2) ? VARIANT_TRUE : VARIANT_FALSE;
            break;
        case VT_BSTR: {
            // The array owns its elements: each gets its own copy.
            BSTR t = text();
            *static_cast<BSTR*>(element) = t != nullptr ? SysAllocStringLen(t, SysStringLen(t)) : nullptr;
            break;
        }
        case VT_VARIANT: {
            VARIANT v = number(6) == 0 ? array() : scalar();
            // Only owned, non-reference values go into the array, which frees them.
            UniqueVariant owned;
            if ((V_VT(&v) & VT_BYREF) == 0 && SUCCEEDED(VariantCopy(owned.get(), &v)))
                owned.release(static_cast<VARIANT*>(element));
            break;
        }
        case VT_DISPATCH:
            if (m_dispatch != nullptr && number(2)) {
                m_dispatch->AddRef();
                *static_cast<IDispatch**>(element) = m_dispatch;
            }
            break;
        default:
            break;
        }
    }
}

SAFEARRAY* ArgumentPool::makeArray(VARTYPE elementType)
{
    SAFEARRAYBOUND bounds[3];
    const UINT dimensions = 1 + (number(4) == 0 ? 1 + number(2) : 0);
    for (UINT d = 0; d < dimensions; ++d) {
        bounds[d].lLbound = kLowerBounds[number(sizeof kLowerBounds / sizeof *kLowerBounds)];
        bounds[d].cElements = static_cast<ULONG>(number(6));
    }
    // Now and then a huge one (a million doubles or bytes).
    if (dimensions == 1 && (elementType == VT_R8 || elementType == VT_UI1) && chance(3000))
        bounds[0].cElements = 1u << 20;
    SAFEARRAY* made = SafeArrayCreate(elementType, dimensions, bounds);
    if (made != nullptr)
        fill(made, elementType);
    return made;
}

VARIANT ArgumentPool::array()
{
    VARIANT v;
    VariantInit(&v);
    const VARTYPE elementType =
        kArrayElementTypes[number(sizeof kArrayElementTypes / sizeof *kArrayElementTypes)];
    SAFEARRAY* made = makeArray(elementType);
    if (made == nullptr)
        return v;
    // A tag that lies about the element type one time in ten.
    const VARTYPE tag = chance(10) ? kArrayElementTypes[number(3)] : elementType;
    UniqueVariant& owner = m_variants.emplace_back();
    V_VT(owner.get()) = VT_ARRAY | tag;
    V_ARRAY(owner.get()) = made;
    if (chance(20)) {
        // A null array under an array tag.
        VARIANT nullArray;
        V_VT(&nullArray) = VT_ARRAY | elementType;
        V_ARRAY(&nullArray) = nullptr;
        return nullArray;
    }
    return *owner.get();
}

VARIANT ArgumentPool::scalar()
{
    VARIANT v;
    VariantInit(&v);
    switch (number(14)) {
    case 0:
        break;
    case 1:
        V_VT(&v) = VT_NULL;
        break;
    case 2:
        V_VT(&v) = VT_I4;
        V_I4(&v) = static_cast<LONG>(m_random());
        break;
    case 3:
        V_VT(&v) = VT_R8;
        V_R8(&v) = number(1000) / 3.0;
        break;
    case 4:
        V_VT(&v) = VT_BSTR;
        V_BSTR(&v) = text();
        break;
    case 5:
        V_VT(&v) = VT_BOOL;
        V_BOOL(&v) = VARIANT_TRUE;
        break;
    case 6:
        V_VT(&v) = VT_ERROR;
        V_ERROR(&v) = DISP_E_PARAMNOTFOUND;
        break;
    case 7:
        V_VT(&v) = number(2) ? VT_DISPATCH : VT_UNKNOWN;
        V_DISPATCH(&v) = number(2) ? m_dispatch : nullptr;
        break;
    case 8:
        V_VT(&v) = VT_I2;
        V_I2(&v) = static_cast<SHORT>(m_random());
        break;
    case 9:
        V_VT(&v) = VT_DATE;
        V_DATE(&v) = 45000.5;
        break;
    case 10:
        V_VT(&v) = VT_CY;
        V_CY(&v).int64 = static_cast<LONGLONG>(m_random());
        break;
    case 11:
        V_VT(&v) = VT_UI1;
        V_UI1(&v) = static_cast<BYTE>(m_random());
        break;
    case 12:
        V_VT(&v) = VT_R4;
        V_R4(&v) = 1.5f;
        break;
    default:
        V_DECIMAL(&v) = DECIMAL();
        V_DECIMAL(&v).Lo32 = 12345;
        V_VT(&v) = VT_DECIMAL;
        break;
    }
    return v;
}

VARIANT ArgumentPool::variant()
{
    const int kind = number(10);
    if (kind < 4)
        return array();
    if (kind < 8)
        return scalar();
    // By reference: to a double, to a VARIANT holding any value, or to an array pointer.
    VARIANT v;
    switch (number(3)) {
    case 0:
        V_VT(&v) = VT_BYREF | VT_R8;
        V_R8REF(&v) = &m_doubles.emplace_back(2.5);
        break;
    case 1: {
        UniqueVariant& target = m_variants.emplace_back();
        VARIANT value = number(2) ? array() : scalar();
        if ((V_VT(&value) & VT_BYREF) == 0)
            VariantCopy(target.get(), &value);
        V_VT(&v) = VT_BYREF | VT_VARIANT;
        V_VARIANTREF(&v) = target.get();
        break;
    }
    default: {
        UniqueSafeArray& target = m_arrays.emplace_back(makeArray(VT_R8));
        V_VT(&v) = VT_BYREF | VT_ARRAY | VT_R8;
        V_ARRAYREF(&v) = target.slot();
        break;
    }
    }
    return v;
}

VARIANT ArgumentPool::invokeArgument()
{
    if (number(3) != 0) {
        // Values by reference only where nothing is owned: an out parameter may overwrite them.
        const VARIANT v = variant();
        return (V_VT(&v) & VT_BYREF) == 0 || V_VT(&v) == (VT_BYREF | VT_R8) ? v : scalar();
    }
    // A reference to empty storage of a type an out parameter may have.
    VARIANT v;
    switch (number(5)) {
    case 0:
        V_VT(&v) = VT_BYREF | VT_VARIANT;
        V_VARIANTREF(&v) = outStorage<VARIANT>();
        break;
    case 1:
        V_VT(&v) = VT_BYREF | VT_BSTR;
        V_BSTRREF(&v) = outStorage<BSTR>();
        break;
    case 2:
        V_VT(&v) = VT_BYREF | VT_R8;
        V_R8REF(&v) = outStorage<double>();
        break;
    case 3:
        V_VT(&v) = VT_BYREF | VT_I4;
        V_I4REF(&v) = outStorage<LONG>();
        break;
    default:
        V_VT(&v) = VT_BYREF | VT_DISPATCH;
        V_DISPATCHREF(&v) = outStorage<IDispatch*>();
        break;
    }
    return v;
}

} // namespace ondivar::testing
