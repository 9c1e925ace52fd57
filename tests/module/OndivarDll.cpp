#include "tests/module/OndivarDll.h"

#include "tests/module/RegisteredKeys.h"

namespace ondivar::test {
namespace {

template <class Function> void find(HMODULE module, const char* name, Function& function)
{
    function = reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

OndivarDll load()
{
    OndivarDll dll;
    dll.path = fullPath(ONDIVAR_DLL_PATH);
    dll.module = LoadLibraryW(dll.path.c_str());
    if (dll.module == nullptr)
        return dll;
    find(dll.module, "DllCanUnloadNow", dll.canUnloadNow);
    find(dll.module, "DllGetClassObject", dll.getClassObject);
    find(dll.module, "DllRegisterServer", dll.registerServer);
    find(dll.module, "DllUnregisterServer", dll.unregisterServer);
    find(dll.module, "DllInstall", dll.install);
    return dll;
}

} // namespace

const OndivarDll& ondivarDll()
{
    static const OndivarDll dll = load();
    return dll;
}

} // namespace ondivar::test
