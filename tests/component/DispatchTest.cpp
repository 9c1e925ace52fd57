// The dispatch halves: ICapeIdentification and the error interfaces from the registered CAPE-OPEN 1.1
// library, ICapeHydroPhases from the component's own type library.
#include "ComponentTesting.h"
#include "tests/common/PrivateRegistry.h"

#include "support/StringConversion.h"

#include <algorithm>
#include <cwctype>
#include <iterator>
#include <map>
#include <set>
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
        // The name is not known to be the library's: it gets an id whose call says the library is missing.
        EXPECT_EQ(S_OK, identification->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id));
        EXPECT_NE(1, id);
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

namespace ondivar::testing {
namespace {

// The interfaces the identification interface answers for by name, in the documented order; the
// dispatch id of a member of the interface at position p >= 1 is (p << 16) | its own id.
struct NamedInterface {
    TypeLibraryId library;
    const IID* iid;
    const wchar_t* name;
};
const NamedInterface kByName[] = {
    {TypeLibraryId::CapeOpen, &IID_ICapeIdentification, L"ICapeIdentification"},
    {TypeLibraryId::Ondivar, &IID_ICapeHydroPhases, L"ICapeHydroPhases"},
    {TypeLibraryId::Ondivar, &IID_ICapeHydroFlowRoutine, L"ICapeHydroFlowRoutine"},
    {TypeLibraryId::Ondivar, &IID_ICapeHydroPropertyRoutine, L"ICapeHydroPropertyRoutine"},
    {TypeLibraryId::Ondivar, &IID_ICapeHydroFields, L"ICapeHydroFields"},
    {TypeLibraryId::Ondivar, &IID_ICapeHydroFlow, L"ICapeHydroFlow"},
    {TypeLibraryId::CapeOpen, &IID_ECapeUser, L"ECapeUser"},
    {TypeLibraryId::CapeOpen, &IID_ECapeData, L"ECapeData"},
    {TypeLibraryId::CapeOpen, &IID_ECapeRoot, L"ECapeRoot"},
    {TypeLibraryId::CapeOpen, &IID_ECapeUnknown, L"ECapeUnknown"},
    {TypeLibraryId::CapeOpen, &IID_ECapeInvalidArgument, L"ECapeInvalidArgument"},
    {TypeLibraryId::CapeOpen, &IID_ECapeBadArgument, L"ECapeBadArgument"},
    {TypeLibraryId::CapeOpen, &IID_ECapeOutOfBounds, L"ECapeOutOfBounds"},
    {TypeLibraryId::CapeOpen, &IID_ECapeBoundaries, L"ECapeBoundaries"},
    {TypeLibraryId::CapeOpen, &IID_ECapeFailedInitialisation, L"ECapeFailedInitialisation"},
    {TypeLibraryId::CapeOpen, &IID_ECapeComputation, L"ECapeComputation"},
    {TypeLibraryId::CapeOpen, &IID_ECapeBadCOParameter, L"ECapeBadCOParameter"},
    {TypeLibraryId::CapeOpen, &IID_ECapeBadInvOrder, L"ECapeBadInvOrder"},
};

struct Member {
    std::wstring name;
    MEMBERID own;
    std::size_t position;
};

// The members an interface's type information declares itself (not those of IDispatch and IUnknown).
std::vector<Member> ownMembers(std::size_t position)
{
    std::vector<Member> members;
    const DualTypeInfo* info = nullptr;
    EXPECT_EQ(S_OK, findTypeInfo(kByName[position].library, *kByName[position].iid, info))
        << kByName[position].name;
    if (info == nullptr)
        return members;
    const ScopedTypeAttr attributes(info->described.get());
    for (UINT i = 0; attributes && i < attributes->cFuncs; ++i) {
        const ScopedFuncDesc function(info->described.get(), i);
        if (!function || (function->wFuncFlags & FUNCFLAG_FRESTRICTED) != 0)
            continue;
        UniqueBstr name;
        info->described->GetDocumentation(function->memid, name.put(), nullptr, nullptr, nullptr);
        const std::wstring text(name.get(), name.length());
        const bool seen =
            std::any_of(members.begin(), members.end(), [&](const Member& m) { return m.name == text; });
        if (!seen) // a property's get and put share a name
            members.push_back({text, function->memid, position});
    }
    return members;
}

std::wstring folded(std::wstring name)
{
    for (wchar_t& c : name)
        c = static_cast<wchar_t>(towlower(c));
    return name;
}

TEST_F(DispatchTest, EveryMemberOfEveryInterfaceHasItsOwnIdThroughTheIdentification)
{
    auto dispatch = createComponent<IDispatch>();
    std::map<std::wstring, Member> byName; // names compare without case, as GetIDsOfNames does
    std::set<DISPID> ids;
    std::size_t memberCount = 0;
    for (std::size_t position = 0; position < std::size(kByName); ++position) {
        for (const Member& member : ownMembers(position)) {
            ++memberCount;
            const auto [existing, added] = byName.emplace(folded(member.name), member);
            EXPECT_TRUE(added) << "\"" << wideToUtf8(member.name) << "\" of "
                               << wideToUtf8(kByName[position].name) << " is also a member of "
                               << wideToUtf8(kByName[existing->second.position].name);
            ASSERT_GE(member.own, 0);
            ASSERT_LE(member.own, 0xFFFF);
            const DISPID expected =
                position == 0 ? member.own : static_cast<DISPID>(position << 16) | member.own;
            const DISPID id = idOf(dispatch.get(), member.name.c_str());
            EXPECT_EQ(expected, id) << wideToUtf8(member.name);
            EXPECT_TRUE(ids.insert(id).second) << wideToUtf8(member.name);
        }
    }
    // Identification 2, phases 2, flow routine 4, property routine 9, fields 9, flow 15; error
    // properties 6 + 1 + 1 + 4 + 2 + 1.
    EXPECT_EQ(2u + 2 + 4 + 9 + 9 + 15 + 6 + 1 + 1 + 4 + 2 + 1, memberCount);
    EXPECT_EQ(1, idOf(dispatch.get(), L"ComponentName"));
    EXPECT_EQ(2, idOf(dispatch.get(), L"componentdescription"));

    LPOLESTR unknown[] = {const_cast<LPOLESTR>(L"ComponentNames")};
    DISPID id = 0;
    EXPECT_EQ(DISP_E_UNKNOWNNAME, dispatch->GetIDsOfNames(IID_NULL, unknown, 1, LOCALE_USER_DEFAULT, &id));
    EXPECT_EQ(DISPID_UNKNOWN, id);
    // A parameter name comes back as its position.
    LPOLESTR withParameter[] = {const_cast<LPOLESTR>(L"GetPhaseInfo"), const_cast<LPOLESTR>(L"typeInfo")};
    DISPID parameterIds[2] = {};
    EXPECT_EQ(S_OK, dispatch->GetIDsOfNames(IID_NULL, withParameter, 2, LOCALE_USER_DEFAULT, parameterIds));
    EXPECT_EQ((1 << 16) | 1, parameterIds[0]);
    EXPECT_EQ(2, parameterIds[1]);

    // The other interfaces' own dispatch halves keep their own ids and names.
    auto flow = dispatch.query<ICapeHydroFlow>();
    EXPECT_EQ(7, idOf(flow.get(), L"SetGeometryProp"));
    LPOLESTR identification[] = {const_cast<LPOLESTR>(L"ComponentName")};
    EXPECT_EQ(DISP_E_UNKNOWNNAME, flow->GetIDsOfNames(IID_NULL, identification, 1, LOCALE_USER_DEFAULT, &id));
}

TEST_F(DispatchTest, InvokeThroughTheIdentificationCallsTheMemberOnItsOwnInterface)
{
    auto dispatch = createComponent<IDispatch>();
    // A member of a hydro interface, by name: GetPhaseInfo(2).
    BSTR state = nullptr;
    BSTR type = nullptr;
    UniqueVariant none;
    ASSERT_EQ(S_OK, invoke(dispatch.get(), idOf(dispatch.get(), L"GetPhaseInfo"), DISPATCH_METHOD,
                           {number(2), byRef(&state), byRef(&type)}, none.put()));
    EXPECT_EQ(L"Liquid", take(state));
    EXPECT_EQ(L"Organic", take(type));
    // An unsupported flow basis: the error interfaces, read by name, describe it as the vtables do.
    VARIANT basis;
    VariantInit(&basis);
    V_VT(&basis) = VT_BSTR;
    V_BSTR(&basis) = SysAllocString(L"Qm");
    VARIANT empty = basis;
    V_BSTR(&empty) = nullptr;
    EXCEPINFO exception = {};
    const HRESULT hr = invoke(dispatch.get(), idOf(dispatch.get(), L"CalcFlow"), DISPATCH_METHOD,
                              {basis, empty, empty}, none.put(), &exception);
    EXPECT_EQ(DISP_E_EXCEPTION, hr);
    // Without an EXCEPINFO the same return value.
    VARIANT reversed[] = {empty, empty, basis};
    DISPPARAMS arguments = {reversed, nullptr, 3, 0};
    EXPECT_EQ(DISP_E_EXCEPTION,
              dispatch->Invoke(idOf(dispatch.get(), L"CalcFlow"), IID_NULL, LOCALE_USER_DEFAULT,
                               DISPATCH_METHOD, &arguments, none.put(), nullptr, nullptr));
    VariantClear(&basis);
    const ErrorReadout recorded = readErrors(dispatch.get());
    EXPECT_EQ(L"ICapeHydroFlowRoutine", propertyText(dispatch.get(), L"interfaceName"));
    EXPECT_EQ(L"CalcFlow", propertyText(dispatch.get(), L"operation"));
    EXPECT_EQ(recorded.description, propertyText(dispatch.get(), L"description"));
    EXPECT_EQ(recorded.name, propertyText(dispatch.get(), L"name"));
    UniqueVariant position;
    EXPECT_EQ(S_OK, invoke(dispatch.get(), idOf(dispatch.get(), L"position"), DISPATCH_PROPERTYGET, {},
                           position.put()));
    EXPECT_EQ(VT_I2, V_VT(position.get()));
    EXPECT_EQ(recorded.position, V_I2(position.get()));
    EXPECT_EQ(recorded.requestedOperation, propertyText(dispatch.get(), L"requestedOperation"));

    // The caller's EXCEPINFO carries the code, the recorded description (one line) and the component.
    EXPECT_EQ(0x80040509L, static_cast<unsigned long>(exception.scode));
    const std::wstring description = recorded.description.substr(0, recorded.description.size() - 1);
    EXPECT_EQ(L'\n', recorded.description.back());
    EXPECT_EQ(description, take(exception.bstrDescription));
    EXPECT_EQ(L"Ondivar", take(exception.bstrSource));
    SysFreeString(exception.bstrHelpFile);
}

TEST_F(DispatchTest, WithoutTheCapeOpenLibraryHydroMembersStillAnswerByName)
{
    auto dispatch = createComponent<IDispatch>();
    CapeOpenLibraryHidden hidden;
    ASSERT_TRUE(hidden.active());
    LONG count = 0;
    UniqueVariant none;
    const DISPID numPhases = idOf(dispatch.get(), L"GetNumPhases");
    EXPECT_EQ((1 << 16) | 0, numPhases);
    EXPECT_EQ(S_OK, invoke(dispatch.get(), numPhases, DISPATCH_METHOD, {byRef(&count)}, none.put()));
    EXPECT_EQ(3, count);

    // A name of the missing library, and an id of it known from before: the caller learns which
    // library is missing; without an EXCEPINFO the load failure itself comes back.
    for (const DISPID id : {idOf(dispatch.get(), L"ComponentName"), DISPID(1), DISPID((6 << 16) | 2)}) {
        EXCEPINFO exception = {};
        EXPECT_EQ(DISP_E_EXCEPTION,
                  invoke(dispatch.get(), id, DISPATCH_PROPERTYGET, {}, none.put(), &exception));
        EXPECT_TRUE(FAILED(exception.scode));
        const std::wstring description = take(exception.bstrDescription);
        EXPECT_NE(std::wstring::npos, description.find(L"CAPE-OPEN 1.1 type library"))
            << wideToUtf8(description);
        EXPECT_NE(std::wstring::npos, description.find(L"{4A5E2E81-C093-11D4-9F1B-0010A4D198C2}"));
        EXPECT_EQ(L"Ondivar", take(exception.bstrSource));
        SysFreeString(exception.bstrHelpFile);
        DISPPARAMS noArguments = {};
        EXPECT_EQ(exception.scode, dispatch->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET,
                                                    &noArguments, none.put(), nullptr, nullptr));
    }
}

} // namespace
} // namespace ondivar::testing
