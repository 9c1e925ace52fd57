// The component's COM identity: its interface table, the rules of QueryInterface, creation through a
// class object, aggregation and the module lock.
#include "ComponentTesting.h"

namespace ondivar::testing {
namespace {

// The interfaces the component hands out.
const IID* const kHandedOut[] = {
    &IID_ICapeIdentification,
    &IID_ICapeHydroPhases,
    &IID_ICapeHydroFlowRoutine,
    &IID_ICapeHydroPropertyRoutine,
    &IID_ICapeHydroFields,
    &IID_ICapeHydroFlow,
    &IID_IPersistStream,
    &IID_ECapeUser,
    &IID_ECapeData,
    &IID_ECapeRoot,
    &IID_ECapeUnknown,
    &IID_ECapeInvalidArgument,
    &IID_ECapeBadArgument,
    &IID_ECapeOutOfBounds,
    &IID_ECapeBoundaries,
    &IID_ECapeFailedInitialisation,
    &IID_ISupportErrorInfo,
    &IID_IDispatch,
};

ComPtr<IUnknown> queryRaw(IUnknown* object, REFIID iid, HRESULT* hr = nullptr)
{
    ComPtr<IUnknown> result;
    const HRESULT answer = object->QueryInterface(iid, result.putVoid());
    if (hr != nullptr)
        *hr = answer;
    return result;
}

using InterfaceTableTest = ComponentTest;

TEST_F(InterfaceTableTest, HandsOutEveryInterfaceOfTheTableWithOneIdentity)
{
    auto component = createComponent<IUnknown>();
    ComPtr<IUnknown> identity = queryRaw(component.get(), IID_IUnknown);
    for (const IID* iid : kHandedOut) {
        HRESULT hr = E_FAIL;
        ComPtr<IUnknown> itf = queryRaw(component.get(), *iid, &hr);
        ASSERT_EQ(S_OK, hr);
        ASSERT_TRUE(itf);
        // Back to IUnknown from any interface: always the same pointer.
        EXPECT_EQ(identity.get(), queryRaw(itf.get(), IID_IUnknown).get());
        // Reflexive: the interface answers its own IID with itself.
        EXPECT_EQ(itf.get(), queryRaw(itf.get(), *iid).get());
    }
    // IUnknown is the first entry.
    EXPECT_EQ(identity.get(), queryRaw(component.get(), IID_ICapeIdentification).get());
}

TEST_F(InterfaceTableTest, DispatchIsTheIdentificationInterface)
{
    auto identification = createComponent<ICapeIdentification>();
    auto fromPhases = identification.query<ICapeHydroPhases>();
    EXPECT_EQ(static_cast<IUnknown*>(identification.get()), queryRaw(fromPhases.get(), IID_IDispatch).get());
}

TEST_F(InterfaceTableTest, ImplementedErrorInterfacesOutsideTheTableAreNotHandedOut)
{
    auto component = createComponent<IUnknown>();
    for (const IID* iid : {&IID_ECapeComputation, &IID_ECapeBadCOParameter, &IID_ECapeBadInvOrder,
                           &IID_ECapeNoImpl, &IID_IPersist, &IID_IClassFactory}) {
        HRESULT hr = S_OK;
        ComPtr<IUnknown> itf = queryRaw(component.get(), *iid, &hr);
        EXPECT_EQ(E_NOINTERFACE, hr);
        EXPECT_FALSE(itf);
    }
    EXPECT_EQ(E_POINTER, component->QueryInterface(IID_IUnknown, nullptr));
}

TEST_F(InterfaceTableTest, EachInstanceHoldsOneModuleLock)
{
    const LONG before = ondivar::moduleLockCount();
    {
        auto first = createComponent();
        auto second = createComponent();
        EXPECT_EQ(before + 2, ondivar::moduleLockCount());
    }
    EXPECT_EQ(before, ondivar::moduleLockCount());
    // A creation that fails for the interface asked releases the new object and its lock.
    ComPtr<IUnknown> none;
    EXPECT_EQ(E_NOINTERFACE, COndivar_Velt::createInstance(nullptr, IID_ECapeBadInvOrder, none.putVoid()));
    EXPECT_FALSE(none);
    EXPECT_EQ(before, ondivar::moduleLockCount());
}

// A class object of the test's own around the component's creation function, registered with COM so
// that CoCreateInstance goes the way a host's request goes.
class TestClassFactory : public IClassFactory {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override
    {
        if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IClassFactory)) {
            *object = static_cast<IClassFactory*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID riid, void** object) override
    {
        return COndivar_Velt::createInstance(outer, riid, object);
    }
    HRESULT STDMETHODCALLTYPE LockServer(BOOL) override { return S_OK; }
};

// An outer object that aggregates the component and counts the reference calls it receives.
class CountingOuter : public IUnknown {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override
    {
        ++queries;
        if (IsEqualIID(riid, IID_IUnknown)) {
            *object = static_cast<IUnknown*>(this);
            AddRef();
            return S_OK;
        }
        return inner->QueryInterface(riid, object);
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references; }
    ULONG STDMETHODCALLTYPE Release() override { return --references; }

    ComPtr<IUnknown> inner;
    ULONG references = 1;
    int queries = 0;
};

TEST_F(InterfaceTableTest, CreatedThroughARegisteredClassObject)
{
    TestClassFactory factory;
    DWORD cookie = 0;
    ASSERT_EQ(S_OK, CoRegisterClassObject(COndivar_Velt::classId(), &factory, CLSCTX_INPROC_SERVER,
                                          REGCLS_MULTIPLEUSE, &cookie));
    {
        ComPtr<ICapeHydroPhases> phases;
        ASSERT_EQ(S_OK, CoCreateInstance(COndivar_Velt::classId(), nullptr, CLSCTX_INPROC_SERVER,
                                         IID_ICapeHydroPhases, phases.putVoid()));
        LONG count = 0;
        EXPECT_EQ(S_OK, phases->GetNumPhases(&count));
        EXPECT_EQ(3, count);

        CountingOuter outer;
        ASSERT_EQ(S_OK, CoCreateInstance(COndivar_Velt::classId(), &outer, CLSCTX_INPROC_SERVER, IID_IUnknown,
                                         outer.inner.putVoid()));
        ComPtr<IUnknown> refused;
        EXPECT_EQ(CLASS_E_NOAGGREGATION,
                  CoCreateInstance(COndivar_Velt::classId(), &outer, CLSCTX_INPROC_SERVER,
                                   IID_ICapeIdentification, refused.putVoid()));
        outer.inner.reset();
    }
    EXPECT_EQ(2u, m_watcher.seen().size());
    EXPECT_EQ(S_OK, CoRevokeClassObject(cookie));
}

TEST_F(InterfaceTableTest, AggregatedComponentDelegatesToItsOuterObject)
{
    CountingOuter outer;
    ASSERT_EQ(S_OK, COndivar_Velt::createInstance(&outer, IID_IUnknown, outer.inner.putVoid()));
    ASSERT_EQ(1u, outer.references); // the inner object holds no reference on its outer object

    ComPtr<ICapeHydroPhases> phases;
    ASSERT_EQ(S_OK, outer.QueryInterface(IID_ICapeHydroPhases, phases.putVoid()));
    EXPECT_EQ(2u, outer.references);
    ULONG before = outer.references;
    phases->AddRef();
    EXPECT_EQ(before + 1, outer.references);
    phases->Release();
    EXPECT_EQ(before, outer.references);

    // QueryInterface on an inner interface goes to the outer object, IUnknown included.
    const int queries = outer.queries;
    ComPtr<IUnknown> identity;
    ASSERT_EQ(S_OK, phases->QueryInterface(IID_IUnknown, identity.putVoid()));
    EXPECT_EQ(static_cast<IUnknown*>(&outer), identity.get());
    ComPtr<ECapeUser> user;
    ASSERT_EQ(S_OK, phases->QueryInterface(IID_ECapeUser, user.putVoid()));
    EXPECT_EQ(queries + 2, outer.queries);
    identity.reset();

    // Its failures are recorded and read as on a stand-alone component.
    BSTR state = nullptr;
    BSTR type = nullptr;
    EXPECT_EQ(static_cast<HRESULT>(0x80040507L), phases->GetPhaseInfo(9, &state, &type));
    BSTR operation = nullptr;
    EXPECT_EQ(S_OK, user->get_operation(&operation));
    EXPECT_EQ(L"GetPhaseInfo", take(operation));
    long code = 0;
    EXPECT_EQ(S_OK, user->get_code(&code));
    EXPECT_EQ(0x80040507L, static_cast<unsigned long>(code));

    user.reset();
    phases.reset();
    EXPECT_EQ(1u, outer.references);
    EXPECT_TRUE(m_watcher.seen().empty());
    outer.inner.reset(); // the outer object lets go of the inner one: it is destroyed
    ASSERT_EQ(1u, m_watcher.seen().size());
    EXPECT_EQ(1u, outer.references);
}

TEST_F(InterfaceTableTest, AggregationOnlyThroughIUnknown)
{
    CountingOuter outer;
    const LONG locks = ondivar::moduleLockCount();
    ComPtr<IUnknown> refused;
    EXPECT_EQ(CLASS_E_NOAGGREGATION,
              COndivar_Velt::createInstance(&outer, IID_ICapeIdentification, refused.putVoid()));
    EXPECT_FALSE(refused);
    EXPECT_EQ(E_POINTER, COndivar_Velt::createInstance(nullptr, IID_IUnknown, nullptr));
    EXPECT_EQ(locks, ondivar::moduleLockCount());
    EXPECT_TRUE(m_watcher.seen().empty()); // nothing was created
}

} // namespace
} // namespace ondivar::testing
