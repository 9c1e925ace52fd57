// Ondivar.dll loaded into this program: its exports, its resources, its class object and the unload
// answer. Registration is tested in DllInstallTest.cpp and, through the system's tools, in
// registration/.
#include "tests/common/ApartmentTest.h"
#include "tests/common/PrivateRegistry.h"
#include "tests/common/OndivarDll.h"

#include "OndivarLib.h"
#include "support/ComHandles.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>
#include <string>

namespace {

using ondivar::ComPtr;
using ondivar::UniqueBstr;
using ondivar::testing::ondivarDll;
using ondivar::testing::MessageBoxWatcher;

// The names the module exports, read from its export directory.
std::set<std::string> exportedNames(HMODULE module)
{
    const auto* base = reinterpret_cast<const BYTE*>(module);
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& directory = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_EXPORT];
    const auto* exports = reinterpret_cast<const IMAGE_EXPORT_DIRECTORY*>(base + directory.VirtualAddress);
    const auto* names = reinterpret_cast<const DWORD*>(base + exports->AddressOfNames);
    std::set<std::string> result;
    for (DWORD i = 0; i < exports->NumberOfNames; ++i)
        result.insert(reinterpret_cast<const char*>(base + names[i]));
    return result;
}

std::wstring versionText(const std::vector<BYTE>& block, const wchar_t* name)
{
    wchar_t* text = nullptr;
    UINT length = 0;
    const std::wstring path = std::wstring(L"\\StringFileInfo\\040904B0\\") + name;
    if (!VerQueryValueW(block.data(), path.c_str(), reinterpret_cast<void**>(&text), &length) ||
        text == nullptr)
        return L"(missing)";
    return text;
}

class OndivarDllTest : public ondivar::testing::ApartmentTest {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(ondivarDll().loaded()) << "cannot load " << ONDIVAR_DLL_PATH;
        ApartmentTest::SetUp();
    }

    // Farewell boxes seen since the last call.
    std::size_t farewells()
    {
        std::size_t count = 0;
        for (const auto& box : m_watcher.seen())
            count += box.caption == L"Bye Bye" && box.text == L"Hope to see you soon";
        m_watcher.clear();
        return count;
    }
};

TEST_F(OndivarDllTest, ExportsTheEntryPointsByNameAndTheRegistrySettings)
{
    const std::set<std::string> names = exportedNames(ondivarDll().module);
    std::size_t settings = 0;
    for (const std::string& name : names)
        settings += name.rfind("_ZN20CRegisterInformation", 0) == 0;
    EXPECT_EQ(5u + 21u, names.size());
    EXPECT_EQ(21u, settings) << "the assignment operator, getRegistry and the nineteen getters";
    for (const char* entry :
         {"DllCanUnloadNow", "DllGetClassObject", "DllRegisterServer", "DllUnregisterServer", "DllInstall"})
        EXPECT_EQ(1u, names.count(entry)) << entry;
    EXPECT_EQ(1u, names.count("_ZN20CRegisterInformationaSERKS_"));

    // An exported getter reads the current user's settings.
    ondivar::testing::PrivateHive user(L"module-exports");
    ondivar::testing::PredefinedKeyOverride override(HKEY_CURRENT_USER, user.key());
    ASSERT_TRUE(override.active());
    ASSERT_EQ(ERROR_SUCCESS, user.writeText(L"Software\\Velt\\Tarvo\\Divers", L"Trace", L"verbose"));
    using Getter = void (*)(std::wstring&);
    const auto getTraceMode = reinterpret_cast<Getter>(reinterpret_cast<void*>(GetProcAddress(
        ondivarDll().module, "_ZN20CRegisterInformation12getTraceModeERNSt7__cxx1112basic_stringIwSt11char_"
                             "traitsIwESaIwEEE")));
    ASSERT_NE(nullptr, getTraceMode);
    std::wstring mode;
    getTraceMode(mode);
    EXPECT_EQ(L"verbose", mode);
}

TEST_F(OndivarDllTest, CarriesItsScriptsTypeLibraryNameAndVersion)
{
    const HMODULE module = ondivarDll().module;
    for (int id : {101, 102}) {
        HRSRC script = FindResourceW(module, MAKEINTRESOURCEW(id), L"REGISTRY");
        ASSERT_NE(nullptr, script) << id;
        const char* text = static_cast<const char*>(LockResource(LoadResource(module, script)));
        EXPECT_EQ("HKCR", std::string(text, 4)) << id;
    }
    wchar_t name[32] = {};
    EXPECT_EQ(7, LoadStringW(module, 100, name, 32));
    EXPECT_STREQ(L"Ondivar", name);

    ComPtr<ITypeLib> library;
    ASSERT_EQ(S_OK, LoadTypeLibEx(ondivarDll().path.c_str(), REGKIND_NONE, library.put()));
    TLIBATTR* attributes = nullptr;
    ASSERT_EQ(S_OK, library->GetLibAttr(&attributes));
    EXPECT_TRUE(IsEqualGUID(LIBID_OndivarLib, attributes->guid));
    EXPECT_EQ(1, attributes->wMajorVerNum);
    EXPECT_EQ(0, attributes->wMinorVerNum);
    library->ReleaseTLibAttr(attributes);

    DWORD handle = 0;
    const DWORD size = GetFileVersionInfoSizeW(ondivarDll().path.c_str(), &handle);
    ASSERT_NE(0u, size);
    std::vector<BYTE> block(size);
    ASSERT_TRUE(GetFileVersionInfoW(ondivarDll().path.c_str(), 0, size, block.data()));
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(0x00010000u, fixed->dwFileVersionMS);
    EXPECT_EQ(0x00000001u, fixed->dwFileVersionLS);
    EXPECT_EQ(0x00010000u, fixed->dwProductVersionMS);
    EXPECT_EQ(0x00000001u, fixed->dwProductVersionLS);
    EXPECT_EQ(L"Ondivar.dll", versionText(block, L"OriginalFilename"));
    EXPECT_EQ(L"Ondivar.dll", versionText(block, L"InternalName"));
    EXPECT_EQ(L"1.0.0.1", versionText(block, L"FileVersion"));
}

TEST_F(OndivarDllTest, HandsOutOneCachedClassObjectForItsClassOnly)
{
    const auto& dll = ondivarDll();
    ComPtr<IClassFactory> first;
    ComPtr<IClassFactory> second;
    ASSERT_EQ(S_OK, dll.getClassObject(CLSID_Ondivar_Velt, IID_IClassFactory, first.putVoid()));
    ASSERT_EQ(S_OK, dll.getClassObject(CLSID_Ondivar_Velt, IID_IUnknown, second.putVoid()));
    EXPECT_EQ(static_cast<IUnknown*>(first.get()), static_cast<IUnknown*>(second.get()));

    ComPtr<IUnknown> none;
    EXPECT_EQ(E_NOINTERFACE, dll.getClassObject(CLSID_Ondivar_Velt, IID_IDispatch, none.putVoid()));
    EXPECT_FALSE(none);
    const GUID other = {0x3C5A71E2, 0x6D04, 0x4B8F, {0x9E, 0x21, 0x7A, 0x0D, 0x5C, 0x96, 0xB1, 0xF5}};
    EXPECT_EQ(CLASS_E_CLASSNOTAVAILABLE, dll.getClassObject(other, IID_IClassFactory, none.putVoid()));
    EXPECT_FALSE(none);
    EXPECT_EQ(CLASS_E_CLASSNOTAVAILABLE,
              dll.getClassObject(LIBID_OndivarLib, IID_IClassFactory, none.putVoid()));
    EXPECT_EQ(E_POINTER, dll.getClassObject(other, IID_IClassFactory, nullptr));

    // The marshalling code's class comes from the same DLL.
    const GUID proxyStub = {0x678C09CF, 0x7D66, 0x11D2, {0xA6, 0x7D, 0x00, 0x10, 0x5A, 0x42, 0x88, 0x7F}};
    ComPtr<IPSFactoryBuffer> proxies;
    EXPECT_EQ(S_OK, dll.getClassObject(proxyStub, IID_IPSFactoryBuffer, proxies.putVoid()));
    EXPECT_TRUE(proxies);
}

// An outer object for aggregation: only its own IUnknown.
class Outer : public IUnknown {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override
    {
        *object = IsEqualIID(riid, IID_IUnknown) ? this : nullptr;
        return *object != nullptr ? S_OK : E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
};

TEST_F(OndivarDllTest, ClassObjectCreatesStandAloneOrAggregatedAndRefusesWhatItCannot)
{
    ComPtr<IClassFactory> factory;
    ASSERT_EQ(S_OK, ondivarDll().getClassObject(CLSID_Ondivar_Velt, IID_IClassFactory, factory.putVoid()));

    // The instance answers through the type library the DLL carries.
    ComPtr<ICapeHydroPhases> phases;
    ASSERT_EQ(S_OK, factory->CreateInstance(nullptr, IID_ICapeHydroPhases, phases.putVoid()));
    OLECHAR* name = const_cast<OLECHAR*>(L"GetPhaseInfo");
    DISPID id = -1;
    EXPECT_EQ(S_OK, phases->GetIDsOfNames(IID_NULL, &name, 1, LOCALE_USER_DEFAULT, &id));
    EXPECT_EQ(1, id);
    phases.reset();
    EXPECT_EQ(1u, farewells());

    Outer outer;
    ComPtr<IUnknown> refused;
    EXPECT_EQ(CLASS_E_NOAGGREGATION,
              factory->CreateInstance(&outer, IID_ICapeIdentification, refused.putVoid()));
    EXPECT_FALSE(refused);
    EXPECT_EQ(E_POINTER, factory->CreateInstance(nullptr, IID_ICapeIdentification, nullptr));
    EXPECT_EQ(E_POINTER, factory->CreateInstance(&outer, IID_IUnknown, nullptr));
    EXPECT_EQ(0u, farewells()) << "nothing was created";

    ComPtr<IUnknown> inner;
    ASSERT_EQ(S_OK, factory->CreateInstance(&outer, IID_IUnknown, inner.putVoid()));
    ComPtr<ICapeHydroPhases> innerPhases;
    EXPECT_EQ(S_OK, inner->QueryInterface(IID_ICapeHydroPhases, innerPhases.putVoid()));
    innerPhases.reset();
    inner.reset();
    EXPECT_EQ(1u, farewells());
}

TEST_F(OndivarDllTest, MayUnloadOnlyWithoutInstancesLocksOrHeldClassObject)
{
    const auto& dll = ondivarDll();
    ASSERT_EQ(S_OK, dll.canUnloadNow());
    ComPtr<IClassFactory> factory;
    ASSERT_EQ(S_OK, dll.getClassObject(CLSID_Ondivar_Velt, IID_IClassFactory, factory.putVoid()));
    EXPECT_EQ(S_FALSE, dll.canUnloadNow()) << "a client holds the class object";

    ComPtr<ICapeIdentification> instance;
    ASSERT_EQ(S_OK, factory->CreateInstance(nullptr, IID_ICapeIdentification, instance.putVoid()));
    ASSERT_EQ(S_OK, factory->LockServer(TRUE));
    factory.reset();
    EXPECT_EQ(S_FALSE, dll.canUnloadNow()) << "an instance and a lock";
    instance.reset();
    EXPECT_EQ(1u, farewells());
    EXPECT_EQ(S_FALSE, dll.canUnloadNow()) << "a lock";

    ASSERT_EQ(S_OK, dll.getClassObject(CLSID_Ondivar_Velt, IID_IClassFactory, factory.putVoid()));
    ASSERT_EQ(S_OK, factory->LockServer(FALSE));
    factory.reset();
    EXPECT_EQ(S_OK, dll.canUnloadNow());
}

} // namespace
