#include "com/VariantArguments.h"

#include "support/ArrayToVariant.h"
#include "support/ComHandles.h"
#include "support/VariantToArray.h"

#include <algorithm>
#include <string>

namespace ondivar {
namespace {

// The types a typed [out] slot can hold: those of the component's out parameters.
bool slotType(VARTYPE vt)
{
    switch (vt) {
    case VT_BSTR:
    case VT_I2:
    case VT_I4:
    case VT_R8:
    case VT_BOOL:
    case VT_DISPATCH:
        return true;
    default:
        return false;
    }
}

bool variantReference(const VARIANTARG& argument)
{
    return V_VT(&argument) == (VT_BYREF | VT_VARIANT) && V_VARIANTREF(&argument) != nullptr;
}

template <class T> void rewrite(VARIANT* value)
{
    CArray1D<T> elements;
    variantToArray(value, elements);
    arrayToVariant(elements, value, true);
}

// A one-dimensional array of numbers or texts becomes an array of VARIANTs, the only kind a VBScript
// can index; anything else stays as it is.
void asVariantArray(VARIANT* value) noexcept
{
    try {
        if (V_VT(value) == (VT_ARRAY | VT_R8) && SafeArrayGetDim(V_ARRAY(value)) == 1)
            rewrite<double>(value);
        else if (V_VT(value) == (VT_ARRAY | VT_I4) && SafeArrayGetDim(V_ARRAY(value)) == 1)
            rewrite<long>(value);
        else if (V_VT(value) == (VT_ARRAY | VT_BSTR) && SafeArrayGetDim(V_ARRAY(value)) == 1)
            rewrite<std::wstring>(value);
    } catch (...) {
        // The caller keeps the typed array.
    }
}

} // namespace

VariantArguments::VariantArguments(const DualTypeInfo& info, MEMBERID own, WORD flags, DISPPARAMS* parameters)
    : m_original(parameters)
{
    if (parameters == nullptr || parameters->cNamedArgs != 0 || (flags & DISPATCH_METHOD) == 0 ||
        parameters->cArgs == 0 || parameters->rgvarg == nullptr)
        return;
    const MemberShape* function = info.member(own, INVOKE_FUNC);
    if (function == nullptr)
        return;
    const UINT count = parameters->cArgs;
    if (count > function->parameters.size() || count > kMostMemberArguments)
        return;
    VARIANTARG* const arguments = m_arguments;
    std::copy(parameters->rgvarg, parameters->rgvarg + count, arguments);
    for (UINT p = 0; p < count; ++p) {
        VARIANTARG& argument = arguments[count - 1 - p];
        const ParameterShape& parameter = function->parameters[p];
        if (!variantReference(argument))
            continue;
        if (parameter.out && parameter.type == VT_PTR && parameter.pointee == VT_VARIANT) {
            m_variantOutputs[m_variantOutputCount++] = V_VARIANTREF(&argument);
        } else if (!parameter.out) {
            argument = *V_VARIANTREF(&argument);
            m_adapted = true;
        } else if (parameter.type == VT_PTR && slotType(parameter.pointee)) {
            Slot& slot = m_slots[m_slotCount++];
            slot.caller = V_VARIANTREF(&argument);
            VariantInit(&slot.value);
            V_VT(&slot.value) = parameter.pointee;
            V_VT(&argument) = VT_BYREF | parameter.pointee;
            V_BYREF(&argument) = &V_I4(&slot.value);
            m_adapted = true;
        }
    }
    m_parameters = {arguments, nullptr, count, 0};
}

VariantArguments::~VariantArguments()
{
    for (std::size_t k = 0; k < m_variantOutputCount; ++k)
        asVariantArray(m_variantOutputs[k]);
    for (std::size_t k = 0; k < m_slotCount; ++k) {
        Slot& slot = m_slots[k];
        VariantClear(slot.caller);
        *slot.caller = slot.value; // the caller's VARIANT takes over the slot's text or object
    }
}

} // namespace ondivar
