#include "com/MemberInvoke.h"

#include "com/VtableCall.h"
#include "support/ComHandles.h"

namespace ondivar {
namespace {

// A VARIANT that ITypeInfo::Invoke would copy for a VARIANT parameter and whose copy cannot fail (no
// allocation beyond that of an array of plain elements, no object, no record): the member gets the
// caller's VARIANT instead, which it reads and never frees, as a vtable caller's.
bool copiesPlainly(const VARIANT& argument)
{
    switch (V_VT(&argument)) {
    case VT_EMPTY:
    case VT_NULL:
    case VT_I2:
    case VT_I4:
    case VT_R4:
    case VT_R8:
    case VT_BOOL:
    case VT_ERROR:
    case VT_BSTR:
        return true;
    case VT_ARRAY | VT_I4:
    case VT_ARRAY | VT_R8:
    case VT_ARRAY | VT_BOOL:
    case VT_ARRAY | VT_BSTR:
    case VT_ARRAY | VT_VARIANT:
        return V_ARRAY(&argument) != nullptr;
    default:
        return false;
    }
}

// The type an argument must have to be handed over as it is, for parameter.
VARTYPE passedType(const ParameterShape& parameter)
{
    return parameter.type == VT_PTR ? VARTYPE(VT_BYREF | VT_VARIANT) : parameter.type;
}

bool passesAsItIs(const VARIANT& argument, VARTYPE type)
{
    if (type == VT_VARIANT)
        return copiesPlainly(argument);
    if (type == (VT_BYREF | VT_VARIANT))
        return V_VT(&argument) == type && V_VARIANTREF(&argument) != nullptr;
    return V_VT(&argument) == type;
}

// The call of member with the caller's arguments, when every one of them passes as it is; false (and
// nothing done) otherwise.
bool callDirectly(const MemberShape& member, IUnknown* instance, const DISPPARAMS& parameters,
                  HRESULT& returned)
{
    const UINT count = parameters.cArgs;
    if (!member.plain || member.kind != INVOKE_FUNC || parameters.cNamedArgs != 0 ||
        count != member.parameters.size() || count > kMostMemberArguments ||
        (count != 0 && parameters.rgvarg == nullptr))
        return false;
    VARTYPE types[kMostMemberArguments];
    VARIANTARG* arguments[kMostMemberArguments];
    for (UINT p = 0; p < count; ++p) {
        // DISPPARAMS holds the arguments last first.
        VARIANTARG& argument = parameters.rgvarg[count - 1 - p];
        types[p] = passedType(member.parameters[p]);
        if (!passesAsItIs(argument, types[p]))
            return false;
        arguments[p] = &argument;
    }
    returned =
        callMember(instance, static_cast<unsigned>(member.vtableOffset & 0xFFFC), count, types, arguments);
    return true;
}

// What ITypeInfo::Invoke makes of a member's failure: DISP_E_EXCEPTION, and for a caller with an
// EXCEPINFO the member's HRESULT and the thread's error information.
HRESULT memberFailure(HRESULT returned, EXCEPINFO* exception)
{
    if (exception != nullptr) {
        exception->scode = returned;
        ComPtr<IErrorInfo> errorInfo;
        if (GetErrorInfo(0, errorInfo.put()) == S_OK) {
            errorInfo->GetDescription(&exception->bstrDescription);
            errorInfo->GetHelpFile(&exception->bstrHelpFile);
            errorInfo->GetSource(&exception->bstrSource);
            errorInfo->GetHelpContext(&exception->dwHelpContext);
        }
    }
    return DISP_E_EXCEPTION;
}

} // namespace

HRESULT invokeMember(const DualTypeInfo& info, IUnknown* instance, DISPID id, WORD flags,
                     DISPPARAMS* parameters, VARIANT* result, EXCEPINFO* exception,
                     UINT* argumentError) noexcept
{
    if (parameters != nullptr) {
        const MemberShape* member = info.invoked(id, flags);
        HRESULT returned = S_OK;
        if (member != nullptr && callDirectly(*member, instance, *parameters, returned))
            return FAILED(returned) ? memberFailure(returned, exception) : S_OK;
    }
    return info.vtable->Invoke(instance, id, flags, parameters, result, exception, argumentError);
}

} // namespace ondivar
