// The dispatch halves: ICapeIdentification and the error interfaces from the registered CAPE-OPEN 1.1
// library, ICapeHydroPhases from the component's own type library.
#include "ComponentTesting.h"
#include "tests/common/PrivateRegistry.h"

#include <vector>

namespace ondivar::testing {
namespace {

// The test program carries no TYPELIB resource: the component reads its type library from the file.
const bool kTypeLibraryFile = (setOndivarTypeLibraryFile(ONDIVAR_TEST_TYPELIB), true);

DISPID idOf(IDispatch* object, const wchar_t* name)
{
    LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
    DISPID id = DISPID_UNKNOWN;
    EXPECT_EQ(S_OK, object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id)) << name;
    return id;
}

// Invokes id with the arguments given in call order (Invoke wants them reversed).
HRESULT invoke(IDispatch* object, DISPID id, WORD flags, std::vector<VARIANT> arguments, VARIANT* result,
               EXCEPINFO* exception = nullptr)
{
    std::vector<VARIANT> reversed(arguments.rbegin(), arguments.rend());
    DISPID named = DISPID_PROPERTYPUT;
    DISPPARAMS parameters = {reversed.data(), flags == DISPATCH_PROPERTYPUT ? &named : nullptr,
                             static_cast<UINT>(reversed.size()), flags == DISPATCH_PROPERTYPUT ? 1u : 0u};
    EXCEPINFO ignored = {};
    UINT argumentError = 0;
    return object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &parameters, result,
                          exception != nullptr ? exception : &ignored, &argumentError);
}

VARIANT byRef(BSTR* out)
{
    VARIANT v;
    VariantInit(&v);
    V_VT(&v) = VT_BYREF | VT_BSTR;
    V_BSTRREF(&v) = out;
    return v;
}

VARIANT byRef(LONG* out)
{
    VARIANT v;
    VariantInit(&v);
    V_VT(&v) = VT_BYREF | VT_I4;
    V_I4REF(&v) = out;
    return v;
}

VARIANT number(LONG n)
{
    VARIANT v;
    VariantInit(&v);
    V_VT(&v) = VT_I4;
    V_I4(&v) = n;
    return v;
}

std::wstring propertyText(IDispatch* object, const wchar_t* name)
{
    UniqueVariant result;
    EXPECT_EQ(S_OK, invoke(object, idOf(object, name), DISPATCH_PROPERTYGET, {}, result.put())) << name;
    EXPECT_EQ(VT_BSTR, V_VT(result.get())) << name;
    if (V_VT(result.get()) != VT_BSTR)
        return L"(not a BSTR)";
    const BSTR text = V_BSTR(result.get());
    return text != nullptr ? std::wstring(text, SysStringLen(text)) : L"(null)";
}

GUID describedGuid(IDispatch* object, GUID* library = nullptr)
{
    UINT count = 0;
    EXPECT_EQ(S_OK, object->GetTypeInfoCount(&count));
    EXPECT_EQ(1u, count);
    ComPtr<ITypeInfo> info;
    EXPECT_EQ(S_OK, object->GetTypeInfo(0, LOCALE_USER_DEFAULT, info.put()));
    GUID guid = GUID_NULL;
    if (!info)
        return guid;
    TYPEATTR* attributes = nullptr;
    if (SUCCEEDED(info->GetTypeAttr(&attributes))) {
        guid = attributes->guid;
        info->ReleaseTypeAttr(attributes);
    }
    if (library != nullptr) {
        ComPtr<ITypeLib> containing;
        UINT index = 0;
        if (SUCCEEDED(info->GetContainingTypeLib(containing.put(), &index))) {
            TLIBATTR* libraryAttributes = nullptr;
            if (SUCCEEDED(containing->GetLibAttr(&libraryAttributes))) {
                *library = libraryAttributes->guid;
                containing->ReleaseTLibAttr(libraryAttributes);
            }
        }
    }
    return guid;
}

using DispatchTest = ComponentTest;

TEST_F(DispatchTest, IdentificationByNameFromTheCapeOpenLibrary)
{
    ASSERT_TRUE(kTypeLibraryFile);
    auto dispatch = createComponent<IDispatch>();
    GUID library = GUID_NULL;
    EXPECT_TRUE(IsEqualGUID(IID_ICapeIdentification, describedGuid(dispatch.get(), &library)));
    EXPECT_TRUE(IsEqualGUID(LIBID_CAPEOPEN110, library));
    EXPECT_EQ(1, idOf(dispatch.get(), L"ComponentName"));
    EXPECT_EQ(2, idOf(dispatch.get(), L"ComponentDescription"));
    EXPECT_EQ(L"Ondivar", propertyText(dispatch.get(), L"ComponentName"));
    EXPECT_EQ(L"Server for HPM Simple Hydro calculations",
              propertyText(dispatch.get(), L"ComponentDescription"));

    VARIANT text;
    VariantInit(&text);
    V_VT(&text) = VT_BSTR;
    V_BSTR(&text) = SysAllocString(L"Pipe 12");
    UniqueVariant none;
    EXPECT_EQ(S_OK, invoke(dispatch.get(), 1, DISPATCH_PROPERTYPUT, {text}, none.put()));
    VariantClear(&text);
    BSTR name = nullptr;
    ASSERT_EQ(S_OK, dispatch.query<ICapeIdentification>()->get_ComponentName(&name));
    EXPECT_EQ(L"Pipe 12", take(name));

    LPOLESTR unknown[] = {const_cast<LPOLESTR>(L"NoSuchName")};
    DISPID id = 0;
    EXPECT_EQ(DISP_E_UNKNOWNNAME, dispatch->GetIDsOfNames(IID_NULL, unknown, 1, LOCALE_USER_DEFAULT, &id));
    EXPECT_EQ(DISP_E_UNKNOWNINTERFACE,
              dispatch->GetIDsOfNames(IID_ICapeIdentification, unknown, 1, LOCALE_USER_DEFAULT, &id));
    ComPtr<ITypeInfo> info;
    EXPECT_EQ(DISP_E_BADINDEX, dispatch->GetTypeInfo(1, LOCALE_USER_DEFAULT, info.put()));
}

TEST_F(DispatchTest, PhasesByNameFromTheOwnLibrary)
{
    auto phases = createComponent<ICapeHydroPhases>();
    IDispatch* dispatch = phases.get();
    EXPECT_TRUE(IsEqualGUID(IID_ICapeHydroPhases, describedGuid(dispatch)));
    EXPECT_EQ(0, idOf(dispatch, L"GetNumPhases"));
    EXPECT_EQ(1, idOf(dispatch, L"GetPhaseInfo"));

    LONG count = 0;
    UniqueVariant none;
    EXPECT_EQ(S_OK, invoke(dispatch, 0, DISPATCH_METHOD, {byRef(&count)}, none.put()));
    EXPECT_EQ(3, count);

    BSTR state = nullptr;
    BSTR type = nullptr;
    EXPECT_EQ(S_OK,
              invoke(dispatch, 1, DISPATCH_METHOD, {number(3), byRef(&state), byRef(&type)}, none.put()));
    EXPECT_EQ(L"Liquid", take(state));
    EXPECT_EQ(L"Aqueous", take(type));

    // A failure comes back through Invoke with the operation's CAPE-OPEN HRESULT.
    state = type = nullptr;
    EXCEPINFO exception = {};
    const HRESULT hr = invoke(dispatch, 1, DISPATCH_METHOD, {number(0), byRef(&state), byRef(&type)},
                              none.put(), &exception);
    if (hr == DISP_E_EXCEPTION)
        EXPECT_EQ(0x80040507L, static_cast<unsigned long>(exception.scode));
    else
        EXPECT_EQ(static_cast<HRESULT>(0x80040507L), hr);
    SysFreeString(exception.bstrSource);
    SysFreeString(exception.bstrDescription);
    SysFreeString(exception.bstrHelpFile);
    EXPECT_EQ(nullptr, state);
    EXPECT_EQ(nullptr, type);

    // The error interfaces are dispatch interfaces of their own.
    ComPtr<ECapeUser> user = phases.query<ECapeUser>();
    EXPECT_TRUE(IsEqualGUID(IID_ECapeUser, describedGuid(user.get())));
    EXPECT_EQ(L"GetPhaseInfo", propertyText(user.get(), L"operation"));
    EXPECT_EQ(L"ICapeHydroPhases", propertyText(user.get(), L"interfaceName"));
    UniqueVariant code;
    EXPECT_EQ(S_OK, invoke(user.get(), idOf(user.get(), L"code"), DISPATCH_PROPERTYGET, {}, code.put()));
    EXPECT_EQ(VT_I4, V_VT(code.get()));
    EXPECT_EQ(0x80040507L, static_cast<unsigned long>(V_I4(code.get())));
    ComPtr<ECapeBoundaries> boundaries = phases.query<ECapeBoundaries>();
    UniqueVariant lower;
    EXPECT_EQ(S_OK, invoke(boundaries.get(), idOf(boundaries.get(), L"LowerBound"), DISPATCH_PROPERTYGET, {},
                           lower.put()));
    EXPECT_EQ(VT_R8, V_VT(lower.get()));
    ComPtr<ECapeRoot> root = phases.query<ECapeRoot>();
    EXPECT_EQ(L"", propertyText(root.get(), L"name"));
}

TEST_F(DispatchTest, TypeInformationIsLoadedOncePerInterface)
{
    auto first = createComponent<ICapeHydroPhases>();
    auto second = createComponent<ICapeHydroPhases>();
    ComPtr<ITypeInfo> a, b, c;
    ASSERT_EQ(S_OK, first->GetTypeInfo(0, LOCALE_USER_DEFAULT, a.put()));
    ASSERT_EQ(S_OK, second->GetTypeInfo(0, LOCALE_USER_DEFAULT, b.put()));
    ASSERT_EQ(S_OK, first.query<ECapeUser>()->GetTypeInfo(0, LOCALE_USER_DEFAULT, c.put()));
    EXPECT_EQ(a.get(), b.get());
    EXPECT_NE(a.get(), c.get());
}

} // namespace
} // namespace ondivar::testing

namespace ondivar::testing {
namespace {

// A process without the CAPE-OPEN library registered: the classes root is an empty private key while
// it lives (other programs in the prefix still see the library), and no type information is cached.
class CapeOpenLibraryHidden {
public:
    CapeOpenLibraryHidden()
        : m_emptyClasses(L"component-classes"), m_override(HKEY_CLASSES_ROOT, m_emptyClasses.key())
    {
        clearTypeInfoCache();
    }
    ~CapeOpenLibraryHidden() { clearTypeInfoCache(); }
    bool active() const { return m_override.active(); }

private:
    PrivateHive m_emptyClasses;
    PredefinedKeyOverride m_override;
};

TEST_F(DispatchTest, WithoutTheCapeOpenLibraryOnlyTheDispatchHalvesFail)
{
    auto identification = createComponent();
    {
        CapeOpenLibraryHidden hidden;
        ASSERT_TRUE(hidden.active());
        ComPtr<ITypeLib> library;
        ASSERT_TRUE(FAILED(LoadRegTypeLib(LIBID_CAPEOPEN110, 1, 0, 0, library.put())));
        LPOLESTR names[] = {const_cast<LPOLESTR>(L"ComponentName")};
        DISPID id = 0;
        EXPECT_TRUE(FAILED(identification->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id)));
        ComPtr<ITypeInfo> info;
        EXPECT_TRUE(FAILED(identification->GetTypeInfo(0, LOCALE_USER_DEFAULT, info.put())));
        BSTR name = nullptr;
        EXPECT_EQ(S_OK, identification->get_ComponentName(&name));
        EXPECT_EQ(L"Ondivar", take(name));
        BSTR description = nullptr;
        EXPECT_EQ(S_OK, identification.query<ECapeUser>()->get_description(&description));
        EXPECT_EQ(L"", take(description));
    }
    // Registered again: the dispatch half works on the same instance.
    EXPECT_EQ(1, idOf(identification.get(), L"ComponentName"));
}

} // namespace
} // namespace ondivar::testing
