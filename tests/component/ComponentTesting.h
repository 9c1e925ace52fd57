// What the component tests share: a fixture with COM and a message-box watcher on the test thread,
// creation of the component, and readers for BSTR results and the recorded error.
#pragma once

#include "component/Ondivar_Velt.h"
#include "tests/common/ApartmentTest.h"

#include <gtest/gtest.h>

#include <string>

namespace ondivar::testing {

// The text of a BSTR result, freeing it; a null BSTR reads as "(null)" so tests can tell it apart.
inline std::wstring take(BSTR text)
{
    UniqueBstr owned(text);
    return text == nullptr ? std::wstring(L"(null)") : std::wstring(text, SysStringLen(text));
}

// The component's error part, for the getters that the interface table does not hand out.
inline CCapeError& errorPart(const ComPtr<ECapeUser>& user)
{
    return static_cast<CCapeError&>(static_cast<CapeOpenDispatch<ECapeUser>&>(*user.get()));
}

// Every CAPE-OPEN error property as the component answers it.
struct ErrorReadout {
    std::wstring name, description, scope, interfaceName, operation, moreInfo;
    long code = 0;
    short position = 0;
    double lowerBound = 0.0, upperBound = 0.0, value = 0.0;
    std::wstring type, requestedOperation, parameterName;
    IDispatch* parameter = nullptr;
};

// Reads every getter of the error interfaces, each after presetting its output with the value in
// `preset` (unchanged outputs then show the preset); every getter must answer S_OK. Works on any
// component, ours or one made by the DLL.
inline ErrorReadout readInterfaceErrors(IUnknown* component, const ErrorReadout& preset = ErrorReadout())
{
    ErrorReadout r = preset;
    ComPtr<IUnknown> unknown(component);
    ComPtr<ECapeUser> user = unknown.query<ECapeUser>();
    ComPtr<ECapeRoot> root = unknown.query<ECapeRoot>();
    ComPtr<ECapeBadArgument> badArgument = unknown.query<ECapeBadArgument>();
    ComPtr<ECapeBoundaries> boundaries = unknown.query<ECapeBoundaries>();
    EXPECT_TRUE(user && root && badArgument && boundaries);
    if (!(user && root && badArgument && boundaries))
        return r;
    BSTR s = nullptr;
    EXPECT_EQ(S_OK, root->get_name(&s));
    r.name = take(s);
    EXPECT_EQ(S_OK, user->get_code(&r.code));
    EXPECT_EQ(S_OK, user->get_description(&s));
    r.description = take(s);
    EXPECT_EQ(S_OK, user->get_scope(&s));
    r.scope = take(s);
    EXPECT_EQ(S_OK, user->get_interfaceName(&s));
    r.interfaceName = take(s);
    EXPECT_EQ(S_OK, user->get_operation(&s));
    r.operation = take(s);
    EXPECT_EQ(S_OK, user->get_moreInfo(&s));
    r.moreInfo = take(s);
    EXPECT_EQ(S_OK, badArgument->get_position(&r.position));
    EXPECT_EQ(S_OK, boundaries->get_LowerBound(&r.lowerBound));
    EXPECT_EQ(S_OK, boundaries->get_UpperBound(&r.upperBound));
    EXPECT_EQ(S_OK, boundaries->get_value(&r.value));
    EXPECT_EQ(S_OK, boundaries->get_Type(&s));
    r.type = take(s);
    return r;
}

// readInterfaceErrors and the getters that the interface table does not hand out, on a component made
// in this program.
inline ErrorReadout readErrors(IUnknown* component, const ErrorReadout& preset = ErrorReadout())
{
    ErrorReadout r = readInterfaceErrors(component, preset);
    ComPtr<ECapeUser> user = ComPtr<IUnknown>(component).query<ECapeUser>();
    if (!user)
        return r;
    CCapeError& hidden = errorPart(user);
    BSTR s = nullptr;
    EXPECT_EQ(S_OK, hidden.get_requestedOperation(&s));
    r.requestedOperation = take(s);
    EXPECT_EQ(S_OK, hidden.get_parameterName(&s));
    r.parameterName = take(s);
    EXPECT_EQ(S_OK, hidden.get_parameter(&r.parameter));
    return r;
}

// Components made in this program, inside the apartment of ApartmentTest.
class ComponentTest : public ApartmentTest {
protected:
    template <class Interface = ICapeIdentification> static ComPtr<Interface> createComponent()
    {
        ComPtr<Interface> result;
        EXPECT_EQ(S_OK, COndivar_Velt::createInstance(nullptr, __uuidof(Interface), result.putVoid()));
        return result;
    }
};

} // namespace ondivar::testing
