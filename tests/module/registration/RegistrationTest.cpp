// Ondivar.dll registered in the test prefix as a host machine would have it: by regsvr32, then used by
// COM clients (this program, and a VBScript under cscript), then removed by regsvr32 /u. These tests
// write the prefix's real HKEY_CLASSES_ROOT: CTest runs this program alone.
#include "tests/module/RegisteredKeys.h"
#include "tests/module/RegistrySnapshot.h"
#include "tests/module/registration/RegisteredComponent.h"

#include "OndivarLib.h"
#include "support/ComHandles.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

namespace {

using ondivar::ComPtr;
using ondivar::UniqueBstr;
using ondivar::testing::canUnloadNow;
using ondivar::testing::ChildRun;
using ondivar::testing::dllPath;
using ondivar::testing::holdsNoRegistration;
using ondivar::testing::holdsRegistration;
using ondivar::testing::kChildTimeout;
using ondivar::testing::RegisteredComponent;
using ondivar::testing::RegistrySnapshot;
using ondivar::testing::regsvr32;
using ondivar::testing::runChild;
using ondivar::testing::succeeded;

// The registry keys of the CAPE-OPEN 1.1 library, which our registration must leave as they are: its
// type library key and the interface keys of ICapeIdentification and every ECape interface.
std::vector<RegistrySnapshot> capeOpenKeys()
{
    const wchar_t* const suffixes[] = {L"0990", L"0B10", L"0B11", L"0B12", L"0B13", L"0B14", L"0B15",
                                       L"0B17", L"0B18", L"0B19", L"0B1A", L"0B1B", L"0B1C", L"0B1D",
                                       L"0B1E", L"0B1F", L"0B20", L"0B21", L"0B22", L"0B23", L"0B24",
                                       L"0B25", L"0B26", L"0B27", L"0B28", L"0B29"};
    std::vector<RegistrySnapshot> keys;
    keys.emplace_back(HKEY_CLASSES_ROOT, L"TypeLib\\{4A5E2E81-C093-11D4-9F1B-0010A4D198C2}");
    keys.emplace_back(HKEY_CLASSES_ROOT, L"Interface\\{E29E42B3-E481-45C6-A737-78F4A7FC0391}");
    for (const wchar_t* suffix : suffixes)
        keys.emplace_back(HKEY_CLASSES_ROOT,
                          std::wstring(L"Interface\\{678C") + suffix + L"-7D66-11D2-A67D-00105A42887F}");
    return keys;
}

void expectUnchanged(const std::vector<RegistrySnapshot>& before)
{
    for (const RegistrySnapshot& key : before)
        EXPECT_EQ(key, RegistrySnapshot(HKEY_CLASSES_ROOT, key.path()));
}

// Everything the registration writes, read back.
std::vector<RegistrySnapshot> ourKeys()
{
    std::vector<RegistrySnapshot> keys;
    for (const std::wstring& path : ondivar::testing::removedKeys())
        keys.emplace_back(HKEY_CLASSES_ROOT, path);
    return keys;
}

TEST(SystemRegistration, Regsvr32RegistersOnceOrTwiceAndRemovesEverything)
{
    ASSERT_TRUE(holdsNoRegistration(HKEY_CLASSES_ROOT)) << "the prefix holds an earlier registration";
    const std::vector<RegistrySnapshot> capeOpen = capeOpenKeys();
    ASSERT_TRUE(capeOpen[0].exists() && capeOpen[1].exists())
        << "the CAPE-OPEN 1.1 library is not registered";

    ASSERT_TRUE(succeeded(regsvr32(L"/s")));
    EXPECT_TRUE(holdsRegistration(HKEY_CLASSES_ROOT, dllPath()));
    UniqueBstr registeredPath;
    EXPECT_EQ(S_OK, QueryPathOfRegTypeLib(LIBID_OndivarLib, 1, 0, 0x409, registeredPath.put()));
    EXPECT_STREQ(dllPath().c_str(), registeredPath.get());
    expectUnchanged(capeOpen);

    const std::vector<RegistrySnapshot> once = ourKeys();
    EXPECT_TRUE(succeeded(regsvr32(L"/s")));
    const std::vector<RegistrySnapshot> twice = ourKeys();
    for (std::size_t i = 0; i < once.size(); ++i)
        EXPECT_EQ(once[i], twice[i]);

    ASSERT_TRUE(succeeded(regsvr32(L"/s /u")));
    EXPECT_TRUE(holdsNoRegistration(HKEY_CLASSES_ROOT));
    EXPECT_TRUE(RegistrySnapshot(HKEY_CLASSES_ROOT, L"CLSID").exists());
    EXPECT_TRUE(RegistrySnapshot(HKEY_CLASSES_ROOT, L"AppID").exists());
    EXPECT_EQ(TYPE_E_LIBNOTREGISTERED,
              QueryPathOfRegTypeLib(LIBID_OndivarLib, 1, 0, 0x409, registeredPath.put()));
    expectUnchanged(capeOpen);
    EXPECT_TRUE(succeeded(regsvr32(L"/s /u"))) << "nothing left to remove is no failure";
}

TEST_F(RegisteredComponent, CreatedByProgramIdentifierAndUnloadableAfterwards)
{
    for (const wchar_t* programId : {L"Ondivar.Ondivar_Velt", L"Ondivar.Ondivar_Velt.1"}) {
        CLSID clsid{};
        ASSERT_EQ(S_OK, CLSIDFromProgID(programId, &clsid)) << ::testing::PrintToString(programId);
        EXPECT_TRUE(IsEqualCLSID(CLSID_Ondivar_Velt, clsid));
    }
    ComPtr<ICapeIdentification> component;
    ASSERT_EQ(S_OK, CoCreateInstance(CLSID_Ondivar_Velt, nullptr, CLSCTX_INPROC_SERVER,
                                     IID_ICapeIdentification, component.putVoid()));
    UniqueBstr name;
    ASSERT_EQ(S_OK, component->get_ComponentName(name.put()));
    EXPECT_STREQ(L"Ondivar", name.get());
    EXPECT_EQ(S_FALSE, canUnloadNow()) << "an instance lives";
    component.reset();
    EXPECT_EQ(S_OK, canUnloadNow());
    ASSERT_EQ(1u, m_watcher.seen().size());
    EXPECT_EQ(L"Bye Bye", m_watcher.seen()[0].caption);
}

// An independent client: a VBScript run by the prefix's cscript reaches the component through
// IDispatch, as a simulator's macro would.
TEST_F(RegisteredComponent, ScriptClientReadsAndSetsTheIdentification)
{
    wchar_t folder[MAX_PATH] = {};
    ASSERT_NE(0u, GetTempPathW(MAX_PATH, folder));
    const std::wstring script =
        std::wstring(folder) + L"ondivar-client-" + std::to_wstring(GetCurrentProcessId()) + L".vbs";
    {
        std::ofstream file(script.c_str());
        file << "Set component = CreateObject(\"Ondivar.Ondivar_Velt\")\n"
                "WScript.Echo \"ComponentName=\" & component.ComponentName\n"
                "WScript.Echo \"ComponentDescription=\" & component.ComponentDescription\n"
                "component.ComponentName = \"Riser 7\"\n"
                "component.ComponentDescription = \"Slug test section\"\n"
                "WScript.Echo \"ComponentName=\" & component.ComponentName\n"
                "WScript.Echo \"ComponentDescription=\" & component.ComponentDescription\n"
                "Set component = Nothing\n"
                "WScript.Echo \"client finished\"\n";
    }
    const ChildRun run = runChild(L"cscript.exe //nologo \"" + script + L"\"", kChildTimeout);
    DeleteFileW(script.c_str());

    ASSERT_TRUE(succeeded(run));
    EXPECT_EQ("ComponentName=Ondivar\n"
              "ComponentDescription=Server for HPM Simple Hydro calculations\n"
              "ComponentName=Riser 7\n"
              "ComponentDescription=Slug test section\n"
              "client finished\n",
              run.output)
        << "errors:\n"
        << run.errors;
    std::wstring boxes;
    for (const auto& box : run.messageBoxes)
        boxes += box.caption + L": " + box.text + L"\n";
    ASSERT_EQ(1u, run.messageBoxes.size())
        << "one farewell, when the script let the component go; seen: " << ::testing::PrintToString(boxes);
    EXPECT_EQ(L"Bye Bye", run.messageBoxes[0].caption);
    EXPECT_EQ(L"Hope to see you soon", run.messageBoxes[0].text);
}

} // namespace
