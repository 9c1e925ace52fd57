// The marshalling code of the seven interfaces: its class object and entry points, the interfaces it
// covers, and calls between apartments through its proxies and stubs.
#include "module/MarshalEntryPoints.h"
#include "tests/module/ApartmentHost.h"
#include "tests/module/FakeHydroObjects.h"
#include "tests/module/PrivateClassesRoot.h"
#include "tests/module/RegistrySnapshot.h"

#include "OndivarLib.h"
#include "support/ComHandles.h"
#include "tools/common/ComApartment.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>

namespace {

using ondivar::ComPtr;
using ondivar::SafeArrayData;
using ondivar::UniqueBstr;
using ondivar::UniqueVariant;
using ondivar::testing::ApartmentHost;
using ondivar::testing::FakeContext;
using ondivar::testing::FakePackageManager;
using ondivar::testing::FakePhases;
using ondivar::testing::InProcessMarshalling;
using ondivar::testing::RegistrySnapshot;

GUID guidOf(const wchar_t* text)
{
    GUID guid{};
    EXPECT_EQ(S_OK, CLSIDFromString(text, &guid)) << text;
    return guid;
}

// An object for stub construction: answers every interface and is never called.
class AnyInterface : public ondivar::testing::FakeDispatch<ICapeHydroContext> {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** out) override
    {
        *out = static_cast<ICapeHydroContext*>(this);
        AddRef();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE SetHydroContext(IDispatch*) override { return E_UNEXPECTED; }
};

const wchar_t* const marshalledInterfaces[] = {
    L"{678C09CF-7D66-11D2-A67D-00105A42887F}", // ICapeHydroContext
    L"{678C09D0-7D66-11D2-A67D-00105A42887F}", // ICapeHydroPackageManager
    L"{678C09D1-7D66-11D2-A67D-00105A42887F}", // ICapeHydroPhases
    L"{678C09D2-7D66-11D2-A67D-00105A42887F}", // ICapeHydroFlowRoutine
    L"{678C09D3-7D66-11D2-A67D-00105A42887F}", // ICapeHydroPropertyRoutine
    L"{678C09D4-7D66-11D2-A67D-00105A42887F}", // ICapeHydroFields
    L"{678C09D5-7D66-11D2-A67D-00105A42887F}", // ICapeHydroFlow
};

TEST(ProxyStubCode, ServesOnlyItsClassAndCountsItsFactory)
{
    EXPECT_TRUE(IsEqualGUID(guidOf(L"{678C09CF-7D66-11D2-A67D-00105A42887F}"), CLSID_OndivarProxyStub));
    ComPtr<IUnknown> other;
    EXPECT_EQ(CLASS_E_CLASSNOTAVAILABLE,
              PrxDllGetClassObject(CLSID_Ondivar_Velt, IID_IUnknown, other.putVoid()));
    EXPECT_FALSE(other);

    EXPECT_EQ(S_OK, PrxDllCanUnloadNow());
    ComPtr<IPSFactoryBuffer> factory;
    ASSERT_EQ(S_OK, PrxDllGetClassObject(CLSID_OndivarProxyStub, IID_IPSFactoryBuffer, factory.putVoid()));
    ASSERT_TRUE(factory);
    EXPECT_EQ(S_FALSE, PrxDllCanUnloadNow());
    factory.reset();
    EXPECT_EQ(S_OK, PrxDllCanUnloadNow());
}

TEST(ProxyStubCode, MakesStubsForTheSevenInterfacesOnly)
{
    const ondivar::ComApartment apartment(COINIT_MULTITHREADED);
    ASSERT_EQ(S_OK, apartment.hr());
    ComPtr<IPSFactoryBuffer> factory;
    ASSERT_EQ(S_OK, PrxDllGetClassObject(CLSID_OndivarProxyStub, IID_IPSFactoryBuffer, factory.putVoid()));
    ComPtr<IUnknown> server = ComPtr<IUnknown>::attach(new AnyInterface);

    for (const wchar_t* iid : marshalledInterfaces) {
        ComPtr<IRpcStubBuffer> stub;
        EXPECT_EQ(S_OK, factory->CreateStub(guidOf(iid), server.get(), stub.put())) << iid;
        EXPECT_TRUE(stub) << iid;
    }
    const wchar_t* const foreign[] = {
        L"{678C0990-7D66-11D2-A67D-00105A42887F}", // ICapeIdentification
        L"{678C0B11-7D66-11D2-A67D-00105A42887F}", // ECapeUser
        L"{678C09D6-7D66-11D2-A67D-00105A42887F}", // next to the hydrodynamics IIDs, not one of them
    };
    for (const wchar_t* iid : foreign) {
        ComPtr<IRpcStubBuffer> stub;
        EXPECT_TRUE(FAILED(factory->CreateStub(guidOf(iid), server.get(), stub.put()))) << iid;
        EXPECT_FALSE(stub) << iid;
    }
}

// Registration writes each interface's proxy/stub class and the class's server (here: this program),
// and removal takes them away again, leaving other interfaces alone. All of it in a private stand-in for
// HKEY_CLASSES_ROOT.
TEST(ProxyStubCode, RegistersTheSevenInterfacesUnderItsClass)
{
    ondivar::testing::PrivateClassesRoot classes(L"module-proxystub");
    ASSERT_EQ(S_OK, classes.hr());
    const std::wstring proxyStubClass = L"{678C09CF-7D66-11D2-A67D-00105A42887F}";
    const std::wstring classKey = L"CLSID\\" + proxyStubClass;
    const RegistrySnapshot identification(HKEY_CLASSES_ROOT,
                                          L"Interface\\{678C0990-7D66-11D2-A67D-00105A42887F}");
    ASSERT_TRUE(identification.exists());
    wchar_t program[MAX_PATH];
    ASSERT_NE(0u, GetModuleFileNameW(nullptr, program, MAX_PATH));
    ASSERT_TRUE(PrxDllMain(GetModuleHandleW(nullptr), DLL_PROCESS_ATTACH, nullptr));

    ASSERT_EQ(S_OK, PrxDllRegisterServer());
    struct Unregister {
        ~Unregister()
        {
            if (active)
                PrxDllUnregisterServer();
        }
        bool active = true;
    } unregister;

    const RegistrySnapshot registeredClass(HKEY_CLASSES_ROOT, classKey);
    EXPECT_EQ(program, registeredClass.value(L"InprocServer32", L""))
        << ::testing::PrintToString(registeredClass);
    for (const wchar_t* iid : marshalledInterfaces)
        EXPECT_EQ(proxyStubClass, RegistrySnapshot(HKEY_CLASSES_ROOT, std::wstring(L"Interface\\") + iid)
                                      .value(L"ProxyStubClsid32", L""))
            << iid;
    EXPECT_EQ(identification, RegistrySnapshot(HKEY_CLASSES_ROOT, identification.path()));

    unregister.active = false;
    ASSERT_EQ(S_OK, PrxDllUnregisterServer());
    EXPECT_FALSE(RegistrySnapshot(HKEY_CLASSES_ROOT, classKey).exists());
    for (const wchar_t* iid : marshalledInterfaces)
        EXPECT_FALSE(RegistrySnapshot(HKEY_CLASSES_ROOT, std::wstring(L"Interface\\") + iid).exists()) << iid;
    EXPECT_EQ(identification, RegistrySnapshot(HKEY_CLASSES_ROOT, identification.path()));
}

class CallsBetweenApartments : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(S_OK, m_apartment.hr());
        ASSERT_EQ(S_OK, m_marshalling.hr());
    }

    ondivar::ComApartment m_apartment{COINIT_MULTITHREADED};
    InProcessMarshalling m_marshalling;
};

TEST_F(CallsBetweenApartments, CarryNumbersAndStringsBothWays)
{
    FakePhases* object = new FakePhases;
    ApartmentHost host([object] { return ComPtr<IUnknown>::attach(object); }, IID_ICapeHydroPhases);
    ASSERT_EQ(S_OK, host.hr());
    ComPtr<ICapeHydroPhases> phases;
    ASSERT_EQ(S_OK, host.unmarshal(IID_ICapeHydroPhases, phases.putVoid()));
    EXPECT_NE(static_cast<ICapeHydroPhases*>(object), phases.get()) << "not a proxy";

    long count = 0;
    ASSERT_EQ(S_OK, phases->GetNumPhases(&count));
    EXPECT_EQ(3, count);
    EXPECT_EQ(host.threadId(), object->calledOnThread());

    UniqueBstr state;
    UniqueBstr type;
    ASSERT_EQ(S_OK, phases->GetPhaseInfo(2, state.put(), type.put()));
    EXPECT_STREQ(L"Liquid", state.get());
    EXPECT_STREQ(L"Aqueous", type.get());
    // A failure comes back as it was returned, with the out strings empty.
    EXPECT_EQ(E_INVALIDARG, phases->GetPhaseInfo(3, state.put(), type.put()));
    EXPECT_EQ(nullptr, state.get());
    EXPECT_EQ(nullptr, type.get());
}

TEST_F(CallsBetweenApartments, CarryArraysAndInterfacePointers)
{
    FakePackageManager* object = new FakePackageManager;
    ApartmentHost host([object] { return ComPtr<IUnknown>::attach(object); }, IID_ICapeHydroPackageManager);
    ASSERT_EQ(S_OK, host.hr());
    ComPtr<ICapeHydroPackageManager> manager;
    ASSERT_EQ(S_OK, host.unmarshal(IID_ICapeHydroPackageManager, manager.putVoid()));

    UniqueVariant names;
    ASSERT_EQ(S_OK, manager->GetHydroPackageList(names.put()));
    EXPECT_EQ(host.threadId(), object->calledOnThread());
    ASSERT_EQ(VT_ARRAY | VT_BSTR, names->vt);
    ASSERT_EQ(1u, SafeArrayGetDim(names->parray));
    LONG lower = -1;
    LONG upper = -1;
    SafeArrayGetLBound(names->parray, 1, &lower);
    SafeArrayGetUBound(names->parray, 1, &upper);
    ASSERT_EQ(0, lower);
    ASSERT_EQ(1, upper);
    {
        SafeArrayData<BSTR> data(names->parray);
        ASSERT_TRUE(data);
        EXPECT_STREQ(L"Ondivar", data[0]);
        EXPECT_STREQ(L"Drift flux", data[1]);
    }

    // The package comes back as an interface pointer: a proxy in this apartment to an object created in
    // the manager's apartment, through which further interfaces are reached.
    UniqueBstr name(SysAllocString(L"Ondivar"));
    ComPtr<IDispatch> package;
    ASSERT_EQ(S_OK, manager->GetHydroPackage(name.get(), package.put()));
    ASSERT_TRUE(package);
    ComPtr<ICapeHydroPhases> phases = package.query<ICapeHydroPhases>(IID_ICapeHydroPhases);
    ASSERT_TRUE(phases);
    long count = 0;
    EXPECT_EQ(S_OK, phases->GetNumPhases(&count));
    EXPECT_EQ(3, count);

    UniqueBstr unknown(SysAllocString(L"Homogeneous"));
    ComPtr<IDispatch> none;
    EXPECT_EQ(E_INVALIDARG, manager->GetHydroPackage(unknown.get(), none.put()));
    EXPECT_FALSE(none);
}

TEST_F(CallsBetweenApartments, HandAnInterfacePointerToTheOtherApartment)
{
    FakeContext* object = new FakeContext;
    ApartmentHost host([object] { return ComPtr<IUnknown>::attach(object); }, IID_ICapeHydroContext);
    ASSERT_EQ(S_OK, host.hr());
    ComPtr<ICapeHydroContext> context;
    ASSERT_EQ(S_OK, host.unmarshal(IID_ICapeHydroContext, context.putVoid()));

    ComPtr<IDispatch> mine = ComPtr<IDispatch>::attach(new FakePhases);
    ASSERT_EQ(S_OK, context->SetHydroContext(mine.get()));
    EXPECT_EQ(host.threadId(), object->calledOnThread());
    // The other apartment holds a proxy to this apartment's object, not the object itself.
    EXPECT_NE(nullptr, object->received());
    EXPECT_NE(mine.get(), object->received());
}

// One call on an interface from another apartment, of either model, leaves no reference behind: the
// object goes when its own apartment lets it go.
TEST_F(CallsBetweenApartments, LeaveNoReferenceBehindInEitherApartmentModel)
{
    struct OneCall {
        const char* name;
        const IID* iid;
        ComPtr<IUnknown> (*make)();
        HRESULT (*call)(void* proxy);
    };
    const OneCall calls[] = {
        {"ICapeHydroContext", &IID_ICapeHydroContext,
         [] { return ComPtr<IUnknown>::attach(new FakeContext); },
         [](void* p) { return static_cast<ICapeHydroContext*>(p)->SetHydroContext(nullptr); }},
        {"ICapeHydroPackageManager", &IID_ICapeHydroPackageManager,
         [] { return ComPtr<IUnknown>::attach(new FakePackageManager); },
         [](void* p) {
             UniqueVariant names;
             return static_cast<ICapeHydroPackageManager*>(p)->GetHydroPackageList(names.put());
         }},
        {"ICapeHydroPhases", &IID_ICapeHydroPhases, [] { return ComPtr<IUnknown>::attach(new FakePhases); },
         [](void* p) {
             long count = 0;
             return static_cast<ICapeHydroPhases*>(p)->GetNumPhases(&count);
         }},
    };
    for (const OneCall& one : calls) {
        for (const bool fromSingleThreaded : {true, false}) {
            SCOPED_TRACE(::testing::Message()
                         << one.name << (fromSingleThreaded ? " from STA" : " from MTA"));
            const int alive = ondivar::testing::liveFakes();
            {
                ApartmentHost host(one.make, *one.iid);
                ASSERT_EQ(S_OK, host.hr());
                auto callOnce = [&] {
                    ComPtr<IUnknown> proxy;
                    ASSERT_EQ(S_OK, host.unmarshal(*one.iid, proxy.putVoid()));
                    EXPECT_EQ(S_OK, one.call(proxy.get()));
                };
                if (fromSingleThreaded) {
                    std::thread([&] {
                        const ondivar::ComApartment apartment(COINIT_APARTMENTTHREADED);
                        const InProcessMarshalling marshalling;
                        ASSERT_EQ(S_OK, marshalling.hr());
                        callOnce();
                    }).join();
                } else {
                    callOnce();
                }
                EXPECT_EQ(alive + 1, ondivar::testing::liveFakes());
            }
            EXPECT_EQ(alive, ondivar::testing::liveFakes()) << "the object outlived its apartment";
        }
    }
}

} // namespace

namespace {

// MIDL's proxies report what goes wrong on their side of a call as an HRESULT; so must these.
TEST_F(CallsBetweenApartments, ReportANullOutPointerAsAFailureAndGoOnWorking)
{
    FakePhases* object = new FakePhases;
    ApartmentHost host([object] { return ComPtr<IUnknown>::attach(object); }, IID_ICapeHydroPhases);
    ASSERT_EQ(S_OK, host.hr());
    ComPtr<ICapeHydroPhases> phases;
    ASSERT_EQ(S_OK, host.unmarshal(IID_ICapeHydroPhases, phases.putVoid()));

    UniqueBstr type;
    EXPECT_EQ(HRESULT_FROM_WIN32(RPC_X_NULL_REF_POINTER), phases->GetPhaseInfo(1, nullptr, type.put()));
    EXPECT_EQ(nullptr, type.get());
    EXPECT_EQ(0u, object->calledOnThread()) << "the call reached the object";

    UniqueBstr state;
    ASSERT_EQ(S_OK, phases->GetPhaseInfo(0, state.put(), type.put()));
    EXPECT_STREQ(L"Vapor", state.get());
    EXPECT_STREQ(L"Gas", type.get());
}

TEST_F(CallsBetweenApartments, ReportAnObjectWhoseApartmentHasEndedAsAFailure)
{
    ComPtr<ICapeHydroPhases> phases;
    {
        ApartmentHost host([] { return ComPtr<IUnknown>::attach(new FakePhases); }, IID_ICapeHydroPhases);
        ASSERT_EQ(S_OK, host.hr());
        ASSERT_EQ(S_OK, host.unmarshal(IID_ICapeHydroPhases, phases.putVoid()));
        long count = 0;
        ASSERT_EQ(S_OK, phases->GetNumPhases(&count));
    }
    UniqueBstr state(SysAllocString(L"stale"));
    UniqueBstr type;
    const HRESULT hr = phases->GetPhaseInfo(0, state.put(), type.put());
    EXPECT_TRUE(FAILED(hr)) << std::hex << hr;
    EXPECT_EQ(nullptr, state.get());
    EXPECT_EQ(nullptr, type.get());
    long count = -1;
    EXPECT_TRUE(FAILED(phases->GetNumPhases(&count)));
}

} // namespace
