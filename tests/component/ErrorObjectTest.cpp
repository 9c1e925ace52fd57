// The error object: every getter with and without a record, the component's own failures of each
// class, errors made elsewhere, and the boundary that records what an operation throws.
#include "ComponentTesting.h"

#include "com/ComBoundary.h"

#include <cstdio>
#include <stdexcept>
#include <string>

using TarvoException::CMyException;

namespace ondivar::testing {
namespace {

const wchar_t kBadInvOrderWarning[] = L"WARNING: Cannot access ECapeBadInvOrder error interface from a third "
                                      L"CAPE_OPEN component: attributes are undefined.\n";

// Outputs the getters must leave alone when they have nothing to say.
ErrorReadout sentinels()
{
    ErrorReadout preset;
    preset.code = 12345;
    preset.position = 77;
    preset.lowerBound = -1.5;
    preset.upperBound = -2.5;
    preset.value = -3.5;
    preset.parameter = reinterpret_cast<IDispatch*>(static_cast<uintptr_t>(0x1234));
    return preset;
}

// A failure made by the support library, with every field the error interfaces show filled in:
// library code 0x80040008 gives an out-of-bounds error (a position and boundaries).
CMyException richFailure()
{
    CMyException error(static_cast<HRESULT>(0x80040008L), L"Previous error", L"Value %d out of range.\n", 7);
    error.setScope(L"previous scope");
    error.setMoreInfo(L"previous more info");
    error.setPosition(4);
    error.setBoundaries(1.0, 2.0, 3.0, L"kelvin");
    return error;
}

using ErrorObjectTest = ComponentTest;

TEST_F(ErrorObjectTest, NewInstanceAnswersEmptyTextsAndLeavesOtherOutputs)
{
    auto component = createComponent();
    const ErrorReadout r = readErrors(component.get(), sentinels());
    for (const std::wstring* text : {&r.name, &r.description, &r.scope, &r.interfaceName, &r.operation,
                                     &r.moreInfo, &r.type, &r.requestedOperation, &r.parameterName})
        EXPECT_EQ(L"", *text); // allocated and empty, not null
    EXPECT_EQ(12345, r.code);
    EXPECT_EQ(77, r.position);
    EXPECT_EQ(-1.5, r.lowerBound);
    EXPECT_EQ(-2.5, r.upperBound);
    EXPECT_EQ(-3.5, r.value);
    EXPECT_EQ(sentinels().parameter, r.parameter);
}

TEST_F(ErrorObjectTest, GettersRefuseNullOutputs)
{
    auto user = createComponent<ECapeUser>();
    EXPECT_EQ(E_POINTER, user->get_code(nullptr));
    EXPECT_EQ(E_POINTER, user->get_description(nullptr));
    EXPECT_EQ(E_POINTER, errorPart(user).get_LowerBound(nullptr));
    EXPECT_EQ(E_POINTER, errorPart(user).get_parameter(nullptr));
}

TEST_F(ErrorObjectTest, PhaseInfoOutOfRangeDescribesOnlyItself)
{
    auto phases = createComponent<ICapeHydroPhases>();
    BSTR state = nullptr;
    BSTR type = nullptr;
    ASSERT_EQ(static_cast<HRESULT>(0x80040507L), phases->GetPhaseInfo(0, &state, &type));
    const ErrorReadout r = readErrors(phases.get(), sentinels());
    EXPECT_EQ(L"", r.name);
    EXPECT_EQ(L"", r.description);
    EXPECT_EQ(L"", r.scope);
    EXPECT_EQ(L"", r.moreInfo);
    EXPECT_EQ(0x80040507L, static_cast<unsigned long>(r.code));
    EXPECT_EQ(L"ICapeHydroPhases", r.interfaceName);
    EXPECT_EQ(L"GetPhaseInfo", r.operation);
    EXPECT_EQ(-1, r.position);
    EXPECT_EQ(0.0, r.lowerBound);
    EXPECT_EQ(0.0, r.upperBound);
    EXPECT_EQ(0.0, r.value);
    EXPECT_EQ(L"", r.type);
    EXPECT_EQ(nullptr, r.parameter);
}

struct OwnFailureCase {
    unsigned long hr;
    bool hasBoundaries;
    const wchar_t* description;
};

class OwnFailureTest : public ComponentTest, public ::testing::WithParamInterface<OwnFailureCase> {};

// Each class the component records about itself, after a previous error whose every field was set:
// nothing of the previous error shows.
TEST_P(OwnFailureTest, CarriesOnlyItsOwnCodeAndNames)
{
    const OwnFailureCase& c = GetParam();
    auto user = createComponent<ECapeUser>();
    CCapeError& errors = errorPart(user);
    errors.recordError(richFailure(), L"ICapeHydroFlow", L"SetGeometryProp");
    for (int round = 0; round < 2; ++round) {
        ASSERT_EQ(static_cast<HRESULT>(c.hr),
                  errors.recordOwnFailure(static_cast<HRESULT>(c.hr), L"ICapeHydroFlow", L"GetMixtureProp"));
        const ErrorReadout r = readErrors(user.get(), sentinels());
        EXPECT_EQ(L"", r.name);
        EXPECT_EQ(c.description, r.description);
        EXPECT_EQ(L"", r.scope);
        EXPECT_EQ(L"", r.moreInfo);
        EXPECT_EQ(c.hr, static_cast<unsigned long>(r.code));
        EXPECT_EQ(L"ICapeHydroFlow", r.interfaceName);
        EXPECT_EQ(L"GetMixtureProp", r.operation);
        EXPECT_EQ(-1, r.position);
        EXPECT_EQ(L"", r.type);
        EXPECT_EQ(L"", r.requestedOperation);
        EXPECT_EQ(nullptr, r.parameter);
        if (c.hasBoundaries) {
            EXPECT_EQ(0.0, r.lowerBound);
            EXPECT_EQ(0.0, r.upperBound);
            EXPECT_EQ(0.0, r.value);
        } else {
            EXPECT_EQ(-1.5, r.lowerBound);
            EXPECT_EQ(-2.5, r.upperBound);
            EXPECT_EQ(-3.5, r.value);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(EachOwnClass, OwnFailureTest,
                         ::testing::Values(OwnFailureCase{0x80040501UL, false, L""},
                                           OwnFailureCase{0x80040506UL, false, L""},
                                           OwnFailureCase{0x80040507UL, true, L""},
                                           OwnFailureCase{0x80040509UL, false, L""},
                                           OwnFailureCase{0x80040511UL, false, kBadInvOrderWarning}),
                         [](const ::testing::TestParamInfo<OwnFailureCase>& info) {
                             char name[16];
                             std::snprintf(name, sizeof(name), "hr%08lX", info.param.hr);
                             return std::string(name);
                         });

TEST_F(ErrorObjectTest, SecondFailureReplacesTheFirst)
{
    auto phases = createComponent<ICapeHydroPhases>();
    ComPtr<ECapeUser> user = phases.query<ECapeUser>();
    errorPart(user).recordOwnFailure(static_cast<HRESULT>(0x80040509L), L"ICapeHydroFlowRoutine",
                                     L"CalcFlow");
    ErrorReadout r = readErrors(phases.get());
    EXPECT_EQ(L"ICapeHydroFlowRoutine", r.interfaceName);
    EXPECT_EQ(L"CalcFlow", r.operation);
    EXPECT_EQ(0x80040509L, static_cast<unsigned long>(r.code));

    BSTR state = nullptr;
    BSTR type = nullptr;
    ASSERT_EQ(static_cast<HRESULT>(0x80040507L), phases->GetPhaseInfo(-1, &state, &type));
    r = readErrors(phases.get());
    EXPECT_EQ(L"ICapeHydroPhases", r.interfaceName);
    EXPECT_EQ(L"GetPhaseInfo", r.operation);
    EXPECT_EQ(0x80040507L, static_cast<unsigned long>(r.code));
    EXPECT_EQ(L"", r.description);
}

TEST_F(ErrorObjectTest, SuccessfulCallsKeepTheRecordedFailure)
{
    auto phases = createComponent<ICapeHydroPhases>();
    BSTR state = nullptr;
    BSTR type = nullptr;
    ASSERT_EQ(static_cast<HRESULT>(0x80040507L), phases->GetPhaseInfo(4, &state, &type));
    ASSERT_EQ(S_OK, phases->GetPhaseInfo(2, &state, &type));
    take(state);
    take(type);
    LONG count = 0;
    ASSERT_EQ(S_OK, phases->GetNumPhases(&count));
    ComPtr<ICapeIdentification> identification = phases.query<ICapeIdentification>();
    UniqueBstr name(SysAllocString(L"renamed"));
    ASSERT_EQ(S_OK, identification->put_ComponentName(name.get()));
    const ErrorReadout r = readErrors(phases.get());
    EXPECT_EQ(L"GetPhaseInfo", r.operation);
    EXPECT_EQ(0x80040507L, static_cast<unsigned long>(r.code));
}

TEST_F(ErrorObjectTest, ErrorMadeElsewhereKeepsItsFields)
{
    auto user = createComponent<ECapeUser>();
    const CMyException conversion(E_INVALIDARG, L"Array error", L"Try to convert a %d-dimensional array.\n",
                                  2);
    EXPECT_EQ(static_cast<HRESULT>(0x80040502L),
              errorPart(user).recordError(conversion, L"ICapeHydroFlow", L"SetGeometryProp"));
    ErrorReadout r = readErrors(user.get(), sentinels());
    EXPECT_EQ(L"Array error", r.name);
    EXPECT_EQ(E_INVALIDARG, r.code);
    EXPECT_EQ(L"Bad argument.\nTry to convert a 2-dimensional array.\n", r.description);
    EXPECT_EQ(L"ICapeHydroFlow", r.interfaceName);
    EXPECT_EQ(L"SetGeometryProp", r.operation);
    EXPECT_EQ(-1, r.position);     // a data error has no position
    EXPECT_EQ(-1.5, r.lowerBound); // nor boundaries
    // The recorded copy shares the caller's record.
    std::wstring operation;
    conversion.getOperation(operation);
    EXPECT_EQ(L"SetGeometryProp", operation);

    errorPart(user).recordError(richFailure(), L"ICapeHydroFlow", L"GetMixtureProp");
    r = readErrors(user.get(), sentinels());
    EXPECT_EQ(L"Previous error", r.name);
    EXPECT_EQ(L"Value 7 out of range.\n", r.description);
    EXPECT_EQ(L"previous scope", r.scope);
    EXPECT_EQ(L"previous more info", r.moreInfo);
    EXPECT_EQ(4, r.position);
    EXPECT_EQ(1.0, r.lowerBound);
    EXPECT_EQ(2.0, r.upperBound);
    EXPECT_EQ(3.0, r.value);
    EXPECT_EQ(L"kelvin", r.type);
}

TEST_F(ErrorObjectTest, BadParameterRecordAnswersItsParameter)
{
    auto user = createComponent<ECapeUser>();
    auto parameter = createComponent<IDispatch>();
    CMyException error(static_cast<HRESULT>(0x80040504L), ComPtr<IDispatch>(user.get()));
    error.setParameterName(L"alpha");
    error.setParameter(parameter.get());
    errorPart(user).recordError(error, L"ICapeHydroFlow", L"CopyFromHPM");
    const ErrorReadout r = readErrors(user.get());
    EXPECT_EQ(L"alpha", r.parameterName);
    EXPECT_EQ(parameter.get(), r.parameter);
    ComPtr<IDispatch>::attach(r.parameter); // the getter's reference
}

TEST_F(ErrorObjectTest, BoundaryRecordsWhatTheOperationThrows)
{
    auto user = createComponent<ECapeUser>();
    CCapeError& errors = errorPart(user);
    auto run = [&](auto body) { return comCall(errors, L"ICapeHydroFlow", L"CalcFlow", body); };

    EXPECT_EQ(static_cast<HRESULT>(0x80040505L), run([](ComCall&) -> HRESULT {
                  TarvoException::checkCondition(false, static_cast<HRESULT>(0x80040009L),
                                                 L"Configuration error", L"Unknown phase combination.\n");
                  return S_OK;
              }));
    ErrorReadout r = readErrors(user.get());
    EXPECT_EQ(L"Configuration error", r.name);
    EXPECT_EQ(L"Unknown phase combination.\n", r.description);
    EXPECT_EQ(L"CalcFlow", r.operation);

    EXPECT_EQ(static_cast<HRESULT>(0x8004050DL), run([](ComCall&) -> HRESULT { throw std::bad_alloc(); }));
    r = readErrors(user.get());
    EXPECT_EQ(E_OUTOFMEMORY, r.code);
    EXPECT_EQ(L"ICapeHydroFlow", r.interfaceName);

    EXPECT_EQ(static_cast<HRESULT>(0x80040501L),
              run([](ComCall&) -> HRESULT { throw std::runtime_error("broken invariant"); }));
    r = readErrors(user.get());
    EXPECT_NE(std::wstring::npos, r.description.find(L"broken invariant"));

    EXPECT_EQ(static_cast<HRESULT>(0x80040509L),
              run([](ComCall& call) { return call.fail(static_cast<HRESULT>(0x80040509L)); }));
    r = readErrors(user.get());
    EXPECT_EQ(0x80040509L, static_cast<unsigned long>(r.code));
    EXPECT_EQ(L"", r.description);

    EXPECT_EQ(S_OK, run([](ComCall&) { return S_OK; }));
    EXPECT_EQ(0x80040509L, static_cast<unsigned long>(readErrors(user.get()).code));
}

TEST_F(ErrorObjectTest, SupportsErrorInfoForDispatchOnly)
{
    auto support = createComponent<ISupportErrorInfo>();
    EXPECT_EQ(S_OK, support->InterfaceSupportsErrorInfo(IID_IDispatch));
    EXPECT_EQ(S_FALSE, support->InterfaceSupportsErrorInfo(IID_ICapeHydroFlow));
    EXPECT_EQ(S_FALSE, support->InterfaceSupportsErrorInfo(IID_ECapeUser));
    EXPECT_EQ(S_FALSE, support->InterfaceSupportsErrorInfo(IID_IUnknown));
}

} // namespace
} // namespace ondivar::testing
