// The type library OndivarLib as the build writes it: identity, its own types only, the coclass's
// references into the CAPE-OPEN 1.1 library, the interfaces' shapes, and registration that leaves the
// CAPE-OPEN interfaces' keys alone.
#include "tests/module/PrivateClassesRoot.h"
#include "tests/module/RegistrySnapshot.h"
#include "support/ComHandles.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

namespace {

using ondivar::ComPtr;
using ondivar::ScopedFuncDesc;
using ondivar::ScopedLibAttr;
using ondivar::ScopedTypeAttr;
using ondivar::UniqueBstr;

const wchar_t* const typeLibraryPath = ONDIVAR_TYPELIB_PATH;
const wchar_t* const ondivarLibid = L"{8E41B0C7-52A9-4F3D-B6E8-0D19C7A2F563}";
const wchar_t* const capeOpenLibid = L"{4A5E2E81-C093-11D4-9F1B-0010A4D198C2}";
const wchar_t* const coclassClsid = L"{3C5A71E2-6D04-4B8F-9E21-7A0D5C96B1F4}";
constexpr SYSKIND nativeSysKind = sizeof(void*) == 8 ? SYS_WIN64 : SYS_WIN32;

GUID guidOf(const wchar_t* text)
{
    GUID guid{};
    EXPECT_EQ(S_OK, CLSIDFromString(text, &guid)) << text;
    return guid;
}

std::wstring nameOf(ITypeInfo* info)
{
    UniqueBstr name;
    info->GetDocumentation(MEMBERID_NIL, name.put(), nullptr, nullptr, nullptr);
    return name.get() != nullptr ? name.get() : L"";
}

GUID libraryOf(ITypeInfo* info, WORD* major = nullptr, WORD* minor = nullptr)
{
    ComPtr<ITypeLib> library;
    UINT index = 0;
    if (FAILED(info->GetContainingTypeLib(library.put(), &index)))
        return GUID_NULL;
    ScopedLibAttr attr(library.get());
    if (!attr)
        return GUID_NULL;
    if (major != nullptr)
        *major = attr->wMajorVerNum;
    if (minor != nullptr)
        *minor = attr->wMinorVerNum;
    return attr->guid;
}

ComPtr<ITypeInfo> referenced(ITypeInfo* info, UINT implIndex)
{
    HREFTYPE href = 0;
    ComPtr<ITypeInfo> result;
    if (SUCCEEDED(info->GetRefTypeOfImplType(implIndex, &href)))
        info->GetRefTypeInfo(href, result.put());
    return result;
}

std::wstring typeText(const TYPEDESC& type)
{
    switch (type.vt) {
    case VT_I4:
        return L"long";
    case VT_R8:
        return L"double";
    case VT_BOOL:
        return L"VARIANT_BOOL";
    case VT_BSTR:
        return L"BSTR";
    case VT_VARIANT:
        return L"VARIANT";
    case VT_DISPATCH:
        return L"IDispatch*";
    case VT_PTR:
        return typeText(*type.lptdesc) + L"*";
    default:
        return L"vt" + std::to_wstring(type.vt);
    }
}

// A method as its IDL reads: "Name(in BSTR a, out VARIANT* b)".
std::wstring describe(ITypeInfo* info, const FUNCDESC& function)
{
    std::vector<BSTR> names(static_cast<size_t>(function.cParams) + 1, nullptr);
    UINT count = 0;
    info->GetNames(function.memid, names.data(), static_cast<UINT>(names.size()), &count);
    std::wstring text = names[0] != nullptr ? names[0] : L"?";
    text += L"(";
    for (SHORT i = 0; i < function.cParams; ++i) {
        const ELEMDESC& param = function.lprgelemdescParam[i];
        const USHORT flags = param.paramdesc.wParamFlags;
        text += i > 0 ? L", " : L"";
        text += (flags & PARAMFLAG_FOUT) ? L"out " : (flags & PARAMFLAG_FIN) ? L"in " : L"";
        text += typeText(param.tdesc) + L" ";
        text += names[static_cast<size_t>(i) + 1] != nullptr ? names[static_cast<size_t>(i) + 1] : L"?";
    }
    for (BSTR name : names)
        SysFreeString(name);
    return text + L")";
}

class OndivarTypeLibrary : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(S_OK, LoadTypeLibEx(typeLibraryPath, REGKIND_NONE, m_library.put())); }

    ComPtr<ITypeInfo> typeOfGuid(const wchar_t* guid)
    {
        ComPtr<ITypeInfo> info;
        EXPECT_EQ(S_OK, m_library->GetTypeInfoOfGuid(guidOf(guid), info.put())) << guid;
        return info;
    }

    ComPtr<ITypeLib> m_library;
};

TEST_F(OndivarTypeLibrary, CarriesItsIdentityAndHelpString)
{
    ScopedLibAttr attr(m_library.get());
    ASSERT_TRUE(attr);
    EXPECT_TRUE(IsEqualGUID(guidOf(ondivarLibid), attr->guid));
    EXPECT_EQ(1, attr->wMajorVerNum);
    EXPECT_EQ(0, attr->wMinorVerNum);
    EXPECT_EQ(0x409u, attr->lcid);
    EXPECT_EQ(nativeSysKind, attr->syskind);

    UniqueBstr name;
    UniqueBstr doc;
    ASSERT_EQ(S_OK, m_library->GetDocumentation(-1, name.put(), doc.put(), nullptr, nullptr));
    EXPECT_STREQ(L"OndivarLib", name.get());
    EXPECT_STREQ(L"Biblioth\u00e8que de types Ondivar 1.0", doc.get());

    // Type libraries keep their strings in the code page of their locale: 1252 for 0x409.
    std::ifstream file(typeLibraryPath, std::ios::binary);
    ASSERT_TRUE(file.good());
    const std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    EXPECT_NE(std::string::npos, bytes.find("Biblioth\xe8que de types Ondivar 1.0"));
}

TEST_F(OndivarTypeLibrary, DefinesOnlyItsOwnTypes)
{
    ComPtr<ITypeLib> capeOpen;
    ASSERT_EQ(S_OK, LoadRegTypeLib(guidOf(capeOpenLibid), 1, 1, 0, capeOpen.put()));

    std::set<std::wstring> names;
    const UINT count = m_library->GetTypeInfoCount();
    for (UINT i = 0; i < count; ++i) {
        ComPtr<ITypeInfo> info;
        ASSERT_EQ(S_OK, m_library->GetTypeInfo(i, info.put()));
        ScopedTypeAttr attr(info.get());
        ASSERT_TRUE(attr);
        ComPtr<ITypeInfo> sameInCapeOpen;
        EXPECT_EQ(TYPE_E_ELEMENTNOTFOUND, capeOpen->GetTypeInfoOfGuid(attr->guid, sameInCapeOpen.put()))
            << "defined in both libraries: " << nameOf(info.get()).c_str();
        names.insert(nameOf(info.get()));
    }
    const std::set<std::wstring> expected{
        L"ICapeHydroFlow",        L"ICapeHydroFields", L"ICapeHydroPropertyRoutine",
        L"ICapeHydroFlowRoutine", L"ICapeHydroPhases", L"Ondivar_Velt"};
    EXPECT_EQ(expected, names);
}

TEST_F(OndivarTypeLibrary, CoclassListsItsInterfacesInOrderWithCapeOpenOnesAsReferences)
{
    ComPtr<ITypeInfo> coclass = typeOfGuid(coclassClsid);
    ASSERT_TRUE(coclass);
    ScopedTypeAttr attr(coclass.get());
    ASSERT_TRUE(attr);
    EXPECT_EQ(TKIND_COCLASS, attr->typekind);
    EXPECT_EQ(TYPEFLAG_FCANCREATE, attr->wTypeFlags);
    UniqueBstr name;
    UniqueBstr doc;
    coclass->GetDocumentation(MEMBERID_NIL, name.put(), doc.put(), nullptr, nullptr);
    EXPECT_STREQ(L"Ondivar_Velt", name.get());
    EXPECT_STREQ(L"Ondivar_Velt Class", doc.get());

    struct Member {
        const wchar_t* iid;
        const wchar_t* name;
        bool capeOpen;
    };
    const Member expected[] = {
        {L"{678C0990-7D66-11D2-A67D-00105A42887F}", L"ICapeIdentification", true},
        {L"{678C09D5-7D66-11D2-A67D-00105A42887F}", L"ICapeHydroFlow", false},
        {L"{678C09D4-7D66-11D2-A67D-00105A42887F}", L"ICapeHydroFields", false},
        {L"{678C09D3-7D66-11D2-A67D-00105A42887F}", L"ICapeHydroPropertyRoutine", false},
        {L"{678C09D2-7D66-11D2-A67D-00105A42887F}", L"ICapeHydroFlowRoutine", false},
        {L"{678C09D1-7D66-11D2-A67D-00105A42887F}", L"ICapeHydroPhases", false},
        {L"{678C0B11-7D66-11D2-A67D-00105A42887F}", L"ECapeUser", true},
        {L"{678C0B13-7D66-11D2-A67D-00105A42887F}", L"ECapeData", true},
        {L"{678C0B10-7D66-11D2-A67D-00105A42887F}", L"ECapeRoot", true},
        {L"{678C0B12-7D66-11D2-A67D-00105A42887F}", L"ECapeUnknown", true},
        {L"{678C0B17-7D66-11D2-A67D-00105A42887F}", L"ECapeInvalidArgument", true},
        {L"{E29E42B3-E481-45C6-A737-78F4A7FC0391}", L"ECapeBadArgument", true},
        {L"{678C0B21-7D66-11D2-A67D-00105A42887F}", L"ECapeSolvingError", true},
        {L"{678C0B18-7D66-11D2-A67D-00105A42887F}", L"ECapeOutOfBounds", true},
        {L"{678C0B29-7D66-11D2-A67D-00105A42887F}", L"ECapeBoundaries", true},
        {L"{678C0B20-7D66-11D2-A67D-00105A42887F}", L"ECapeFailedInitialisation", true},
        {L"{678C0B1B-7D66-11D2-A67D-00105A42887F}", L"ECapeLimitedImpl", true},
    };
    ASSERT_EQ(std::size(expected), attr->cImplTypes);
    for (UINT i = 0; i < attr->cImplTypes; ++i) {
        const Member& member = expected[i];
        SCOPED_TRACE(member.name);
        ComPtr<ITypeInfo> info = referenced(coclass.get(), i);
        ASSERT_TRUE(info);
        ScopedTypeAttr memberAttr(info.get());
        ASSERT_TRUE(memberAttr);
        EXPECT_TRUE(IsEqualGUID(guidOf(member.iid), memberAttr->guid));
        EXPECT_EQ(member.name, nameOf(info.get()));

        WORD major = 0;
        WORD minor = 0;
        const GUID library = libraryOf(info.get(), &major, &minor);
        if (member.capeOpen) {
            EXPECT_TRUE(IsEqualGUID(guidOf(capeOpenLibid), library));
            EXPECT_EQ(1, major);
            EXPECT_EQ(1, minor);
        } else {
            EXPECT_TRUE(IsEqualGUID(guidOf(ondivarLibid), library));
        }
        INT flags = -1;
        ASSERT_EQ(S_OK, coclass->GetImplTypeFlags(i, &flags));
        EXPECT_EQ(i == 0 ? IMPLTYPEFLAG_FDEFAULT : 0, flags);
    }
}

struct InterfaceShape {
    const wchar_t* name;
    const wchar_t* iid;
    std::vector<std::wstring> methods; // in vtable order; method i has dispatch id i
};

const InterfaceShape interfaceShapes[] = {
    {L"ICapeHydroPhases",
     L"{678C09D1-7D66-11D2-A67D-00105A42887F}",
     {L"GetNumPhases(out long* num)",
      L"GetPhaseInfo(in long numPhase, out BSTR* stateOfAggregation, out BSTR* typeInfo)"}},
    {L"ICapeHydroFlowRoutine",
     L"{678C09D2-7D66-11D2-A67D-00105A42887F}",
     {L"CalcFlow(in BSTR specification1, in BSTR specification2, in BSTR flowregime)",
      L"CheckCalcFlowSpec(in BSTR specification1, in BSTR specification2, in BSTR flowregime, out "
      L"VARIANT_BOOL* "
      L"isSupported)",
      L"GetFinalState(out VARIANT* propvals)", L"SetInitState(in VARIANT propvals)"}},
    {L"ICapeHydroPropertyRoutine",
     L"{678C09D3-7D66-11D2-A67D-00105A42887F}",
     {L"CalcSingleHydroProp(in VARIANT props, in BSTR phaseLabel)",
      L"CalcTwoHydroProp(in VARIANT props, in VARIANT phaseLabels)",
      L"CheckMixtureHydroPropList(in BSTR specification1, in BSTR specification2, out VARIANT* props)",
      L"CheckSingleHydroPropList(in BSTR specification1, in BSTR specification2, out VARIANT* props)",
      L"CheckTwoHydroPropList(in BSTR specification1, in BSTR specification2, out VARIANT* props)",
      L"GetGeometryPropList(in BSTR specification1, in BSTR specification2, out VARIANT* props)",
      L"GetSingleHydroPropList(in BSTR specification1, in BSTR specification2, out VARIANT* props)",
      L"GetSinglePhasePropList(in BSTR specification1, in BSTR specification2, out VARIANT* props)",
      L"GetTwoPhasePropList(in BSTR specification1, in BSTR specification2, out VARIANT* props)"}},
    {L"ICapeHydroFields",
     L"{678C09D4-7D66-11D2-A67D-00105A42887F}",
     {L"GetFieldInfo(in BSTR layerLabel, in BSTR fieldLabel, in BSTR fieldAttribute, out BSTR* value)",
      L"GetLayerInfo(in BSTR layerLabel, in BSTR fieldAttribute, out BSTR* value)",
      L"GetPresentFields(in BSTR layerLabel, out VARIANT* fieldLabels)",
      L"GetPresentLayers(out VARIANT* layerLabels)",
      L"GetPresentPhases(in BSTR layerLabel, in BSTR fieldLabel, out VARIANT* phaseLabels)",
      L"GetSingleFieldProp(in BSTR pty, in BSTR layerLabel, in BSTR fieldLabel, out double* result)",
      L"GetSingleLayerProp(in BSTR pty, in BSTR layerLabel, out double* result)",
      L"GetSinglePhaseProp(in BSTR pty, in BSTR layerLabel, in BSTR fieldLabel, in BSTR phaseLabel, out "
      L"double* "
      L"result)",
      L"GetTwoLayerProp(in BSTR pty, in VARIANT layerLabels, out double* result)"}},
    {L"ICapeHydroFlow",
     L"{678C09D5-7D66-11D2-A67D-00105A42887F}",
     {L"ClearAllProps()", L"CreateHPM(out IDispatch** hpm)", L"CopyFromHPM(in IDispatch* hpmSource)",
      L"GetFlowRegime(out BSTR* regime, out BSTR* qualifier)",
      L"GetMixtureProp(in BSTR pty, out VARIANT* values)",
      L"GetSingleHydroProp(in BSTR pty, in BSTR phaseLabel, out VARIANT* values)",
      L"GetTwoHydroProp(in BSTR pty, in VARIANT phaseLabel, out VARIANT* values)",
      L"SetGeometryProp(in BSTR pty, in VARIANT values)", L"SetMixtureProp(in BSTR pty, in VARIANT values)",
      L"SetOverallProp(in BSTR pty, out VARIANT* values)",
      L"SetPresentPhases(in VARIANT phaseLabel, in VARIANT stateOfAggregation, in VARIANT typeInfo)",
      L"SetSingleHydroProp(in BSTR pty, in BSTR phaseLabel, in VARIANT values)",
      L"SetSinglePhaseProp(in BSTR pty, in BSTR phaseLabel, in VARIANT values)",
      L"SetTwoHydroProp(in BSTR pty, in VARIANT phaseLabel, in VARIANT values)",
      L"SetTwoPhaseProp(in BSTR pty, in VARIANT phaseLabel, in VARIANT values)"}},
};

TEST_F(OndivarTypeLibrary, InterfacesAreDualWithTheirMethodsInVtableOrder)
{
    const WORD dual = TYPEFLAG_FDUAL | TYPEFLAG_FOLEAUTOMATION | TYPEFLAG_FDISPATCHABLE;
    for (const InterfaceShape& shape : interfaceShapes) {
        SCOPED_TRACE(shape.name);
        ComPtr<ITypeInfo> dispatch = typeOfGuid(shape.iid);
        ASSERT_TRUE(dispatch);
        EXPECT_EQ(shape.name, nameOf(dispatch.get()));
        {
            ScopedTypeAttr attr(dispatch.get());
            ASSERT_TRUE(attr);
            // The dispatch view of a dual interface: automation compatibility is a property of the vtable.
            EXPECT_EQ(TKIND_DISPATCH, attr->typekind);
            EXPECT_EQ(TYPEFLAG_FDUAL | TYPEFLAG_FDISPATCHABLE, attr->wTypeFlags & dual);
        }

        ComPtr<ITypeInfo> vtable = referenced(dispatch.get(), static_cast<UINT>(-1));
        ASSERT_TRUE(vtable);
        ScopedTypeAttr attr(vtable.get());
        ASSERT_TRUE(attr);
        EXPECT_EQ(TKIND_INTERFACE, attr->typekind);
        EXPECT_EQ(dual, attr->wTypeFlags & dual);
        ComPtr<ITypeInfo> base = referenced(vtable.get(), 0);
        ASSERT_TRUE(base);
        EXPECT_EQ(L"IDispatch", nameOf(base.get()));
        EXPECT_EQ(7 * sizeof(void*) + shape.methods.size() * sizeof(void*), attr->cbSizeVft);

        ASSERT_EQ(shape.methods.size(), attr->cFuncs);
        for (UINT i = 0; i < attr->cFuncs; ++i) {
            ScopedFuncDesc function(vtable.get(), i);
            ASSERT_TRUE(function);
            EXPECT_EQ(shape.methods[i], describe(vtable.get(), *function));
            EXPECT_EQ(static_cast<MEMBERID>(i), function->memid);
            EXPECT_EQ(FUNC_PUREVIRTUAL, function->funckind);
            EXPECT_EQ(INVOKE_FUNC, function->invkind);
            EXPECT_EQ(VT_HRESULT, function->elemdescFunc.tdesc.vt);
            EXPECT_EQ(static_cast<SHORT>((7 + i) * sizeof(void*)), function->oVft);

            // The dispatch ids a client's IDispatch::GetIDsOfNames gets through this library.
            UniqueBstr methodName;
            vtable->GetDocumentation(function->memid, methodName.put(), nullptr, nullptr, nullptr);
            LPOLESTR names[] = {methodName.get()};
            MEMBERID id = -1;
            EXPECT_EQ(S_OK, dispatch->GetIDsOfNames(names, 1, &id));
            EXPECT_EQ(static_cast<MEMBERID>(i), id);
        }
    }
}

// Registering and removing OndivarLib must leave the CAPE-OPEN interfaces' keys exactly as the CAPE-OPEN
// library's registration wrote them (other components depend on them), while it does register and
// remove its own interfaces. All of it in a private stand-in for HKEY_CLASSES_ROOT.
TEST_F(OndivarTypeLibrary, RegistrationLeavesTheCapeOpenInterfaceKeysAlone)
{
    const wchar_t* const capeOpenInterfaces[] = {
        L"{678C0990-7D66-11D2-A67D-00105A42887F}", L"{678C0B11-7D66-11D2-A67D-00105A42887F}",
        L"{678C0B13-7D66-11D2-A67D-00105A42887F}", L"{678C0B10-7D66-11D2-A67D-00105A42887F}",
        L"{678C0B12-7D66-11D2-A67D-00105A42887F}", L"{678C0B17-7D66-11D2-A67D-00105A42887F}",
        L"{E29E42B3-E481-45C6-A737-78F4A7FC0391}", L"{678C0B21-7D66-11D2-A67D-00105A42887F}",
        L"{678C0B18-7D66-11D2-A67D-00105A42887F}", L"{678C0B29-7D66-11D2-A67D-00105A42887F}",
        L"{678C0B20-7D66-11D2-A67D-00105A42887F}", L"{678C0B1B-7D66-11D2-A67D-00105A42887F}",
    };
    using ondivar::testing::RegistrySnapshot;
    ondivar::testing::PrivateClassesRoot classes(L"module-typelib");
    ASSERT_EQ(S_OK, classes.hr());
    std::vector<RegistrySnapshot> before;
    for (const wchar_t* iid : capeOpenInterfaces) {
        before.emplace_back(HKEY_CLASSES_ROOT, std::wstring(L"Interface\\") + iid);
        ASSERT_TRUE(before.back().exists()) << "the CAPE-OPEN library is not registered: " << iid;
        ASSERT_EQ(capeOpenLibid, before.back().value(L"TypeLib", L""));
    }
    const std::wstring ownInterface = L"Interface\\{678C09D5-7D66-11D2-A67D-00105A42887F}";

    std::wstring path = typeLibraryPath;
    ASSERT_EQ(S_OK, RegisterTypeLib(m_library.get(), path.data(), nullptr));
    struct Unregister {
        ~Unregister()
        {
            if (active)
                UnRegisterTypeLib(guidOf(ondivarLibid), 1, 0, 0x409, nativeSysKind);
        }
        bool active = true;
    } unregister;

    EXPECT_EQ(ondivarLibid, RegistrySnapshot(HKEY_CLASSES_ROOT, ownInterface).value(L"TypeLib", L""));
    for (const RegistrySnapshot& snapshot : before)
        EXPECT_EQ(snapshot, RegistrySnapshot(HKEY_CLASSES_ROOT, snapshot.path())) << "after registration";

    unregister.active = false;
    ASSERT_EQ(S_OK, UnRegisterTypeLib(guidOf(ondivarLibid), 1, 0, 0x409, nativeSysKind));
    EXPECT_FALSE(RegistrySnapshot(HKEY_CLASSES_ROOT, ownInterface).exists());
    for (const RegistrySnapshot& snapshot : before)
        EXPECT_EQ(snapshot, RegistrySnapshot(HKEY_CLASSES_ROOT, snapshot.path())) << "after removal";
}

} // namespace
