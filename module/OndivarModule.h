// The module object: one instance lives from load to unload of the DLL. It counts the locks on the
// module (one per live component instance, one per client lock on the class object); the entry points
// let the DLL unload only while the count is 0. The count may change on any thread.
#pragma once

#include <windows.h>

namespace ondivar {

class COndivarModule {
public:
    constexpr COndivarModule() noexcept = default;
    COndivarModule(const COndivarModule&) = delete;
    COndivarModule& operator=(const COndivarModule&) = delete;

    // Each returns the count after the change.
    LONG lock() noexcept;
    LONG unlock() noexcept;
    LONG lockCount() const noexcept;

private:
    mutable LONG m_lockCount = 0;
};

// The module object of this DLL.
extern COndivarModule g_module;

// Holds one lock on the module for its lifetime.
class ModuleLock {
public:
    ModuleLock() noexcept { g_module.lock(); }
    ~ModuleLock() { g_module.unlock(); }
    ModuleLock(const ModuleLock&) = delete;
    ModuleLock& operator=(const ModuleLock&) = delete;
};

} // namespace ondivar
