// The module object's part that only the DLL has: DllMain's work, the class table lookup, the unload
// answer.
#include "module/ClassTable.h"
#include "module/OndivarModule.h"

#include "com/ModuleLock.h"

#include "com/TypeInfoCache.h"

namespace ondivar {

BOOL COndivarModule::dllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) noexcept
{
    if (reason == DLL_PROCESS_ATTACH) {
        m_instance = instance;
    } else if (reason == DLL_PROCESS_DETACH && reserved == nullptr) {
        // FreeLibrary: the process goes on, so what the module holds from COM is given back. When the
        // process ends, nothing is called any more.
        releaseClassObjects();
        clearTypeInfoCache();
    }
    return TRUE;
}

HRESULT COndivarModule::getClassObject(REFCLSID clsid, REFIID riid, void** object) noexcept
{
    if (object == nullptr)
        return E_POINTER;
    *object = nullptr;
    const ClassEntry* entries = classTable();
    for (std::size_t i = 0; i < classCount(); ++i) {
        if (!IsEqualCLSID(clsid, *entries[i].clsid))
            continue;
        CClassFactory* factory = cachedClassObject(i);
        if (factory == nullptr)
            return E_OUTOFMEMORY;
        return factory->QueryInterface(riid, object);
    }
    return CLASS_E_CLASSNOTAVAILABLE;
}

HRESULT COndivarModule::canUnloadNow() const noexcept
{
    return moduleLockCount() == 0 ? S_OK : S_FALSE;
}

} // namespace ondivar
