// Rewrites a type library so that the types of other libraries it carries as copies become references
// into those libraries.
//
// widl copies every interface that a coclass lists into the library it writes, even one declared by an
// imported library. Registering such a library would take over the imported interfaces' registry keys
// (and unregistering it would delete them). The rewrite builds a new library with CreateTypeLib2: the
// library's own types are copied member by member, and every reference to a type whose GUID belongs to
// one of the imported libraries points into that library, which thus lands in the import table.
#pragma once

#include "support/ComHandles.h"

#include <windows.h>
#include <oleauto.h>

#include <map>
#include <stdexcept>
#include <string>
#include <vector>

namespace ondivar::typelib {

// A failure of the rewrite, with the HRESULT of the call that failed (S_OK for a refused input).
class RewriteError : public std::runtime_error {
public:
    RewriteError(const std::string& what, HRESULT hr) : std::runtime_error(what), m_hr(hr) {}
    HRESULT hr() const noexcept { return m_hr; }

private:
    HRESULT m_hr;
};

class TypeLibRewriter {
public:
    // source: the library to rewrite; imported: the libraries whose types must stay external.
    TypeLibRewriter(ComPtr<ITypeLib> source, std::vector<ComPtr<ITypeLib>> imported);

    // Writes the rewritten library to path (a Windows path). Throws RewriteError.
    void write(const std::wstring& path);

private:
    struct GuidLess {
        bool operator()(const GUID& a, const GUID& b) const noexcept;
    };

    void collectImportedTypes();
    void checkCopyMatchesImported(ITypeInfo* copy, ITypeInfo* imported) const;
    void copyLibraryAttributes();
    void createOwnTypes();
    void fillOwnType(ITypeInfo* source);
    void copyInterface(ITypeInfo* source, ICreateTypeInfo* target);
    void copyCoclass(ITypeInfo* source, ICreateTypeInfo* target);
    void copyFunctions(ITypeInfo* source, ICreateTypeInfo* target);
    void copyTypeDocumentation(ITypeInfo* source, ICreateTypeInfo* target);

    // The type in the new library (or the external type) that a reference of the source stands for.
    ComPtr<ITypeInfo> targetOf(ITypeInfo* sourceReference);
    // A reference handle in target for what sourceRef (a handle of source) designates.
    HREFTYPE translateReference(ITypeInfo* source, HREFTYPE sourceRef, ICreateTypeInfo* target);

    ComPtr<ITypeLib> m_source;
    std::vector<ComPtr<ITypeLib>> m_imported;
    std::map<GUID, ComPtr<ITypeInfo>, GuidLess> m_importedTypes;
    std::map<GUID, ComPtr<ICreateTypeInfo>, GuidLess> m_created;
    ComPtr<ICreateTypeLib2> m_target;
    GUID m_sourceLibid{};
};

} // namespace ondivar::typelib
