// Arguments as script hosts pass them. VBScript (and VBA with Variant variables) passes every variable
// as a reference to a VARIANT (VT_BYREF | VT_VARIANT). ITypeInfo::Invoke gives such an argument to a
// VARIANT* parameter only: an [out] parameter of another type (BSTR*, long*, double*, VARIANT_BOOL*,
// short*, IDispatch**) answers DISP_E_TYPEMISMATCH, an [in] BSTR parameter does too, and an [in]
// VARIANT parameter receives the reference instead of the value. VariantArguments makes the call the
// member expects: an [in] parameter gets the referenced value (which Invoke converts to the parameter's
// type), a typed [out] parameter a slot of its type, whose content is stored into
// the caller's VARIANT when the call is over (also after a failure: outputs set before it stay set).
// VBScript indexes arrays of VARIANTs only: a one-dimensional array of numbers or texts that a member
// puts into such a caller's [out] VARIANT is handed over as an array of VARIANTs of the same values.
#pragma once

#include "com/TypeInfoCache.h"

#include <oaidl.h>

#include <cstddef>

namespace ondivar {

class VariantArguments {
public:
    // The arguments of a call of member own (invoked with flags) of the interface info describes; a call
    // with named arguments or nothing to adapt is passed as it is.
    VariantArguments(const DualTypeInfo& info, MEMBERID own, WORD flags, DISPPARAMS* parameters);
    VariantArguments(const VariantArguments&) = delete;
    VariantArguments& operator=(const VariantArguments&) = delete;
    // Stores every slot into its caller's VARIANT.
    ~VariantArguments();

    DISPPARAMS* parameters() noexcept { return m_adapted ? &m_parameters : m_original; }

private:
    struct Slot {
        VARIANT* caller;
        VARIANT value;
    };
    DISPPARAMS* m_original;
    DISPPARAMS m_parameters{};
    VARIANTARG m_arguments[kMostMemberArguments];
    Slot m_slots[kMostMemberArguments];
    std::size_t m_slotCount = 0;
    // [out] VARIANTs of the caller: a typed array put there is handed over as an array of VARIANTs.
    VARIANT* m_variantOutputs[kMostMemberArguments];
    std::size_t m_variantOutputCount = 0;
    bool m_adapted = false;
};

} // namespace ondivar
