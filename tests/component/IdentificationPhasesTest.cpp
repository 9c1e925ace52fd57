// ICapeIdentification and ICapeHydroPhases through their vtables.
#include "ComponentTesting.h"

namespace ondivar::testing {
namespace {

using IdentificationPhasesTest = ComponentTest;

TEST_F(IdentificationPhasesTest, NamesItselfAndTakesNewNames)
{
    auto identification = createComponent();
    BSTR text = nullptr;
    ASSERT_EQ(S_OK, identification->get_ComponentName(&text));
    EXPECT_EQ(L"Ondivar", take(text));
    ASSERT_EQ(S_OK, identification->get_ComponentDescription(&text));
    EXPECT_EQ(L"Server for HPM Simple Hydro calculations", take(text));

    UniqueBstr name(SysAllocString(L"Riser"));
    ASSERT_EQ(S_OK, identification->put_ComponentName(name.get()));
    ASSERT_EQ(S_OK, identification->get_ComponentName(&text));
    EXPECT_EQ(L"Riser", take(text));

    // A null BSTR sets the empty text, which comes back as a null BSTR.
    ASSERT_EQ(S_OK, identification->put_ComponentName(nullptr));
    ASSERT_EQ(S_OK, identification->get_ComponentName(&text));
    EXPECT_EQ(L"(null)", take(text));
    ASSERT_EQ(S_OK, identification->put_ComponentDescription(nullptr));
    ASSERT_EQ(S_OK, identification->get_ComponentDescription(&text));
    EXPECT_EQ(L"(null)", take(text));
    EXPECT_EQ(E_POINTER, identification->get_ComponentName(nullptr));
}

TEST_F(IdentificationPhasesTest, DescribesThreePhaseKinds)
{
    auto phases = createComponent<ICapeHydroPhases>();
    LONG count = 0;
    ASSERT_EQ(S_OK, phases->GetNumPhases(&count));
    EXPECT_EQ(3, count);

    const wchar_t* const expected[][2] = {
        {L"Vapor", L"(null)"}, {L"Liquid", L"Organic"}, {L"Liquid", L"Aqueous"}};
    for (LONG number = 1; number <= 3; ++number) {
        BSTR state = nullptr;
        BSTR type = nullptr;
        ASSERT_EQ(S_OK, phases->GetPhaseInfo(number, &state, &type));
        EXPECT_EQ(expected[number - 1][0], take(state)) << number;
        EXPECT_EQ(expected[number - 1][1], take(type)) << number;
    }
}

TEST_F(IdentificationPhasesTest, PhaseNumberOutsideOneToThreeFails)
{
    auto phases = createComponent<ICapeHydroPhases>();
    for (LONG number : {0L, 4L, -1L, 0x7FFFFFFFL, static_cast<LONG>(0x80000000UL)}) {
        BSTR state = SysAllocString(L"stale");
        BSTR type = SysAllocString(L"stale");
        UniqueBstr keepState(state), keepType(type); // the caller's own strings, not freed by the call
        EXPECT_EQ(static_cast<HRESULT>(0x80040507L), phases->GetPhaseInfo(number, &state, &type)) << number;
        EXPECT_EQ(nullptr, state);
        EXPECT_EQ(nullptr, type);
    }
    BSTR state = nullptr;
    EXPECT_EQ(E_POINTER, phases->GetPhaseInfo(1, &state, nullptr));
    LONG count = 0;
    ASSERT_EQ(S_OK, phases->GetNumPhases(&count));
    EXPECT_EQ(3, count);
}

} // namespace
} // namespace ondivar::testing
