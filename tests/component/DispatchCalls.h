// Calls through IDispatch::Invoke with the dispatch ids of the component's type library, as a script
// host makes them, and the type library they need.
#pragma once

#include "FlowTesting.h"

namespace ondivar::testing {

// The test program carries no TYPELIB resource: the component reads its type library from the file.
inline const bool kFlowTypeLibraryFile = (setOndivarTypeLibraryFile(ONDIVAR_TEST_TYPELIB), true);

// A BSTR argument, or with a type an out argument pointing at out.
inline VARIANT arg(BSTR text, void* out = nullptr, VARTYPE type = VT_EMPTY)
{
    VARIANT v;
    V_VT(&v) = out == nullptr ? VT_BSTR : VT_BYREF | type;
    V_BSTR(&v) = text;
    if (out != nullptr)
        V_BYREF(&v) = out;
    return v;
}

// Invokes method id with the arguments in call order; a failure reported as an exception counts as
// its code.
inline HRESULT call(IDispatch* object, DISPID id, std::vector<VARIANT> arguments)
{
    std::vector<VARIANT> reversed(arguments.rbegin(), arguments.rend());
    DISPPARAMS parameters = {reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
    EXCEPINFO exception = {};
    UniqueVariant result;
    HRESULT hr = object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &parameters, result.put(),
                                &exception, nullptr);
    SysFreeString(exception.bstrSource);
    SysFreeString(exception.bstrDescription);
    SysFreeString(exception.bstrHelpFile);
    return hr == DISP_E_EXCEPTION ? exception.scode : hr;
}

} // namespace ondivar::testing
