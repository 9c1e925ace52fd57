// The module object: one instance lives from load to unload of the DLL. It keeps the DLL's instance
// handle and the application identifier, and serves the class table and the registration. The entry
// points let the DLL unload only while the module's lock count (com/ModuleLock.h) is 0.
//
// The identities are in OndivarModule.cpp; the class table, registration and DllMain in ModuleServer.cpp
// and ModuleRegistration.cpp.
#pragma once

#include <windows.h>

namespace ondivar {

class COndivarModule {
public:
    constexpr COndivarModule() noexcept = default;
    COndivarModule(const COndivarModule&) = delete;
    COndivarModule& operator=(const COndivarModule&) = delete;

    // The application identifier, the registration scripts' %APPID%.
    static const GUID& appId() noexcept;

    // DLL_PROCESS_ATTACH keeps the instance handle; DLL_PROCESS_DETACH on FreeLibrary releases the
    // cached class objects and type information. Never refuses.
    BOOL dllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) noexcept;
    HINSTANCE instance() const noexcept { return m_instance; }

    // The cached class object of a class in the class table; CLASS_E_CLASSNOTAVAILABLE for another
    // class id.
    HRESULT getClassObject(REFCLSID clsid, REFIID riid, void** object) noexcept;
    // S_OK while the lock count is 0, S_FALSE above.
    HRESULT canUnloadNow() const noexcept;

    // Registration of the application identifier (script 101), of the classes of the class table (their
    // scripts) and of the type library (TYPELIB 1), in that order; removal in the reverse order. Each
    // returns the first failure and runs no later step. They write under HKEY_CLASSES_ROOT, or under
    // HKEY_CURRENT_USER\Software\Classes while per-user registration is on.
    HRESULT registerServer() noexcept;
    HRESULT unregisterServer() noexcept;

    // Per-user registration (DllInstall with "user"): on while a PerUserRegistration lives.
    bool perUserRegistration() const noexcept { return m_perUser; }

private:
    friend class PerUserRegistration;

    HINSTANCE m_instance = nullptr;
    bool m_perUser = false;
};

// The module object of this DLL.
extern COndivarModule g_module;

// Switches the module to per-user registration for its lifetime, and back to what it was after.
class PerUserRegistration {
public:
    explicit PerUserRegistration(bool on) noexcept : m_previous(g_module.m_perUser)
    {
        g_module.m_perUser = on;
    }
    ~PerUserRegistration() { g_module.m_perUser = m_previous; }
    PerUserRegistration(const PerUserRegistration&) = delete;
    PerUserRegistration& operator=(const PerUserRegistration&) = delete;

private:
    bool m_previous;
};

} // namespace ondivar
