// What happens when a component goes: the farewell box, once, when the last reference goes; and the
// balance of the COM initialisation its construction made, for each setting.
#include "ComponentTesting.h"

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

// The suite's COM initialisation setting, written for one test and put back afterwards.
class InitialisationSetting {
public:
    explicit InitialisationSetting(const wchar_t* mode)
    {
        wchar_t buffer[256] = {};
        DWORD size = sizeof(buffer);
        if (RegGetValueW(HKEY_CURRENT_USER, kKey, kValue, RRF_RT_REG_SZ, nullptr, buffer, &size) ==
            ERROR_SUCCESS)
            m_saved = std::wstring(buffer);
        apply(mode);
    }
    ~InitialisationSetting() { apply(m_saved ? m_saved->c_str() : nullptr); }

private:
    static constexpr const wchar_t* kKey = L"Software\\Velt\\Tarvo\\Divers";
    static constexpr const wchar_t* kValue = L"Initialisation";

    static void apply(const wchar_t* mode)
    {
        if (mode == nullptr) {
            RegDeleteKeyValueW(HKEY_CURRENT_USER, kKey, kValue);
            return;
        }
        RegSetKeyValueW(HKEY_CURRENT_USER, kKey, kValue, REG_SZ, mode,
                        static_cast<DWORD>((wcslen(mode) + 1) * sizeof(wchar_t)));
    }

    std::optional<std::wstring> m_saved;
};

struct Balance {
    HRESULT whileAlive = E_FAIL; // CoInitializeEx(apartment) while the component lives
    HRESULT afterwards = E_FAIL; // CoInitializeEx(apartment) once it is gone
    HRESULT afterOwn = E_FAIL;   // and once the test has undone its own initialisation too
    int farewells = 0;
};

// On a fresh thread, optionally initialised by the test first: creates a component, asks what
// CoInitializeEx answers while it lives and after it is gone (undoing each of those probes).
Balance probeOnFreshThread(std::optional<DWORD> threadModel)
{
    Balance balance;
    std::thread worker([&] {
        MessageBoxWatcher watcher;
        if (threadModel && FAILED(CoInitializeEx(nullptr, *threadModel)))
            return;
        {
            ComPtr<ICapeIdentification> component;
            if (FAILED(COndivar_Velt::createInstance(nullptr, IID_ICapeIdentification, component.putVoid())))
                return;
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
    InitialisationSetting setting(nullptr);
    const Balance b = probeOnFreshThread(std::nullopt);
    EXPECT_EQ(S_OK, b.whileAlive); // the component did not initialise the thread
    EXPECT_EQ(S_OK, b.afterwards);
    EXPECT_EQ(1, b.farewells);
}

TEST(ComInitialisationBalance, ApartmentModeIsUndoneWhenTheComponentGoes)
{
    InitialisationSetting setting(L"apartment");
    const Balance b = probeOnFreshThread(std::nullopt);
    EXPECT_EQ(S_FALSE, b.whileAlive);
    EXPECT_EQ(S_OK, b.afterwards);
}

TEST(ComInitialisationBalance, MultithreadModesAreUndoneWhenTheComponentGoes)
{
    for (const wchar_t* mode : {L"MultiThread", L"speedOverMemory"}) {
        InitialisationSetting setting(mode);
        const Balance b = probeOnFreshThread(std::nullopt);
        EXPECT_EQ(RPC_E_CHANGED_MODE, b.whileAlive) << mode;
        EXPECT_EQ(S_OK, b.afterwards) << mode;
    }
}

TEST(ComInitialisationBalance, AlreadyInitialisedThreadKeepsItsOwnInitialisation)
{
    // The multithreaded call fails on an apartment thread; the apartment call then adds one count,
    // which the component's destruction removes again, and no more.
    InitialisationSetting setting(L"multithread");
    const Balance b = probeOnFreshThread(COINIT_APARTMENTTHREADED);
    EXPECT_EQ(S_FALSE, b.whileAlive);
    EXPECT_EQ(S_FALSE, b.afterwards); // the test's own initialisation is still there
    EXPECT_EQ(S_OK, b.afterOwn);      // and nothing else is
}

} // namespace
} // namespace ondivar::testing
