#include "module/OndivarModule.h"

namespace ondivar {

COndivarModule g_module;

const GUID& COndivarModule::appId() noexcept
{
    static const GUID id = {0xA2F96C13, 0x7B58, 0x4E0A, {0x8D, 0x4C, 0x51, 0xE3, 0xB0, 0x9F, 0x7D, 0x26}};
    return id;
}

} // namespace ondivar
