// What happens when a component goes: the farewell box, once, when the last reference goes; and the
// balance of the COM initialisation its construction made, for each setting.
#include "ComponentTesting.h"
#include "tests/common/PrivateRegistry.h"

#include <optional>
#include <thread>

namespace ondivar::testing {
namespace {

using LifetimeTest = ComponentTest;

void expectFarewell(const ObservedMessageBox& box)
{
    EXPECT_EQ(L"Bye Bye", box.caption);
    EXPECT_EQ(L"Hope to see you soon", box.text);
    EXPECT_FALSE(box.hasOwner);
    EXPECT_EQ(std::vector<int>{IDOK}, box.buttons);
    EXPECT_TRUE(box.informationIcon);
}

TEST_F(LifetimeTest, FarewellBoxOnceWhenTheLastReferenceGoes)
{
    auto identification = createComponent();
    auto phases = identification.query<ICapeHydroPhases>();
    auto user = identification.query<ECapeUser>();
    ComPtr<IUnknown> extra = identification.query<IUnknown>();
    identification.reset();
    phases.reset();
    extra.reset();
    EXPECT_TRUE(m_watcher.seen().empty());
    user.reset();
    ASSERT_EQ(1u, m_watcher.seen().size());
    expectFarewell(m_watcher.seen()[0]);
}

TEST_F(LifetimeTest, OneBoxPerDestroyedInstance)
{
    {
        auto first = createComponent();
        auto second = createComponent<ECapeRoot>();
        auto third = createComponent<IPersistStream>();
        EXPECT_TRUE(m_watcher.seen().empty()); // never at creation
    }
    ASSERT_EQ(3u, m_watcher.seen().size());
    for (const ObservedMessageBox& box : m_watcher.seen())
        expectFarewell(box);
}

struct Balance {
    HRESULT whileAlive = E_FAIL; // CoInitializeEx(apartment) while the component lives
    HRESULT afterwards = E_FAIL; // CoInitializeEx(apartment) once it is gone
    HRESULT afterOwn = E_FAIL;   // and once the test has undone its own initialisation too
    int farewells = 0;
};

// On a fresh thread, optionally initialised by the test first: creates a component under the given
// "Initialisation" setting (none: no value), and asks what CoInitializeEx answers while it lives and
// after it is gone (undoing each of those probes). The setting is written to a private hive that stands
// in for the current user's while the component is constructed, so no other test program sees it.
Balance probeOnFreshThread(const wchar_t* mode, std::optional<DWORD> threadModel = std::nullopt)
{
    PrivateHive settings(L"component-initialisation");
    if (mode != nullptr &&
        settings.writeText(L"Software\\Velt\\Tarvo\\Divers", L"Initialisation", mode) != ERROR_SUCCESS)
        return Balance();
    Balance balance;
    std::thread worker([&] {
        MessageBoxWatcher watcher;
        if (threadModel && FAILED(CoInitializeEx(nullptr, *threadModel)))
            return;
        {
            ComPtr<ICapeIdentification> component;
            {
                PredefinedKeyOverride currentUser(HKEY_CURRENT_USER, settings.key());
                if (!currentUser.active() || FAILED(COndivar_Velt::createInstance(
                                                 nullptr, IID_ICapeIdentification, component.putVoid())))
                    return;
            }
            balance.whileAlive = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
            if (SUCCEEDED(balance.whileAlive))
                CoUninitialize();
        }
        balance.afterwards = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        if (SUCCEEDED(balance.afterwards))
            CoUninitialize();
        if (threadModel)
            CoUninitialize();
        balance.afterOwn = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        if (SUCCEEDED(balance.afterOwn))
            CoUninitialize();
        balance.farewells = static_cast<int>(watcher.seen().size());
    });
    worker.join();
    return balance;
}

TEST(ComInitialisationBalance, WithoutSettingComIsLeftAlone)
{
    const Balance b = probeOnFreshThread(nullptr);
    EXPECT_EQ(S_OK, b.whileAlive); // the component did not initialise the thread
    EXPECT_EQ(S_OK, b.afterwards);
    EXPECT_EQ(1, b.farewells);
}

TEST(ComInitialisationBalance, ApartmentModeIsUndoneWhenTheComponentGoes)
{
    const Balance b = probeOnFreshThread(L"apartment");
    EXPECT_EQ(S_FALSE, b.whileAlive);
    EXPECT_EQ(S_OK, b.afterwards);
}

TEST(ComInitialisationBalance, MultithreadModesAreUndoneWhenTheComponentGoes)
{
    for (const wchar_t* mode : {L"MultiThread", L"speedOverMemory"}) {
        const Balance b = probeOnFreshThread(mode);
        EXPECT_EQ(RPC_E_CHANGED_MODE, b.whileAlive) << mode;
        EXPECT_EQ(S_OK, b.afterwards) << mode;
    }
}

TEST(ComInitialisationBalance, AlreadyInitialisedThreadKeepsItsOwnInitialisation)
{
    // The multithreaded call fails on an apartment thread; the apartment call then adds one count,
    // which the component's destruction removes again, and no more.
    const Balance b = probeOnFreshThread(L"multithread", COINIT_APARTMENTTHREADED);
    EXPECT_EQ(S_FALSE, b.whileAlive);
    EXPECT_EQ(S_FALSE, b.afterwards); // the test's own initialisation is still there
    EXPECT_EQ(S_OK, b.afterOwn);      // and nothing else is
}

} // namespace
} // namespace ondivar::testing
