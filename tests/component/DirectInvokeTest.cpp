// Invoke reaches most calls of the hydro interfaces without ITypeInfo::Invoke. Every call is made twice,
// on two components in the same state: through the component's IDispatch and through
// ITypeInfo::Invoke on the interface's vtable description, the way the dispatch half calls a member
// otherwise. Both must answer alike, with the same outputs and the same failures.
#include "DispatchCalls.h"

#include "com/DispatchFailure.h"

#include <cstring>
#include <string>

namespace ondivar::testing {
namespace {

// What a call gave back: its HRESULT, the EXCEPINFO's code and texts, and the out argument.
struct Outcome {
    HRESULT hr = S_OK;
    SCODE scode = S_OK;
    std::wstring description, source, output;
};

std::wstring describe(const VARIANT& value)
{
    std::wstring text = L"vt " + std::to_wstring(V_VT(&value));
    if ((V_VT(&value) & VT_ARRAY) != 0) {
        CDoubleArray numbers;
        variantToArray(&value, numbers);
        for (std::size_t i = 0; i < numbers.size(); ++i)
            text += L" " + std::to_wstring(numbers[i]);
    }
    return text;
}

// Collects an EXCEPINFO and the out argument of a call, and frees them.
Outcome outcomeOf(HRESULT hr, EXCEPINFO& exception, VARIANT& output)
{
    Outcome o{hr, exception.scode, take(exception.bstrDescription), take(exception.bstrSource),
              describe(output)};
    SysFreeString(exception.bstrHelpFile);
    VariantClear(&output);
    return o;
}

class DirectInvokeTest : public ComponentTest {
protected:
    ComPtr<ICapeHydroFlow> direct = createComponent<ICapeHydroFlow>();
    ComPtr<ICapeHydroFlow> reference = createComponent<ICapeHydroFlow>();

    // Calls member of Interface on both components with the arguments in call order; an argument
    // whose VT_BYREF points at out is given each component's own out VARIANT.
    template <class Interface>
    void expectAlike(const wchar_t* member, std::vector<VARIANT> arguments, bool withException = true)
    {
        SCOPED_TRACE(member);
        const ComPtr<Interface> directInterface = direct.query<Interface>();
        const ComPtr<Interface> referenceInterface = reference.query<Interface>();
        ComPtr<ITypeInfo> described, vtable;
        HREFTYPE vtableReference = 0;
        ASSERT_EQ(S_OK, directInterface->GetTypeInfo(0, LOCALE_USER_DEFAULT, described.put()));
        ASSERT_EQ(S_OK, described->GetRefTypeOfImplType(static_cast<UINT>(-1), &vtableReference));
        ASSERT_EQ(S_OK, described->GetRefTypeInfo(vtableReference, vtable.put()));
        LPOLESTR names[] = {const_cast<LPOLESTR>(member)};
        DISPID id = DISPID_UNKNOWN;
        ASSERT_EQ(S_OK, described->GetIDsOfNames(names, 1, &id));

        Outcome outcomes[2];
        for (int which = 0; which < 2; ++which) {
            VARIANT output;
            VariantInit(&output);
            std::vector<VARIANT> reversed(arguments.rbegin(), arguments.rend());
            for (VARIANT& argument : reversed)
                if (V_VT(&argument) == (VT_BYREF | VT_VARIANT))
                    V_VARIANTREF(&argument) = &output;
            const std::vector<VARIANT> before = reversed;
            DISPPARAMS parameters = {reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
            EXCEPINFO exception = {};
            EXCEPINFO* given = withException ? &exception : nullptr;
            HRESULT hr;
            if (which == 0) {
                hr = directInterface->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &parameters,
                                             nullptr, given, nullptr);
            } else {
                hr = vtable->Invoke(referenceInterface.get(), id, DISPATCH_METHOD, &parameters, nullptr,
                                    given, nullptr);
                if (hr == DISP_E_EXCEPTION && given != nullptr)
                    describeRecordedFailure(referenceInterface.get(), exception);
            }
            EXPECT_EQ(0, std::memcmp(before.data(), reversed.data(), before.size() * sizeof(VARIANT)))
                << "the caller's arguments changed";
            outcomes[which] = outcomeOf(hr, exception, output);
        }
        EXPECT_EQ(outcomes[1].hr, outcomes[0].hr);
        EXPECT_EQ(outcomes[1].scode, outcomes[0].scode);
        EXPECT_EQ(outcomes[1].description, outcomes[0].description);
        EXPECT_EQ(outcomes[1].source, outcomes[0].source);
        EXPECT_EQ(outcomes[1].output, outcomes[0].output);
    }
};

VARIANT outArgument()
{
    VARIANT v;
    V_VT(&v) = VT_BYREF | VT_VARIANT;
    V_VARIANTREF(&v) = nullptr;
    return v;
}

TEST_F(DirectInvokeTest, EveryKindOfCallAnswersAsThroughTheTypeInformation)
{
    ASSERT_TRUE(kFlowTypeLibraryFile);
    const FlowCase c;
    Text diameter(L"diameter"), inclination(L"inclination"), roughness(L"roughness"), bogus(L"bogus");
    expectAlike<ICapeHydroFlow>(L"SetGeometryProp", {arg(diameter), Arg{c.diameter}});
    expectAlike<ICapeHydroFlow>(L"SetGeometryProp", {arg(roughness), Arg{c.roughness}});
    // A text by reference is converted by ITypeInfo::Invoke in both cases.
    BSTR name = inclination;
    expectAlike<ICapeHydroFlow>(L"SetGeometryProp", {arg(nullptr, &name, VT_BSTR), Arg{c.inclination}});
    expectAlike<ICapeHydroFlow>(L"SetGeometryProp", {arg(bogus), Arg{1.0}});
    expectAlike<ICapeHydroFlow>(L"SetGeometryProp", {arg(bogus), Arg{1.0}}, false);
    expectAlike<ICapeHydroFlow>(L"SetPresentPhases", {Arg(c.labels), Arg(c.states), Arg(c.types)});
    for (std::size_t p = 0; p < c.labels.size(); ++p) {
        Text label(c.labels[p]);
        for (std::size_t i = 0; i < 5; ++i)
            expectAlike<ICapeHydroFlow>(i == 0 ? L"SetSingleHydroProp" : L"SetSinglePhaseProp",
                                        {arg(Text(kInputs[i])), arg(label), Arg{c.inputs[i][p]}});
    }
    expectAlike<ICapeHydroFlowRoutine>(L"CalcFlow", {arg(Text(L"us")), arg(nullptr), arg(nullptr)});
    expectAlike<ICapeHydroFlowRoutine>(L"CalcFlow", {arg(Text(L"Us")), arg(nullptr), arg(nullptr)});
    expectAlike<ICapeHydroFlow>(L"GetMixtureProp", {arg(Text(L"pressureDropTotal")), outArgument()});
    expectAlike<ICapeHydroFlow>(L"GetSingleHydroProp",
                                {arg(Text(L"volumeFraction")), arg(Text(L"oil")), outArgument()});
    expectAlike<ICapeHydroFlow>(L"GetSingleHydroProp",
                                {arg(Text(L"volumeFraction")), arg(Text(L"water")), outArgument()});
}

} // namespace
} // namespace ondivar::testing
