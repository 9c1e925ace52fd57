#include "module/OndivarModule.h"

namespace ondivar {

COndivarModule g_module;

LONG COndivarModule::lock() noexcept
{
    return InterlockedIncrement(&m_lockCount);
}

LONG COndivarModule::unlock() noexcept
{
    return InterlockedDecrement(&m_lockCount);
}

LONG COndivarModule::lockCount() const noexcept
{
    return InterlockedCompareExchange(&m_lockCount, 0, 0);
}

} // namespace ondivar
