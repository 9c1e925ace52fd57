// The module's class table: the creatable classes of the DLL, each with its cached class object and its
// registration script.
#pragma once

#include "module/ClassFactory.h"

#include <cstddef>

namespace ondivar {

struct ClassEntry {
    const CLSID* clsid;
    CClassFactory::Creator create;
    // The REGISTRY resource that registers the class.
    UINT registryScript;
};

// The entries, and how many there are.
const ClassEntry* classTable() noexcept;
std::size_t classCount() noexcept;

// The class object of entry `index`, created on first use and kept; not AddRef'ed (null when memory ran
// out).
CClassFactory* cachedClassObject(std::size_t index) noexcept;

// Drops the module's references to the cached class objects (the DLL is being unloaded).
void releaseClassObjects() noexcept;

} // namespace ondivar
