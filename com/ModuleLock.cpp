#include "com/ModuleLock.h"

namespace ondivar {
namespace {

LONG g_lockCount = 0;

} // namespace

LONG lockModule() noexcept
{
    return InterlockedIncrement(&g_lockCount);
}

LONG unlockModule() noexcept
{
    return InterlockedDecrement(&g_lockCount);
}

LONG moduleLockCount() noexcept
{
    return InterlockedCompareExchange(&g_lockCount, 0, 0);
}

} // namespace ondivar
