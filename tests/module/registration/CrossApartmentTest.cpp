// The registered component used from other apartments, through the marshalling code the DLL registers
// for its interfaces, as a simulator with worker threads uses it: each instance goes (with its farewell)
// when its last reference goes, memory stays flat over many such lives, and the DLL can be unloaded
// afterwards.
#include "tests/common/MemoryProbe.h"
#include "tests/common/MessageBoxWatcher.h"
#include "tests/module/registration/RegisteredComponent.h"
#include "tools/flow-client/CaseSettings.h"
#include "tools/flow-client/FlowComponent.h"

#include "OndivarLib.h"
#include "component/OwnFailure.h"
#include "support/ComHandles.h"
#include "tools/common/ComApartment.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <thread>

namespace {

using ondivar::ComPtr;
using ondivar::UniqueBstr;
using ondivar::UniqueVariant;
using ondivar::testing::canUnloadNow;
using ondivar::testing::RegisteredComponent;
using ondivar::testing::MessageBoxWatcher;

using ondivar::kCapeNoImpl;
using ondivar::kCapeOutOfBounds;

// Runs work on a new thread in an apartment of the given model and waits for the thread to end, this
// (single-threaded) apartment serving the calls that reach it meanwhile.
void runInApartment(DWORD model, const std::function<void()>& work)
{
    HANDLE done = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    ASSERT_NE(nullptr, done);
    std::thread thread([&] {
        {
            const ondivar::ComApartment apartment(model);
            EXPECT_EQ(S_OK, apartment.hr());
            if (SUCCEEDED(apartment.hr()))
                work();
        }
        SetEvent(done);
    });
    DWORD index = 0;
    EXPECT_EQ(S_OK, CoWaitForMultipleHandles(0, INFINITE, 1, &done, &index));
    thread.join();
    CloseHandle(done);
}

// One call on each of the component's marshalled interfaces, with the HRESULT it answers.
struct OneCall {
    const IID* iid;
    const char* interfaceName;
    HRESULT expected;
    HRESULT (*call)(void* proxy);
};

const OneCall oneCalls[] = {
    {&IID_ICapeHydroPhases, "ICapeHydroPhases", S_OK,
     [](void* p) {
         long count = 0;
         return static_cast<ICapeHydroPhases*>(p)->GetNumPhases(&count);
     }},
    {&IID_ICapeHydroFlowRoutine, "ICapeHydroFlowRoutine", S_OK,
     [](void* p) {
         const UniqueBstr us(SysAllocString(L"Us"));
         VARIANT_BOOL supported = VARIANT_FALSE;
         return static_cast<ICapeHydroFlowRoutine*>(p)->CheckCalcFlowSpec(us.get(), nullptr, nullptr,
                                                                          &supported);
     }},
    {&IID_ICapeHydroPropertyRoutine, "ICapeHydroPropertyRoutine", S_OK,
     [](void* p) {
         UniqueVariant names;
         return static_cast<ICapeHydroPropertyRoutine*>(p)->GetGeometryPropList(nullptr, nullptr,
                                                                                names.put());
     }},
    {&IID_ICapeHydroFields, "ICapeHydroFields", kCapeNoImpl,
     [](void* p) {
         UniqueVariant layers;
         return static_cast<ICapeHydroFields*>(p)->GetPresentLayers(layers.put());
     }},
    {&IID_ICapeHydroFlow, "ICapeHydroFlow", S_OK,
     [](void* p) { return static_cast<ICapeHydroFlow*>(p)->ClearAllProps(); }},
};

using CrossApartment = RegisteredComponent;

// Made here and handed to a thread of either apartment model, which calls it once, lets it go and leaves
// COM: the release here is then the last one.
TEST_F(CrossApartment, EachInterfaceCalledOnceFromAnotherApartmentLeavesTheLastReferenceHere)
{
    for (const OneCall& one : oneCalls) {
        for (const DWORD model : {COINIT_APARTMENTTHREADED, COINIT_MULTITHREADED}) {
            SCOPED_TRACE(::testing::Message()
                         << one.interfaceName << (model == COINIT_MULTITHREADED ? " to MTA" : " to STA"));
            ComPtr<IUnknown> component;
            ASSERT_EQ(S_OK, CoCreateInstance(CLSID_Ondivar_Velt, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown,
                                             component.putVoid()));
            IStream* stream = nullptr;
            ASSERT_EQ(S_OK, CoMarshalInterThreadInterfaceInStream(*one.iid, component.get(), &stream));
            HRESULT answered = E_FAIL;
            runInApartment(model, [&] {
                ComPtr<IUnknown> proxy;
                ASSERT_EQ(S_OK, CoGetInterfaceAndReleaseStream(stream, *one.iid, proxy.putVoid()));
                answered = one.call(proxy.get());
            });
            EXPECT_EQ(one.expected, answered);
            m_watcher.clear();
            component.reset();
            EXPECT_EQ(1u, m_watcher.seen().size()) << "farewells when the last reference went";
            EXPECT_EQ(S_OK, canUnloadNow());
        }
    }
}

// A simulator in the multithreaded apartment: CoCreateInstance gives it a proxy to a component that COM
// puts into an apartment of its own making. These tests run in a child process of their own: Wine's
// hosting of such objects keeps a reference to the class object for ever (combase's
// apartment_hostobject does not release the one it got once it has marshalled it), so the DLL stays
// locked in that process, and the unload checks of the other tests would fail after them.
constexpr const wchar_t* kChildVariable = L"ONDIVAR_MULTITHREADED_CLIENT";

class MultithreadedClient : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (GetEnvironmentVariableW(kChildVariable, nullptr, 0) == 0)
            GTEST_SKIP()
                << "runs in the child process that CrossApartment.ClientsInTheMultithreadedApartment starts";
        m_apartment.emplace(COINIT_MULTITHREADED);
        ASSERT_EQ(S_OK, m_apartment->hr());
    }

    std::optional<ondivar::ComApartment> m_apartment;
};

// The thread of the apartment that COM made for the component: the one apartment window of this process
// (the multithreaded apartment has none).
DWORD hostApartmentThread()
{
    for (HWND window = FindWindowExW(HWND_MESSAGE, nullptr, L"OleMainThreadWndClass", nullptr);
         window != nullptr; window = FindWindowExW(HWND_MESSAGE, window, L"OleMainThreadWndClass", nullptr)) {
        DWORD process = 0;
        const DWORD thread = GetWindowThreadProcessId(window, &process);
        if (process == GetCurrentProcessId())
            return thread;
    }
    return 0;
}

TEST_F(CrossApartment, ClientsInTheMultithreadedApartment)
{
    wchar_t program[MAX_PATH] = {};
    ASSERT_NE(0u, GetModuleFileNameW(nullptr, program, MAX_PATH));
    ASSERT_TRUE(SetEnvironmentVariableW(kChildVariable, L"1"));
    const ondivar::testing::ChildRun run = ondivar::testing::runChild(
        L"\"" + std::wstring(program) + L"\" --gtest_brief=1 --gtest_filter=MultithreadedClient.*",
        ondivar::testing::kChildTimeout);
    SetEnvironmentVariableW(kChildVariable, nullptr);
    EXPECT_TRUE(ondivar::testing::succeeded(run));
    EXPECT_EQ(std::string::npos, run.output.find("SKIPPED")) << run.output;
}

// The component computes a flow through the proxies and goes, with its farewell, when the client lets go.
TEST_F(MultithreadedClient, CreatedComponentGoesAfterACalculation)
{
    try {
        ondivar::flow::FlowComponent component(L"Ondivar.Ondivar_Velt", "Us");
        MessageBoxWatcher farewells(hostApartmentThread());
        ASSERT_TRUE(farewells.installed()) << "no apartment hosts the component";

        const std::vector<ondivar::flow::PhaseDeclaration> phases = ondivar::flow::builtInPhases();
        component.declarePhases(phases);
        ondivar::flow::FlowInputs inputs;
        inputs.pipe = ondivar::flow::builtInPipe();
        for (const ondivar::flow::PhaseDeclaration& phase : phases) {
            inputs.properties.push_back(ondivar::flow::typicalProperties(phase));
            inputs.properties.back().superficialVelocity = 1.0;
        }
        const ondivar::flow::FlowResult result = component.calculate(inputs);
        EXPECT_FALSE(result.regime.empty());
        EXPECT_EQ(phases.size(), result.phases.size());

        component.release();
        EXPECT_EQ(1u, farewells.countCaptioned(L"Bye Bye"));
    } catch (const ondivar::flow::CalculationFailure& failure) {
        ADD_FAILURE() << failure.report();
    }
}

// A thousand cycles of calls through the proxies, one call refused by the proxy (a null out pointer) and
// one by the component: memory stays flat, and the component still goes when the client lets go. (One
// component for all cycles: each farewell box costs tens of milliseconds in a headless prefix.)
TEST_F(MultithreadedClient, ThousandCyclesOfCallsKeepMemoryFlat)
{
    constexpr int kWarmUp = 50;
    constexpr int kCycles = 1000;
    ComPtr<ICapeHydroFlow> flow;
    ASSERT_EQ(S_OK, CoCreateInstance(CLSID_Ondivar_Velt, nullptr, CLSCTX_INPROC_SERVER, IID_ICapeHydroFlow,
                                     flow.putVoid()));
    MessageBoxWatcher farewells(hostApartmentThread());
    ASSERT_TRUE(farewells.installed());
    int wrong = 0;
    auto cycle = [&] {
        wrong += flow->ClearAllProps() == S_OK ? 0 : 1;
        const ComPtr<ICapeHydroPhases> phases = flow.query<ICapeHydroPhases>();
        long count = 0;
        wrong += phases && phases->GetNumPhases(&count) == S_OK && count == 3 ? 0 : 1;
        wrong +=
            phases && phases->GetNumPhases(nullptr) == HRESULT_FROM_WIN32(RPC_X_NULL_REF_POINTER) ? 0 : 1;
        UniqueBstr state;
        UniqueBstr type;
        wrong += phases && phases->GetPhaseInfo(0, state.put(), type.put()) == kCapeOutOfBounds ? 0 : 1;
    };
    for (int i = 0; i < kWarmUp; ++i)
        cycle();
    const ondivar::testing::MemoryReading before = ondivar::testing::readMemory();
    for (int i = 0; i < kCycles; ++i)
        cycle();
    const ondivar::testing::MemoryReading growth = ondivar::testing::readMemory() - before;
    EXPECT_EQ(0, wrong);
    ondivar::testing::expectNoGrowth(growth);
    flow.reset();
    EXPECT_EQ(1u, farewells.countCaptioned(L"Bye Bye"));
}

} // namespace
