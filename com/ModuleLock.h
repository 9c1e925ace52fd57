// The module's lock count: one lock per live object of this module, one per client lock on a class
// object, one while a client holds the cached class object. The DLL may unload only while the count is 0.
// The count may change on any thread.
#pragma once

#include <windows.h>

namespace ondivar {

// Each returns the count after the change.
LONG lockModule() noexcept;
LONG unlockModule() noexcept;
LONG moduleLockCount() noexcept;

// Holds one lock on the module for its lifetime.
class ModuleLock {
public:
    ModuleLock() noexcept { lockModule(); }
    ~ModuleLock() { unlockModule(); }
    ModuleLock(const ModuleLock&) = delete;
    ModuleLock& operator=(const ModuleLock&) = delete;
};

} // namespace ondivar
