#include "tools/typelib/TypeLibRewriter.h"
#include "support/StringConversion.h"

#include "tools/typelib/TypeDescCopy.h"
#include "tools/typelib/TypeInfoAttributes.h"
#include "tools/typelib/WidlText.h"

#include <cstdio>
#include <cstring>
#include <utility>

namespace ondivar::typelib {

namespace {

constexpr SYSKIND nativeSysKind = sizeof(void*) == 8 ? SYS_WIN64 : SYS_WIN32;
// What a dual interface needs in the new library: Wine's writer neither keeps nor derives these.
constexpr WORD dualInterfaceFlags = TYPEFLAG_FDUAL | TYPEFLAG_FOLEAUTOMATION | TYPEFLAG_FDISPATCHABLE;

void check(HRESULT hr, const std::string& what)
{
    if (FAILED(hr)) {
        char code[16];
        std::snprintf(code, sizeof code, "0x%08lX", static_cast<unsigned long>(hr));
        throw RewriteError(what + " failed: " + code, hr);
    }
}

std::string typeName(ITypeInfo* info)
{
    UniqueBstr name;
    info->GetDocumentation(MEMBERID_NIL, name.put(), nullptr, nullptr, nullptr);
    return wideToUtf8(name.get());
}

bool isDual(const TYPEATTR& attr)
{
    return (attr.wTypeFlags & TYPEFLAG_FDUAL) != 0;
}

// The interface half of a dual interface that info describes as a dispinterface.
ComPtr<ITypeInfo> interfaceHalf(ITypeInfo* info)
{
    HREFTYPE href = 0;
    check(info->GetRefTypeOfImplType(static_cast<UINT>(-1), &href),
          "GetRefTypeOfImplType(-1) of " + typeName(info));
    ComPtr<ITypeInfo> half;
    check(info->GetRefTypeInfo(href, half.put()), "GetRefTypeInfo of the interface of " + typeName(info));
    return half;
}

// The view of info with the kind wanted: the interface half of a dual interface when a vtable interface
// is wanted, info itself otherwise.
ComPtr<ITypeInfo> viewOfKind(ITypeInfo* info, TYPEKIND wanted)
{
    TypeAttr attr(info);
    if (wanted == TKIND_INTERFACE && attr->typekind == TKIND_DISPATCH && isDual(*attr))
        return interfaceHalf(info);
    return ComPtr<ITypeInfo>(info);
}

} // namespace

bool TypeLibRewriter::GuidLess::operator()(const GUID& a, const GUID& b) const noexcept
{
    return std::memcmp(&a, &b, sizeof(GUID)) < 0;
}

TypeLibRewriter::TypeLibRewriter(ComPtr<ITypeLib> source, std::vector<ComPtr<ITypeLib>> imported)
    : m_source(std::move(source)), m_imported(std::move(imported))
{
}

void TypeLibRewriter::write(const std::wstring& path)
{
    {
        LibAttr attr(m_source.get());
        if (attr->syskind != nativeSysKind)
            throw RewriteError("the library was written for another architecture than this program "
                               "(SYSKIND " +
                                   std::to_string(attr->syskind) + ")",
                               S_OK);
        m_sourceLibid = attr->guid;
        check(CreateTypeLib2(attr->syskind, path.c_str(), m_target.put()), "CreateTypeLib2");
    }
    collectImportedTypes();
    copyLibraryAttributes();
    createOwnTypes();
    const UINT count = m_source->GetTypeInfoCount();
    for (UINT i = 0; i < count; ++i) {
        ComPtr<ITypeInfo> info;
        check(m_source->GetTypeInfo(i, info.put()), "GetTypeInfo");
        TypeAttr attr(info.get());
        if (m_created.count(attr->guid) != 0)
            fillOwnType(info.get());
    }
    check(m_target->SaveAllChanges(), "SaveAllChanges");
}

void TypeLibRewriter::collectImportedTypes()
{
    for (const ComPtr<ITypeLib>& library : m_imported) {
        LibAttr libraryAttr(library.get());
        if (IsEqualGUID(libraryAttr->guid, m_sourceLibid))
            throw RewriteError("an imported library is the library itself", S_OK);
        const UINT count = library->GetTypeInfoCount();
        for (UINT i = 0; i < count; ++i) {
            ComPtr<ITypeInfo> info;
            check(library->GetTypeInfo(i, info.put()), "GetTypeInfo of an imported library");
            TypeAttr attr(info.get());
            if (!IsEqualGUID(attr->guid, GUID_NULL))
                m_importedTypes.emplace(attr->guid, info);
        }
    }
}

// A copy that is not the imported type it claims to be would make the reference lie: refuse it.
void TypeLibRewriter::checkCopyMatchesImported(ITypeInfo* copy, ITypeInfo* imported) const
{
    TypeAttr copyAttr(copy);
    TypeAttr importedAttr(imported);
    if (copyAttr->typekind != importedAttr->typekind || copyAttr->cFuncs != importedAttr->cFuncs ||
        copyAttr->cImplTypes != importedAttr->cImplTypes)
        throw RewriteError("the library's copy of " + typeName(copy) + " differs from the imported " +
                               typeName(imported),
                           S_OK);
}

void TypeLibRewriter::copyLibraryAttributes()
{
    LibAttr attr(m_source.get());
    check(m_target->SetGuid(attr->guid), "SetGuid");
    check(m_target->SetVersion(attr->wMajorVerNum, attr->wMinorVerNum), "SetVersion");
    check(m_target->SetLcid(attr->lcid), "SetLcid");
    // The disk-image flag describes the file being read, not a property the new library can claim.
    check(m_target->SetLibFlags(attr->wLibFlags & ~LIBFLAG_FHASDISKIMAGE), "SetLibFlags");

    UniqueBstr name;
    UniqueBstr doc;
    UniqueBstr helpFile;
    DWORD helpContext = 0;
    check(m_source->GetDocumentation(-1, name.put(), doc.put(), &helpContext, helpFile.put()),
          "GetDocumentation of the library");
    check(m_target->SetName(name.get()), "SetName");
    if (doc.get() != nullptr) {
        std::wstring text = decodeWidlText(doc.get());
        check(m_target->SetDocString(text.data()), "SetDocString");
    }
    if (helpFile.get() != nullptr)
        check(m_target->SetHelpFileName(helpFile.get()), "SetHelpFileName");
    check(m_target->SetHelpContext(helpContext), "SetHelpContext");
}

// Creates every own type first, so that references between them (a coclass to its interfaces) can be
// resolved while the types are filled in.
void TypeLibRewriter::createOwnTypes()
{
    const UINT count = m_source->GetTypeInfoCount();
    for (UINT i = 0; i < count; ++i) {
        ComPtr<ITypeInfo> info;
        check(m_source->GetTypeInfo(i, info.put()), "GetTypeInfo");
        TypeAttr attr(info.get());
        const auto imported = m_importedTypes.find(attr->guid);
        if (imported != m_importedTypes.end()) {
            checkCopyMatchesImported(info.get(), imported->second.get());
            continue;
        }
        TYPEKIND kind;
        switch (attr->typekind) {
        case TKIND_INTERFACE:
            kind = TKIND_INTERFACE;
            break;
        case TKIND_DISPATCH:
            if (!isDual(*attr))
                throw RewriteError("dispinterface " + typeName(info.get()) + " is not supported", S_OK);
            kind = TKIND_INTERFACE;
            break;
        case TKIND_COCLASS:
            kind = TKIND_COCLASS;
            break;
        default:
            throw RewriteError("type " + typeName(info.get()) + " of kind " + std::to_string(attr->typekind) +
                                   " is not supported",
                               S_OK);
        }
        if (IsEqualGUID(attr->guid, GUID_NULL) || m_created.count(attr->guid) != 0)
            throw RewriteError("type " + typeName(info.get()) + " has no GUID of its own", S_OK);

        UniqueBstr name;
        check(m_source->GetDocumentation(static_cast<INT>(i), name.put(), nullptr, nullptr, nullptr),
              "GetDocumentation");
        ComPtr<ICreateTypeInfo> created;
        check(m_target->CreateTypeInfo(name.get(), kind, created.put()),
              "CreateTypeInfo " + typeName(info.get()));
        check(created->SetGuid(attr->guid), "SetGuid of " + typeName(info.get()));
        check(created->SetVersion(attr->wMajorVerNum, attr->wMinorVerNum),
              "SetVersion of " + typeName(info.get()));
        m_created.emplace(attr->guid, created);
    }
}

void TypeLibRewriter::fillOwnType(ITypeInfo* source)
{
    TypeAttr attr(source);
    ICreateTypeInfo* target = m_created.at(attr->guid).get();
    copyTypeDocumentation(source, target);
    if (attr->typekind == TKIND_COCLASS) {
        copyCoclass(source, target);
        return;
    }
    WORD flags = attr->wTypeFlags;
    ComPtr<ITypeInfo> vtableView(source);
    if (isDual(*attr)) {
        flags |= dualInterfaceFlags;
        if (attr->typekind == TKIND_DISPATCH)
            vtableView = interfaceHalf(source);
    }
    copyInterface(vtableView.get(), target);
    check(target->SetTypeFlags(flags), "SetTypeFlags of " + typeName(source));
    check(target->LayOut(), "LayOut of " + typeName(source));
}

void TypeLibRewriter::copyInterface(ITypeInfo* source, ICreateTypeInfo* target)
{
    TypeAttr attr(source);
    for (UINT i = 0; i < attr->cImplTypes; ++i) {
        HREFTYPE base = 0;
        check(source->GetRefTypeOfImplType(i, &base), "GetRefTypeOfImplType of " + typeName(source));
        check(target->AddImplType(i, translateReference(source, base, target)),
              "AddImplType of " + typeName(source));
    }
    copyFunctions(source, target);
}

void TypeLibRewriter::copyCoclass(ITypeInfo* source, ICreateTypeInfo* target)
{
    TypeAttr attr(source);
    for (UINT i = 0; i < attr->cImplTypes; ++i) {
        HREFTYPE member = 0;
        INT flags = 0;
        check(source->GetRefTypeOfImplType(i, &member), "GetRefTypeOfImplType of " + typeName(source));
        check(source->GetImplTypeFlags(i, &flags), "GetImplTypeFlags of " + typeName(source));
        check(target->AddImplType(i, translateReference(source, member, target)),
              "AddImplType of " + typeName(source));
        check(target->SetImplTypeFlags(i, flags), "SetImplTypeFlags of " + typeName(source));
    }
    // After AddImplType, which changes the flags of a coclass in Wine's writer.
    check(target->SetTypeFlags(attr->wTypeFlags), "SetTypeFlags of " + typeName(source));
    check(target->LayOut(), "LayOut of " + typeName(source));
}

void TypeLibRewriter::copyFunctions(ITypeInfo* source, ICreateTypeInfo* target)
{
    TypeAttr attr(source);
    for (UINT i = 0; i < attr->cFuncs; ++i) {
        FuncDesc desc(source, i);
        const std::string where = typeName(source) + " function " + std::to_string(i);
        const auto translate = [&](HREFTYPE href) { return translateReference(source, href, target); };

        TypeDescCopy types;
        FUNCDESC copy = *desc;
        copy.elemdescFunc.tdesc = types.copy(desc->elemdescFunc.tdesc, translate);
        std::vector<ELEMDESC> params(desc->lprgelemdescParam, desc->lprgelemdescParam + desc->cParams);
        for (ELEMDESC& param : params)
            param.tdesc = types.copy(param.tdesc, translate);
        copy.lprgelemdescParam = params.empty() ? nullptr : params.data();
        check(target->AddFuncDesc(i, &copy), "AddFuncDesc of " + where);

        std::vector<BSTR> names(static_cast<size_t>(desc->cParams) + 1, nullptr);
        UINT nameCount = 0;
        check(source->GetNames(desc->memid, names.data(), static_cast<UINT>(names.size()), &nameCount),
              "GetNames of " + where);
        const HRESULT named = target->SetFuncAndParamNames(i, names.data(), nameCount);
        for (BSTR name : names)
            SysFreeString(name);
        check(named, "SetFuncAndParamNames of " + where);

        // By member id: a property's get and put accessors share one help string.
        UniqueBstr doc;
        DWORD helpContext = 0;
        check(source->GetDocumentation(desc->memid, nullptr, doc.put(), &helpContext, nullptr),
              "GetDocumentation of " + where);
        if (doc.get() != nullptr) {
            std::wstring text = decodeWidlText(doc.get());
            check(target->SetFuncDocString(i, text.data()), "SetFuncDocString of " + where);
        }
        if (helpContext != 0)
            check(target->SetFuncHelpContext(i, helpContext), "SetFuncHelpContext of " + where);
    }
}

void TypeLibRewriter::copyTypeDocumentation(ITypeInfo* source, ICreateTypeInfo* target)
{
    UniqueBstr doc;
    DWORD helpContext = 0;
    check(source->GetDocumentation(MEMBERID_NIL, nullptr, doc.put(), &helpContext, nullptr),
          "GetDocumentation of " + typeName(source));
    if (doc.get() != nullptr) {
        std::wstring text = decodeWidlText(doc.get());
        check(target->SetDocString(text.data()), "SetDocString of " + typeName(source));
    }
    check(target->SetHelpContext(helpContext), "SetHelpContext of " + typeName(source));
}

ComPtr<ITypeInfo> TypeLibRewriter::targetOf(ITypeInfo* sourceReference)
{
    TypeAttr attr(sourceReference);
    const auto created = m_created.find(attr->guid);
    if (created != m_created.end())
        return created->second.query<ITypeInfo>(IID_ITypeInfo);
    const auto imported = m_importedTypes.find(attr->guid);
    if (imported != m_importedTypes.end())
        return viewOfKind(imported->second.get(), attr->typekind);

    // Already external in the source (stdole2's IDispatch, for one): reference it as it is.
    ComPtr<ITypeLib> container;
    UINT index = 0;
    check(sourceReference->GetContainingTypeLib(container.put(), &index),
          "GetContainingTypeLib of " + typeName(sourceReference));
    LibAttr containerAttr(container.get());
    if (IsEqualGUID(containerAttr->guid, m_sourceLibid))
        throw RewriteError("reference to " + typeName(sourceReference) + ", a type that was not copied",
                           S_OK);
    return ComPtr<ITypeInfo>(sourceReference);
}

HREFTYPE TypeLibRewriter::translateReference(ITypeInfo* source, HREFTYPE sourceRef, ICreateTypeInfo* target)
{
    ComPtr<ITypeInfo> referenced;
    check(source->GetRefTypeInfo(sourceRef, referenced.put()), "GetRefTypeInfo in " + typeName(source));
    ComPtr<ITypeInfo> destination = targetOf(referenced.get());
    HREFTYPE result = 0;
    check(target->AddRefTypeInfo(destination.get(), &result),
          "AddRefTypeInfo of " + typeName(referenced.get()) + " in " + typeName(source));
    return result;
}

} // namespace ondivar::typelib
