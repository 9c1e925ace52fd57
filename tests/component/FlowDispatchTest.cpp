// The riser example driven through IDispatch::Invoke with the dispatch ids of the component's type
// library, as a script host would drive it.
#include "FlowTesting.h"

namespace ondivar::testing {
namespace {

// The test program carries no TYPELIB resource: the component reads its type library from the file.
const bool kFlowTypeLibraryFile = (setOndivarTypeLibraryFile(ONDIVAR_TEST_TYPELIB), true);

// A BSTR argument, or with a type an out argument pointing at out.
VARIANT arg(BSTR text, void* out = nullptr, VARTYPE type = VT_EMPTY)
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
HRESULT call(IDispatch* object, DISPID id, std::vector<VARIANT> arguments)
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

using FlowDispatchTest = ComponentTest;

TEST_F(FlowDispatchTest, RiserExampleThroughInvoke)
{
    ASSERT_TRUE(kFlowTypeLibraryFile);
    auto flowInterface = createComponent<ICapeHydroFlow>();
    auto routine = flowInterface.query<ICapeHydroFlowRoutine>();
    IDispatch* flow = flowInterface.get();
    const FlowCase c;
    const std::pair<const wchar_t*, double> geometry[] = {
        {L"diameter", c.diameter}, {L"inclination", c.inclination}, {L"roughness", c.roughness}};
    for (const auto& [name, value] : geometry)
        ASSERT_EQ(S_OK, call(flow, 7, {arg(Text(name)), Arg{value}}));
    ASSERT_EQ(S_OK, call(flow, 10, {Arg(c.labels), Arg(c.states), Arg(c.types)}));
    for (std::size_t p = 0; p < c.labels.size(); ++p)
        for (std::size_t i = 0; i < 5; ++i)
            ASSERT_EQ(S_OK, call(flow, i == 0 ? 11 : 12,
                                 {arg(Text(kInputs[i])), arg(Text(c.labels[p])), Arg{c.inputs[i][p]}}));
    EXPECT_EQ(kNoImpl, call(routine.get(), 0, {arg(Text(L"us")), arg(nullptr), arg(nullptr)}));
    ASSERT_EQ(S_OK, call(routine.get(), 0, {arg(Text(L"Us")), arg(nullptr), arg(nullptr)}));

    UniqueVariant values;
    ASSERT_EQ(S_OK, call(flow, 4, {arg(Text(L"pressureDropTotal")), arg(nullptr, values.put(), VT_VARIANT)}));
    const CSimpleHydro model = referenceModel(c, {0, 1});
    CDoubleArray total;
    variantToArray(values.get(), total);
    EXPECT_EQ(model.GetDpdzTotal(), total.size() == 1 ? total[0] : 0.0);
    UniqueBstr regime, qualifier;
    ASSERT_EQ(S_OK,
              call(flow, 3, {arg(nullptr, regime.put(), VT_BSTR), arg(nullptr, qualifier.put(), VT_BSTR)}));
    EXPECT_EQ(L"Slug", take(regime.release()));
    EXPECT_EQ(nullptr, qualifier.get());
    // Everything else the vtable reads back equals the model too.
    expectResultsOf(model, flowInterface.get(), c);
}

} // namespace
} // namespace ondivar::testing
