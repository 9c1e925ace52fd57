// A null out argument, through the vtables and through IDispatch::Invoke: the call answers E_POINTER, and
// the error interfaces then describe that call, naming the argument, instead of the failure before it.
#include "DispatchCalls.h"

#include <functional>
#include <string>

namespace ondivar::testing {
namespace {

// A by-reference Invoke argument of the given type whose pointer is null.
VARIANT nullOut(VARTYPE type)
{
    VARIANT v;
    V_VT(&v) = VT_BYREF | type;
    V_BYREF(&v) = nullptr;
    return v;
}

struct NullOutCase {
    const wchar_t* interfaceName;
    const wchar_t* operation;
    const wchar_t* argument;
    const IID* iid;
    DISPID id;
    // The call through the interface's vtable, and the arguments of the same call through Invoke.
    std::function<HRESULT(IUnknown*)> throughVtable;
    std::function<std::vector<VARIANT>()> invokeArguments;
};

class NullOutArgumentTest : public ComponentTest {
protected:
    Text us{L"Us"}, total{L"pressureDropTotal"}, holdup{L"volumeFraction"}, gas{L"gas"};
    UniqueBstr keptText;
    VARIANT_BOOL keptFlag = VARIANT_FALSE;

    template <class Interface> static Interface* as(IUnknown* component)
    {
        return ComPtr<IUnknown>(component).query<Interface>().get();
    }

    // A list operation of ICapeHydroPropertyRoutine (dispatch id id), called for the flow basis "Us".
    NullOutCase list(const wchar_t* operation, DISPID id,
                     HRESULT (STDMETHODCALLTYPE ICapeHydroPropertyRoutine::*method)(BSTR, BSTR, VARIANT*))
    {
        return {L"ICapeHydroPropertyRoutine",
                operation,
                L"props",
                &IID_ICapeHydroPropertyRoutine,
                id,
                [this, method](IUnknown* c) {
                    return (as<ICapeHydroPropertyRoutine>(c)->*method)(us, nullptr, nullptr);
                },
                [this] {
                    return std::vector<VARIANT>{arg(us), arg(nullptr), nullOut(VT_VARIANT)};
                }};
    }

    std::vector<NullOutCase> cases()
    {
        using R = ICapeHydroPropertyRoutine;
        return {
            {L"ICapeHydroPhases", L"GetNumPhases", L"num", &IID_ICapeHydroPhases, 0,
             [](IUnknown* c) { return as<ICapeHydroPhases>(c)->GetNumPhases(nullptr); },
             [] { return std::vector<VARIANT>{nullOut(VT_I4)}; }},
            {L"ICapeHydroPhases", L"GetPhaseInfo", L"stateOfAggregation", &IID_ICapeHydroPhases, 1,
             [this](IUnknown* c) {
                 return as<ICapeHydroPhases>(c)->GetPhaseInfo(1, nullptr, keptText.put());
             },
             [this] {
                 VARIANT number;
                 V_VT(&number) = VT_I4;
                 V_I4(&number) = 1;
                 return std::vector<VARIANT>{number, nullOut(VT_BSTR), arg(nullptr, keptText.put(), VT_BSTR)};
             }},
            {L"ICapeHydroFlowRoutine", L"CheckCalcFlowSpec", L"isSupported", &IID_ICapeHydroFlowRoutine, 1,
             [this](IUnknown* c) {
                 return as<ICapeHydroFlowRoutine>(c)->CheckCalcFlowSpec(us, nullptr, nullptr, nullptr);
             },
             [this] {
                 return std::vector<VARIANT>{arg(us), arg(nullptr), arg(nullptr), nullOut(VT_BOOL)};
             }},
            {L"ICapeHydroFlowRoutine", L"GetFinalState", L"propvals", &IID_ICapeHydroFlowRoutine, 2,
             [](IUnknown* c) { return as<ICapeHydroFlowRoutine>(c)->GetFinalState(nullptr); },
             [] { return std::vector<VARIANT>{nullOut(VT_VARIANT)}; }},
            list(L"CheckMixtureHydroPropList", 2, &R::CheckMixtureHydroPropList),
            list(L"CheckSingleHydroPropList", 3, &R::CheckSingleHydroPropList),
            list(L"CheckTwoHydroPropList", 4, &R::CheckTwoHydroPropList),
            list(L"GetGeometryPropList", 5, &R::GetGeometryPropList),
            list(L"GetSingleHydroPropList", 6, &R::GetSingleHydroPropList),
            list(L"GetSinglePhasePropList", 7, &R::GetSinglePhasePropList),
            list(L"GetTwoPhasePropList", 8, &R::GetTwoPhasePropList),
            {L"ICapeHydroFlow", L"GetFlowRegime", L"regime", &IID_ICapeHydroFlow, 3,
             [this](IUnknown* c) { return as<ICapeHydroFlow>(c)->GetFlowRegime(nullptr, keptText.put()); },
             [this] {
                 return std::vector<VARIANT>{nullOut(VT_BSTR), arg(nullptr, keptText.put(), VT_BSTR)};
             }},
            {L"ICapeHydroFlow", L"GetMixtureProp", L"values", &IID_ICapeHydroFlow, 4,
             [this](IUnknown* c) { return as<ICapeHydroFlow>(c)->GetMixtureProp(total, nullptr); },
             [this] {
                 return std::vector<VARIANT>{arg(total), nullOut(VT_VARIANT)};
             }},
            {L"ICapeHydroFlow", L"GetSingleHydroProp", L"values", &IID_ICapeHydroFlow, 5,
             [this](IUnknown* c) { return as<ICapeHydroFlow>(c)->GetSingleHydroProp(holdup, gas, nullptr); },
             [this] {
                 return std::vector<VARIANT>{arg(holdup), arg(gas), nullOut(VT_VARIANT)};
             }},
        };
    }
};

TEST_F(NullOutArgumentTest, IsRefusedWithEPointerAndDescribedByTheErrorInterfaces)
{
    ASSERT_TRUE(kFlowTypeLibraryFile);
    auto component = createComponent<IUnknown>();
    auto routine = component.query<ICapeHydroFlowRoutine>();
    ASSERT_TRUE(routine);
    const Text holdupBasis(L"Holdup");
    for (const NullOutCase& c : cases()) {
        const std::wstring named = L"\"" + std::wstring(c.argument) + L"\"";
        for (const bool throughInvoke : {false, true}) {
            SCOPED_TRACE(::testing::Message() << std::string(c.operation, c.operation + wcslen(c.operation))
                                              << (throughInvoke ? " through Invoke" : " through the vtable"));
            // A different failure first: what the error interfaces say afterwards must not be this one.
            ASSERT_EQ(kCapeNoImpl, routine->CalcFlow(holdupBasis, nullptr, nullptr));
            HRESULT hr = E_FAIL;
            if (throughInvoke) {
                ComPtr<IDispatch> dispatch = component.query<IDispatch>(*c.iid);
                ASSERT_TRUE(dispatch);
                hr = call(dispatch.get(), c.id, c.invokeArguments());
            } else {
                hr = c.throughVtable(component.get());
            }
            EXPECT_EQ(E_POINTER, hr);
            const ErrorReadout r = readErrors(component.get());
            EXPECT_EQ(c.interfaceName, r.interfaceName);
            EXPECT_EQ(c.operation, r.operation);
            EXPECT_NE(std::wstring::npos, r.description.find(named))
                << ::testing::PrintToString(r.description);
        }
    }
}

} // namespace
} // namespace ondivar::testing
