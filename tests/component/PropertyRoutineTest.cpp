// ICapeHydroPropertyRoutine: property lists under "Us" only; calculations that compute nothing.
#include "FlowTesting.h"

namespace ondivar::testing {
namespace {

using PropertyRoutineTest = ComponentTest;
using I = ICapeHydroPropertyRoutine;

TEST_F(PropertyRoutineTest, ListsForUsOnly)
{
    const std::pair<HRESULT (STDMETHODCALLTYPE I::*)(BSTR, BSTR, VARIANT*), const wchar_t*> lists[] = {
        {&I::CheckMixtureHydroPropList, L"CheckMixtureHydroPropList"},
        {&I::CheckSingleHydroPropList, L"CheckSingleHydroPropList"},
        {&I::CheckTwoHydroPropList, L"CheckTwoHydroPropList"},
        {&I::GetSingleHydroPropList, L"GetSingleHydroPropList"},
        {&I::GetSinglePhasePropList, L"GetSinglePhasePropList"},
        {&I::GetTwoPhasePropList, L"GetTwoPhasePropList"}};
    // What each list names under "Us", in order; the last two name nothing (VT_EMPTY).
    const std::vector<std::wstring> expected[] = {
        {L"pressureDropFrictional", L"pressureDropGravity", L"pressureDropTotal"},
        {L"absoluteVelocity", L"superficialVelocity", L"volumeFraction"},
        {},
        {L"superficialVelocity"},
        {L"density"},
        {}};
    auto routine = createComponent<I>();
    I* r = routine.get();
    UniqueVariant props;
    for (std::size_t i = 0; i < std::size(lists); ++i) {
        const auto& [operation, name] = lists[i];
        ASSERT_EQ(S_OK, (r->*operation)(Text(L"Us"), nullptr, props.put())) << name;
        CArray1D<std::wstring> listed;
        if (V_VT(props.get()) != VT_EMPTY)
            variantToArray(props.get(), listed);
        EXPECT_EQ(expected[i], std::vector<std::wstring>(listed.begin(), listed.end())) << name;
        for (const wchar_t* flowSpec : {L"us", L"", static_cast<const wchar_t*>(nullptr)}) {
            V_VT(props.put()) = VT_I4;
            EXPECT_EQ(kCapeInvalidArgument, (r->*operation)(Text(flowSpec), Text(L"Us"), props.get()));
            EXPECT_EQ(VT_I4, V_VT(props.get()));
            expectRecorded(r, L"ICapeHydroPropertyRoutine", name);
            const std::wstring description = readErrors(r).description;
            EXPECT_EQ(0u, description.find(L"The flow basis \"" + std::wstring(flowSpec ? flowSpec : L"") +
                                           L"\" is not supported"))
                << description;
        }
    }
    ASSERT_EQ(S_OK, r->GetGeometryPropList(nullptr, Text(L"x"), props.put()));
    CArray1D<std::wstring> names;
    variantToArray(props.get(), names);
    EXPECT_EQ((std::vector<std::wstring>{L"diameter", L"inclination", L"roughness"}),
              std::vector<std::wstring>(names.begin(), names.end()));

    EXPECT_EQ(S_OK, r->CalcSingleHydroProp(Arg{L"volumeFraction"}, Text(L"gas")));
    EXPECT_EQ(S_OK, r->CalcTwoHydroProp(Arg{1.0}, Arg{}));
    EXPECT_EQ(kCapeInvalidArgument, r->CalcSingleHydroProp(Arg{1.0}, nullptr));
    expectRecorded(r, L"ICapeHydroPropertyRoutine", L"CalcSingleHydroProp");
}

} // namespace
} // namespace ondivar::testing
