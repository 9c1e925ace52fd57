// Registration through Ondivar.dll's own entry points, in private stand-ins for HKEY_CLASSES_ROOT and
// HKEY_CURRENT_USER: per-user or per-machine by DllInstall's command line, removal, the cleanup after a
// failed registration, the thread locale.
#include "tests/common/PrivateRegistry.h"
#include "tests/common/OndivarDll.h"
#include "tests/module/PrivateClassesRoot.h"
#include "tests/module/RegisteredKeys.h"

#include "support/RegistryKey.h"

#include <gtest/gtest.h>

#include <optional>

namespace {

using ondivar::UniqueRegKey;
using ondivar::testing::holdsNoRegistration;
using ondivar::testing::holdsRegistration;
using ondivar::testing::ondivarDll;

const wchar_t* const kClassKey = L"CLSID\\{3C5A71E2-6D04-4B8F-9E21-7A0D5C96B1F4}";

// The current user's classes below a private stand-in for HKEY_CURRENT_USER.
UniqueRegKey userClasses(HKEY user)
{
    return UniqueRegKey::create(user, L"Software\\Classes", KEY_ALL_ACCESS);
}

class DllInstallTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(ondivarDll().loaded()) << "cannot load " << ONDIVAR_DLL_PATH;
        m_userOverride.emplace(HKEY_CURRENT_USER, m_user.key());
        ASSERT_TRUE(m_userOverride->active());
    }

    ondivar::testing::PrivateHive m_user{L"module-install-user"};
    std::optional<ondivar::testing::PredefinedKeyOverride> m_userOverride;
};

TEST_F(DllInstallTest, UserRegistersUnderTheCurrentUsersClassesOnly)
{
    const auto& dll = ondivarDll();
    ASSERT_EQ(S_OK, dll.install(TRUE, L"USER"));
    const UniqueRegKey classes = userClasses(m_user.key());
    EXPECT_TRUE(holdsRegistration(classes.get(), dll.path));
    EXPECT_FALSE(UniqueRegKey::open(HKEY_CLASSES_ROOT, kClassKey, KEY_READ));
    EXPECT_FALSE(UniqueRegKey::open(HKEY_LOCAL_MACHINE,
                                    (std::wstring(L"Software\\Classes\\") + kClassKey).c_str(), KEY_READ));
    EXPECT_FALSE(UniqueRegKey::open(HKEY_CLASSES_ROOT, L"Ondivar.Ondivar_Velt", KEY_READ));

    EXPECT_EQ(S_OK, dll.install(FALSE, L"uSeR"));
    EXPECT_TRUE(holdsNoRegistration(classes.get()));
    // Only the script's NoRemove keys stay.
    EXPECT_TRUE(UniqueRegKey::open(classes.get(), L"CLSID", KEY_READ));
    EXPECT_TRUE(UniqueRegKey::open(classes.get(), L"AppID", KEY_READ));
}

TEST_F(DllInstallTest, AnyOtherCommandLineRegistersForTheMachine)
{
    ondivar::testing::PrivateClassesRoot machine(L"module-install-machine");
    ASSERT_EQ(S_OK, machine.hr());
    const auto& dll = ondivarDll();
    const UniqueRegKey classes = userClasses(m_user.key());
    for (const wchar_t* commandLine :
         {L"users", L"user ", L"use", L"", static_cast<const wchar_t*>(nullptr)}) {
        const std::string shown =
            commandLine ? "\"" + std::string(commandLine, commandLine + wcslen(commandLine)) + "\""
                        : std::string("null");
        const LCID french = MAKELCID(0x040C, SORT_DEFAULT);
        ASSERT_TRUE(SetThreadLocale(french));
        ASSERT_EQ(S_OK, dll.install(TRUE, commandLine)) << shown;
        EXPECT_EQ(french, GetThreadLocale()) << shown;
        EXPECT_TRUE(holdsRegistration(HKEY_CLASSES_ROOT, dll.path)) << shown;
        EXPECT_FALSE(UniqueRegKey::open(classes.get(), kClassKey, KEY_READ)) << shown;
        EXPECT_EQ(S_OK, dll.install(FALSE, commandLine)) << shown;
        EXPECT_TRUE(holdsNoRegistration(HKEY_CLASSES_ROOT)) << shown;
    }
    SetThreadLocale(LOCALE_USER_DEFAULT);

    // Registering twice changes nothing; removing what is not registered is no failure, whichever
    // entry point removes it.
    ASSERT_EQ(S_OK, dll.registerServer());
    ASSERT_EQ(S_OK, dll.registerServer());
    EXPECT_TRUE(holdsRegistration(HKEY_CLASSES_ROOT, dll.path));
    EXPECT_EQ(S_OK, dll.unregisterServer());
    EXPECT_TRUE(holdsNoRegistration(HKEY_CLASSES_ROOT));
    EXPECT_EQ(S_OK, dll.unregisterServer());
    EXPECT_EQ(S_OK, dll.install(FALSE, nullptr));
    EXPECT_TRUE(UniqueRegKey::open(HKEY_CLASSES_ROOT, L"CLSID", KEY_READ));
    EXPECT_TRUE(UniqueRegKey::open(HKEY_CLASSES_ROOT, L"AppID", KEY_READ));
}

// A registration that fails half-way returns the failure and is removed again.
TEST_F(DllInstallTest, FailedRegistrationIsRemovedAgain)
{
    ondivar::testing::PrivateClassesRoot machine(L"module-install-failure");
    ASSERT_EQ(S_OK, machine.hr());
    // No lasting key can be made below a volatile one: the class key cannot be written.
    UniqueRegKey volatileClasses;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExW(HKEY_CLASSES_ROOT, L"CLSID", 0, nullptr, REG_OPTION_VOLATILE,
                                             KEY_ALL_ACCESS, nullptr, volatileClasses.put(), nullptr));

    EXPECT_EQ(HRESULT_FROM_WIN32(ERROR_CHILD_MUST_BE_VOLATILE), ondivarDll().install(TRUE, nullptr));
    for (const wchar_t* key : {L"Ondivar.Ondivar_Velt", L"Ondivar.Ondivar_Velt.1", L"AppID\\Ondivar.DLL",
                               L"AppID\\{A2F96C13-7B58-4E0A-8D4C-51E3B09F7D26}",
                               L"TypeLib\\{8E41B0C7-52A9-4F3D-B6E8-0D19C7A2F563}"})
        EXPECT_FALSE(UniqueRegKey::open(HKEY_CLASSES_ROOT, key, KEY_READ))
            << "left: " << ::testing::PrintToString(key);
}

} // namespace
