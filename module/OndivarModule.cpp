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

const GUID& COndivarModule::appId() noexcept
{
    static const GUID id = {0xA2F96C13, 0x7B58, 0x4E0A, {0x8D, 0x4C, 0x51, 0xE3, 0xB0, 0x9F, 0x7D, 0x26}};
    return id;
}

} // namespace ondivar
