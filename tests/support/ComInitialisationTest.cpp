#include "support/ComInitialisation.h"

#include "CapeErrorExpectations.h"
#include "SuiteSettings.h"
#include "support/ComHandles.h"

#include <gtest/gtest.h>

#include <objbase.h>

#include <thread>

using ondivar::testing::captureError;
using ondivar::testing::expectError;

namespace {

const wchar_t diversKey[] = L"Software\\Velt\\Tarvo\\Divers";

// What a thread's COM state is, probed by asking for the multithreaded model: S_OK when COM was not
// initialised, S_FALSE when the thread is multithreaded, RPC_E_CHANGED_MODE when apartment-threaded. The
// probe's own initialisation is undone.
HRESULT probeApartment()
{
    const HRESULT hr = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    if (SUCCEEDED(hr))
        CoUninitialize();
    return hr;
}

// Outcome of initializeCOM on a fresh thread.
struct ThreadOutcome {
    bool owed = false;
    bool threw = false;
    HRESULT apartment = E_FAIL;            // probe after initializeCOM
    HRESULT afterOneUninitialise = E_FAIL; // probe after the owed CoUninitialize
};

// Runs initializeCOM on a new thread, after `before` (which may initialise COM itself and return how
// many CoUninitialize calls it owes), and undoes everything on that thread.
template <class Before> ThreadOutcome runOnFreshThread(Before before)
{
    ThreadOutcome outcome;
    std::thread worker([&] {
        const int ownInitialisations = before();
        try {
            outcome.owed = ondivar::initializeCOM();
        } catch (const TarvoException::CMyException&) {
            outcome.threw = true;
        }
        outcome.apartment = probeApartment();
        if (outcome.owed)
            CoUninitialize();
        outcome.afterOneUninitialise = probeApartment();
        for (int i = 0; i < ownInitialisations; ++i)
            CoUninitialize();
    });
    worker.join();
    return outcome;
}

ThreadOutcome runOnFreshThread()
{
    return runOnFreshThread([] { return 0; });
}

class ComInitialisationTest : public ::testing::Test {
protected:
    void setMode(const wchar_t* mode)
    {
        ASSERT_EQ(ERROR_SUCCESS, m_settings.writeText(diversKey, L"Initialisation", mode));
    }

    ondivar::testing::SuiteSettingsLock m_lock;
    ondivar::testing::SuiteSettings m_settings;
};

TEST_F(ComInitialisationTest, WithoutSettingComIsLeftAlone)
{
    const ThreadOutcome outcome = runOnFreshThread();
    EXPECT_FALSE(outcome.threw);
    EXPECT_FALSE(outcome.owed);
    EXPECT_EQ(S_OK, outcome.apartment);
}

TEST_F(ComInitialisationTest, MultithreadInAnyCaseGivesOneMultithreadedInitialisation)
{
    setMode(L"MultiThREAD");
    const ThreadOutcome outcome = runOnFreshThread();
    EXPECT_FALSE(outcome.threw);
    EXPECT_TRUE(outcome.owed);
    EXPECT_EQ(S_FALSE, outcome.apartment);
    // The one owed CoUninitialize balances it: the thread is back to no COM.
    EXPECT_EQ(S_OK, outcome.afterOneUninitialise);
}

TEST_F(ComInitialisationTest, SpeedOverMemoryOnFreshThreadIsMultithreaded)
{
    setMode(L"SpeedOverMemory");
    const ThreadOutcome outcome = runOnFreshThread();
    EXPECT_TRUE(outcome.owed);
    EXPECT_EQ(S_FALSE, outcome.apartment);
    EXPECT_EQ(S_OK, outcome.afterOneUninitialise);
}

TEST_F(ComInitialisationTest, OtherOrEmptyModeIsApartmentThreaded)
{
    for (const wchar_t* mode : {L"", L"apartment", L"multithreads"}) {
        setMode(mode);
        const ThreadOutcome outcome = runOnFreshThread();
        EXPECT_TRUE(outcome.owed) << ::testing::PrintToString(std::wstring(mode));
        EXPECT_EQ(RPC_E_CHANGED_MODE, outcome.apartment);
        EXPECT_EQ(S_OK, outcome.afterOneUninitialise);
    }
}

TEST_F(ComInitialisationTest, MultithreadedModeOnApartmentThreadFallsBackWithSFalse)
{
    for (const wchar_t* mode : {L"speedovermemory", L"multithread"}) {
        setMode(mode);
        const ThreadOutcome outcome = runOnFreshThread([] {
            EXPECT_EQ(S_OK, CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
            return 1;
        });
        EXPECT_FALSE(outcome.threw);
        // The fallback succeeded with S_FALSE, which is owed a CoUninitialize as well: after that one
        // the thread still holds its own apartment.
        EXPECT_TRUE(outcome.owed);
        EXPECT_EQ(RPC_E_CHANGED_MODE, outcome.apartment);
        EXPECT_EQ(RPC_E_CHANGED_MODE, outcome.afterOneUninitialise);
    }
}

TEST_F(ComInitialisationTest, ApartmentModeOnMultithreadedThreadFails)
{
    setMode(L"apartment");
    ondivar::testing::RaisedError error;
    std::thread worker([&] {
        ASSERT_EQ(S_OK, CoInitializeEx(nullptr, COINIT_MULTITHREADED));
        error = captureError([] { ondivar::initializeCOM(); });
        // Nothing was added to the thread's own initialisation.
        CoUninitialize();
        EXPECT_EQ(S_OK, probeApartment());
    });
    worker.join();
    expectError(error, 0x8004000A, L"Initialization error.", L"Fail to initialize the COM library.\n");
}

TEST(PrepareVariant, ChecksTheSourceTypeAndResetsTheDestination)
{
    ondivar::UniqueVariant source;
    V_VT(source.get()) = VT_R8;
    V_R8(source.get()) = 1.5;
    ondivar::UniqueVariant destination;

    expectError(captureError([&] { ondivar::prepareVariant(source.get(), destination.get(), VT_I4); }),
                0x8004000A, L"Invalid Type.", L"Fail to convert type. Please contact support.\n");
    EXPECT_EQ(VT_EMPTY, V_VT(destination.get()));

    // Empty destination: S_OK.
    V_VT(source.get()) = VT_BSTR;
    V_BSTR(source.get()) = SysAllocString(L"source text");
    EXPECT_EQ(S_OK, ondivar::prepareVariant(source.get(), destination.get(), VT_BSTR));
    EXPECT_EQ(VT_BSTR, V_VT(destination.get()));
    EXPECT_EQ(nullptr, V_BSTR(destination.get()));

    // A destination that holds a string: the string is released, not leaked, and the code tells it.
    V_BSTR(destination.get()) = SysAllocString(L"held before");
    EXPECT_EQ(static_cast<HRESULT>(0x00040014),
              ondivar::prepareVariant(source.get(), destination.get(), VT_BSTR));
    EXPECT_EQ(nullptr, V_BSTR(destination.get()));
    EXPECT_EQ(L"source text", std::wstring(V_BSTR(source.get())));

    EXPECT_EQ(E_POINTER, ondivar::prepareVariant(nullptr, destination.get(), VT_BSTR));
}

} // namespace
