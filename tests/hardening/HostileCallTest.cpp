// Tens of thousands of calls with random arguments into every method of every interface of one
// component, through the vtables and through IDispatch::Invoke. The process must survive, every
// CAPE-OPEN failure must be described by the error interfaces (naming the interface and operation), and
// the component must still compute the worked example exactly as the model does afterwards. The
// component comes from Ondivar.dll, which must agree to be unloaded once it is released.
#include "DllComponentTest.h"
#include "HostileArguments.h"

#include "tests/component/FlowTesting.h"

#include <functional>
#include <string>
#include <vector>

namespace ondivar::testing {
namespace {

constexpr unsigned kSeed = 20261208;
constexpr int kVtableCalls = 30000;
constexpr int kInvokeCalls = 15000;

bool isCapeOpenFailure(HRESULT hr)
{
    return (static_cast<unsigned long>(hr) & 0xFFFFFF00UL) == 0x80040500UL;
}

struct Method {
    const wchar_t* interfaceName;
    const wchar_t* operation;
    std::function<HRESULT(ArgumentPool&)> call;
};

class HostileCallTest : public DllComponentTest {
protected:
    // Checks what the component answers after a call that returned hr.
    void expectDescribed(HRESULT hr, const Method& m)
    {
        if (SUCCEEDED(hr) || !isCapeOpenFailure(hr))
            return;
        // Every getter answers (readInterfaceErrors expects S_OK of each); the code is the failure's own.
        const ErrorReadout r = readInterfaceErrors(m_component.get());
        EXPECT_NE(0, r.code) << describe(m);
        EXPECT_EQ(m.interfaceName, r.interfaceName) << describe(m);
        EXPECT_EQ(m.operation, r.operation) << describe(m);
    }
    static std::string describe(const Method& m)
    {
        std::string text;
        for (const wchar_t* c = m.operation; *c != 0; ++c)
            text += static_cast<char>(*c);
        return text;
    }

    std::vector<Method> vtableMethods();

    ComPtr<IUnknown> m_component;
};

std::vector<Method> HostileCallTest::vtableMethods()
{
    auto id = m_component.query<ICapeIdentification>();
    auto phases = m_component.query<ICapeHydroPhases>();
    auto routine = m_component.query<ICapeHydroFlowRoutine>();
    auto props = m_component.query<ICapeHydroPropertyRoutine>();
    auto fields = m_component.query<ICapeHydroFields>();
    auto flow = m_component.query<ICapeHydroFlow>();
    auto persist = m_component.query<IPersistStream>();
    auto user = m_component.query<ECapeUser>();
    auto root = m_component.query<ECapeRoot>();
    auto bad = m_component.query<ECapeBadArgument>();
    auto bounds = m_component.query<ECapeBoundaries>();
    auto support = m_component.query<ISupportErrorInfo>();
    EXPECT_TRUE(id && phases && routine && props && fields && flow && persist && user && root && bad &&
                bounds && support);
    using P = ArgumentPool;
    const wchar_t* I = L"ICapeIdentification";
    const wchar_t* Ph = L"ICapeHydroPhases";
    const wchar_t* R = L"ICapeHydroFlowRoutine";
    const wchar_t* PR = L"ICapeHydroPropertyRoutine";
    const wchar_t* F = L"ICapeHydroFields";
    const wchar_t* Fl = L"ICapeHydroFlow";
    const wchar_t* E = L"";
    std::vector<Method> m = {
        {I, L"get_ComponentName", [=](P& a) { return id->get_ComponentName(a.out<BSTR>()); }},
        {I, L"put_ComponentName", [=](P& a) { return id->put_ComponentName(a.text()); }},
        {I, L"get_ComponentDescription", [=](P& a) { return id->get_ComponentDescription(a.out<BSTR>()); }},
        {I, L"put_ComponentDescription", [=](P& a) { return id->put_ComponentDescription(a.text()); }},
        {Ph, L"GetNumPhases", [=](P& a) { return phases->GetNumPhases(a.out<LONG>()); }},
        {Ph, L"GetPhaseInfo",
         [=](P& a) { return phases->GetPhaseInfo(a.number(9) - 4, a.out<BSTR>(), a.out<BSTR>()); }},
        {R, L"CalcFlow", [=](P& a) { return routine->CalcFlow(a.text(), a.text(), a.text()); }},
        {R, L"CheckCalcFlowSpec",
         [=](P& a) {
             return routine->CheckCalcFlowSpec(a.text(), a.text(), a.text(), a.out<VARIANT_BOOL>());
         }},
        {R, L"GetFinalState", [=](P& a) { return routine->GetFinalState(a.out<VARIANT>()); }},
        {R, L"SetInitState", [=](P& a) { return routine->SetInitState(a.variant()); }},
        {PR, L"CalcSingleHydroProp", [=](P& a) { return props->CalcSingleHydroProp(a.variant(), a.text()); }},
        {PR, L"CalcTwoHydroProp", [=](P& a) { return props->CalcTwoHydroProp(a.variant(), a.variant()); }},
        {PR, L"CheckMixtureHydroPropList",
         [=](P& a) { return props->CheckMixtureHydroPropList(a.text(), a.text(), a.out<VARIANT>()); }},
        {PR, L"CheckSingleHydroPropList",
         [=](P& a) { return props->CheckSingleHydroPropList(a.text(), a.text(), a.out<VARIANT>()); }},
        {PR, L"CheckTwoHydroPropList",
         [=](P& a) { return props->CheckTwoHydroPropList(a.text(), a.text(), a.out<VARIANT>()); }},
        {PR, L"GetGeometryPropList",
         [=](P& a) { return props->GetGeometryPropList(a.text(), a.text(), a.out<VARIANT>()); }},
        {PR, L"GetSingleHydroPropList",
         [=](P& a) { return props->GetSingleHydroPropList(a.text(), a.text(), a.out<VARIANT>()); }},
        {PR, L"GetSinglePhasePropList",
         [=](P& a) { return props->GetSinglePhasePropList(a.text(), a.text(), a.out<VARIANT>()); }},
        {PR, L"GetTwoPhasePropList",
         [=](P& a) { return props->GetTwoPhasePropList(a.text(), a.text(), a.out<VARIANT>()); }},
        {F, L"GetFieldInfo",
         [=](P& a) { return fields->GetFieldInfo(a.text(), a.text(), a.text(), a.out<BSTR>()); }},
        {F, L"GetLayerInfo", [=](P& a) { return fields->GetLayerInfo(a.text(), a.text(), a.out<BSTR>()); }},
        {F, L"GetPresentFields", [=](P& a) { return fields->GetPresentFields(a.text(), a.out<VARIANT>()); }},
        {F, L"GetPresentLayers", [=](P& a) { return fields->GetPresentLayers(a.out<VARIANT>()); }},
        {F, L"GetPresentPhases",
         [=](P& a) { return fields->GetPresentPhases(a.text(), a.text(), a.out<VARIANT>()); }},
        {F, L"GetSingleFieldProp",
         [=](P& a) { return fields->GetSingleFieldProp(a.text(), a.text(), a.text(), a.out<double>()); }},
        {F, L"GetSingleLayerProp",
         [=](P& a) { return fields->GetSingleLayerProp(a.text(), a.text(), a.out<double>()); }},
        {F, L"GetSinglePhaseProp",
         [=](P& a) {
             return fields->GetSinglePhaseProp(a.text(), a.text(), a.text(), a.text(), a.out<double>());
         }},
        {F, L"GetTwoLayerProp",
         [=](P& a) { return fields->GetTwoLayerProp(a.text(), a.variant(), a.out<double>()); }},
        {Fl, L"ClearAllProps", [=](P&) { return flow->ClearAllProps(); }},
        {Fl, L"CreateHPM", [=](P& a) { return flow->CreateHPM(a.out<IDispatch*>()); }},
        {Fl, L"GetFlowRegime", [=](P& a) { return flow->GetFlowRegime(a.out<BSTR>(), a.out<BSTR>()); }},
        {Fl, L"GetMixtureProp", [=](P& a) { return flow->GetMixtureProp(a.text(), a.out<VARIANT>()); }},
        {Fl, L"GetSingleHydroProp",
         [=](P& a) { return flow->GetSingleHydroProp(a.text(), a.text(), a.out<VARIANT>()); }},
        {Fl, L"GetTwoHydroProp",
         [=](P& a) { return flow->GetTwoHydroProp(a.text(), a.variant(), a.out<VARIANT>()); }},
        {Fl, L"SetGeometryProp", [=](P& a) { return flow->SetGeometryProp(a.text(), a.variant()); }},
        {Fl, L"SetMixtureProp", [=](P& a) { return flow->SetMixtureProp(a.text(), a.variant()); }},
        {Fl, L"SetPresentPhases",
         [=](P& a) { return flow->SetPresentPhases(a.variant(), a.variant(), a.variant()); }},
        {Fl, L"SetSingleHydroProp",
         [=](P& a) { return flow->SetSingleHydroProp(a.text(), a.text(), a.variant()); }},
        {Fl, L"SetSinglePhaseProp",
         [=](P& a) { return flow->SetSinglePhaseProp(a.text(), a.text(), a.variant()); }},
        {Fl, L"SetTwoHydroProp",
         [=](P& a) { return flow->SetTwoHydroProp(a.text(), a.variant(), a.variant()); }},
        {Fl, L"SetTwoPhaseProp",
         [=](P& a) { return flow->SetTwoPhaseProp(a.text(), a.variant(), a.variant()); }},
        {E, L"GetClassID", [=](P& a) { return persist->GetClassID(a.out<CLSID>()); }},
        {E, L"IsDirty", [=](P&) { return persist->IsDirty(); }},
        {E, L"GetSizeMax", [=](P& a) { return persist->GetSizeMax(a.out<ULARGE_INTEGER>()); }},
        {E, L"get_code", [=](P& a) { return user->get_code(a.out<LONG>()); }},
        {E, L"get_description", [=](P& a) { return user->get_description(a.out<BSTR>()); }},
        {E, L"get_scope", [=](P& a) { return user->get_scope(a.out<BSTR>()); }},
        {E, L"get_interfaceName", [=](P& a) { return user->get_interfaceName(a.out<BSTR>()); }},
        {E, L"get_operation", [=](P& a) { return user->get_operation(a.out<BSTR>()); }},
        {E, L"get_moreInfo", [=](P& a) { return user->get_moreInfo(a.out<BSTR>()); }},
        {E, L"get_name", [=](P& a) { return root->get_name(a.out<BSTR>()); }},
        {E, L"get_position", [=](P& a) { return bad->get_position(a.out<VARIANT_BOOL>()); }},
        {E, L"get_LowerBound", [=](P& a) { return bounds->get_LowerBound(a.out<double>()); }},
        {E, L"get_Type", [=](P& a) { return bounds->get_Type(a.out<BSTR>()); }},
        {E, L"InterfaceSupportsErrorInfo",
         [=](P& a) {
             return support->InterfaceSupportsErrorInfo(a.chance(2) ? IID_IDispatch : IID_ICapeHydroFlow);
         }},
        {E, L"QueryInterface",
         [=](P& a) {
             IID iid = IID_ICapeHydroFlow;
             iid.Data1 += static_cast<unsigned long>(a.number(3));
             void** out = a.chance(4) ? nullptr : reinterpret_cast<void**>(a.out<IDispatch*>());
             return out == nullptr ? E_POINTER : m_component->QueryInterface(iid, out);
         }},
    };
    return m;
}

TEST_F(HostileCallTest, RandomCallsFailCleanlyAndLeaveTheComponentWorking)
{
    m_component = createFromDll<IUnknown>();
    ASSERT_TRUE(m_component);
    auto dispatch = m_component.query<IDispatch>();
    std::mt19937 random(kSeed);
    {
        // The calls hold the component's interfaces until the block ends.
        const std::vector<Method> methods = vtableMethods();
        for (int i = 0; i < kVtableCalls; ++i) {
            const Method& m = methods[random() % methods.size()];
            ArgumentPool arguments(random, dispatch.get());
            expectDescribed(m.call(arguments), m);
        }
    }

    // The dispatch halves: every dual interface, any member id, any flags, any arguments.
    const IID duals[] = {IID_ICapeIdentification,
                         IID_ICapeHydroPhases,
                         IID_ICapeHydroFlowRoutine,
                         IID_ICapeHydroPropertyRoutine,
                         IID_ICapeHydroFields,
                         IID_ICapeHydroFlow,
                         IID_ECapeUser,
                         IID_ECapeRoot,
                         IID_ECapeBoundaries};
    std::vector<ComPtr<IDispatch>> halves;
    for (const IID& iid : duals) {
        ComPtr<IDispatch> half;
        ASSERT_EQ(S_OK, m_component->QueryInterface(iid, half.putVoid()));
        halves.push_back(half);
    }
    const WORD flags[] = {DISPATCH_METHOD,         DISPATCH_PROPERTYGET,
                          DISPATCH_PROPERTYPUT,    DISPATCH_METHOD | DISPATCH_PROPERTYGET,
                          DISPATCH_PROPERTYPUTREF, 0};
    for (int i = 0; i < kInvokeCalls; ++i) {
        IDispatch* half = halves[random() % halves.size()].get();
        ArgumentPool arguments(random, dispatch.get());
        VARIANT args[6];
        const UINT count = static_cast<UINT>(arguments.number(6));
        for (UINT k = 0; k < count; ++k)
            args[k] = arguments.invokeArgument();
        DISPID named = DISPID_PROPERTYPUT;
        DISPPARAMS parameters = {args, arguments.chance(10) && count > 0 ? &named : nullptr, count, 0};
        if (parameters.rgdispidNamedArgs != nullptr)
            parameters.cNamedArgs = 1;
        EXCEPINFO exception = {};
        UINT argumentError = 0;
        const DISPID id = arguments.number(20) - 3;
        const HRESULT hr =
            half->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags[arguments.number(6)], &parameters,
                         arguments.out<VARIANT>(), arguments.chance(3) ? nullptr : &exception,
                         arguments.chance(3) ? nullptr : &argumentError);
        SysFreeString(exception.bstrSource);
        SysFreeString(exception.bstrDescription);
        SysFreeString(exception.bstrHelpFile);
        const HRESULT failure = hr == DISP_E_EXCEPTION ? exception.scode : hr;
        if (isCapeOpenFailure(failure)) {
            const ErrorReadout r = readInterfaceErrors(m_component.get());
            EXPECT_NE(0, r.code);
            EXPECT_FALSE(r.interfaceName.empty());
            EXPECT_FALSE(r.operation.empty());
        }
        // Names that exist and names that do not, a null name among them.
        LPOLESTR names[2] = {arguments.text(), arguments.text()};
        DISPID ids[2] = {};
        half->GetIDsOfNames(IID_NULL, names, static_cast<UINT>(arguments.number(3)), LOCALE_USER_DEFAULT,
                            ids);
        half->GetTypeInfo(static_cast<UINT>(arguments.number(2)), LOCALE_USER_DEFAULT,
                          arguments.out<ITypeInfo*>());
        half->GetTypeInfoCount(reinterpret_cast<UINT*>(arguments.out<LONG>()));
    }

    // The same component still computes the worked example as the model does.
    const FlowCase c;
    auto flow = m_component.query<ICapeHydroFlow>();
    ASSERT_EQ(S_OK, flow->ClearAllProps());
    feed(flow.get(), c);
    ASSERT_EQ(S_OK, calcUs(flow));
    expectResultsOf(referenceModel(c, {0, 1}), flow.get(), c);
    flow.reset();
    halves.clear();
    dispatch.reset();
    m_component.reset();
    expectDllUnloadable();
}

} // namespace
} // namespace ondivar::testing
