#include "com/VariantArguments.h"

#include "support/ArrayToVariant.h"
#include "support/ComHandles.h"
#include "support/VariantToArray.h"

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

VariantArguments::VariantArguments(ITypeInfo* vtableInfo, MEMBERID own, WORD flags, DISPPARAMS* parameters)
    : m_original(parameters)
{
    if (vtableInfo == nullptr || parameters == nullptr || parameters->cNamedArgs != 0 ||
        (flags & DISPATCH_METHOD) == 0 || parameters->cArgs == 0 || parameters->rgvarg == nullptr)
        return;
    const ScopedTypeAttr attributes(vtableInfo);
    for (UINT f = 0; attributes && f < attributes->cFuncs; ++f) {
        const ScopedFuncDesc function(vtableInfo, f);
        if (!function || function->memid != own || function->invkind != INVOKE_FUNC)
            continue;
        const UINT count = parameters->cArgs;
        if (count > static_cast<UINT>(function->cParams))
            return;
        m_arguments.assign(parameters->rgvarg, parameters->rgvarg + count);
        m_slots.reserve(count);
        for (UINT p = 0; p < count; ++p) {
            VARIANTARG& argument = m_arguments[count - 1 - p];
            const ELEMDESC& parameter = function->lprgelemdescParam[p];
            if (!variantReference(argument))
                continue;
            const bool out = (parameter.paramdesc.wParamFlags & PARAMFLAG_FOUT) != 0;
            if (out && parameter.tdesc.vt == VT_PTR && parameter.tdesc.lptdesc != nullptr &&
                parameter.tdesc.lptdesc->vt == VT_VARIANT) {
                m_variantOutputs.push_back(V_VARIANTREF(&argument));
            } else if (!out) {
                argument = *V_VARIANTREF(&argument);
                m_adapted = true;
            } else if (parameter.tdesc.vt == VT_PTR && parameter.tdesc.lptdesc != nullptr &&
                       slotType(parameter.tdesc.lptdesc->vt) && out) {
                Slot& slot = m_slots.emplace_back();
                slot.caller = V_VARIANTREF(&argument);
                VariantInit(&slot.value);
                V_VT(&slot.value) = parameter.tdesc.lptdesc->vt;
                V_VT(&argument) = VT_BYREF | parameter.tdesc.lptdesc->vt;
                V_BYREF(&argument) = &V_I4(&slot.value);
                m_adapted = true;
            }
        }
        m_parameters = {m_arguments.data(), nullptr, count, 0};
        return;
    }
}

VariantArguments::~VariantArguments()
{
    for (VARIANT* output : m_variantOutputs)
        asVariantArray(output);
    for (Slot& slot : m_slots) {
        VariantClear(slot.caller);
        *slot.caller = slot.value; // the caller's VARIANT takes over the slot's text or object
    }
}

} // namespace ondivar
