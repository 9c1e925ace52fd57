// The attribute blocks of type information for the rewrite: a block that cannot be had throws
// RewriteError.
#pragma once

#include "support/ComHandles.h"
#include "tools/typelib/TypeLibRewriter.h"

#include <string>

namespace ondivar::typelib {

class LibAttr : public ScopedLibAttr {
public:
    explicit LibAttr(ITypeLib* library) : ScopedLibAttr(library)
    {
        if (!*this)
            throw RewriteError("GetLibAttr failed", hr());
    }
};

class TypeAttr : public ScopedTypeAttr {
public:
    explicit TypeAttr(ITypeInfo* info) : ScopedTypeAttr(info)
    {
        if (!*this)
            throw RewriteError("GetTypeAttr failed", hr());
    }
};

class FuncDesc : public ScopedFuncDesc {
public:
    FuncDesc(ITypeInfo* info, UINT index) : ScopedFuncDesc(info, index)
    {
        if (!*this)
            throw RewriteError("GetFuncDesc " + std::to_string(index) + " failed", hr());
    }
};

} // namespace ondivar::typelib
