// What the registration entry points share besides the module object.
#pragma once

#include "support/RegistryKey.h"

#include <windows.h>

#include <string>

namespace ondivar {

// The calling thread's locale is the system default (0x0800) for the scope, and what it was after.
class ThreadLocaleScope {
public:
    ThreadLocaleScope() noexcept : m_previous(GetThreadLocale()) { SetThreadLocale(LOCALE_SYSTEM_DEFAULT); }
    ~ThreadLocaleScope() { SetThreadLocale(m_previous); }
    ThreadLocaleScope(const ThreadLocaleScope&) = delete;
    ThreadLocaleScope& operator=(const ThreadLocaleScope&) = delete;

private:
    LCID m_previous;
};

// The key that registration writes under in place of HKEY_CLASSES_ROOT: HKEY_CLASSES_ROOT itself, or,
// with per-user registration, HKEY_CURRENT_USER\Software\Classes (created when missing).
class ClassesRoot {
public:
    explicit ClassesRoot(bool perUser) noexcept;
    // S_OK, or why the per-user key could not be opened.
    HRESULT hr() const noexcept { return m_hr; }
    HKEY key() const noexcept { return m_userClasses ? m_userClasses.get() : HKEY_CLASSES_ROOT; }
    bool perUser() const noexcept { return static_cast<bool>(m_userClasses); }

private:
    UniqueRegKey m_userClasses;
    HRESULT m_hr = S_OK;
};

// With per-user registration, HKEY_CLASSES_ROOT opens HKEY_CURRENT_USER\Software\Classes in this process
// for the scope, so that the platform's registration functions (type library, marshalling code) that
// write under HKEY_CLASSES_ROOT write there too. Without it, nothing changes.
class ClassesRootRedirect {
public:
    explicit ClassesRootRedirect(const ClassesRoot& root) noexcept;
    ~ClassesRootRedirect();
    ClassesRootRedirect(const ClassesRootRedirect&) = delete;
    ClassesRootRedirect& operator=(const ClassesRootRedirect&) = delete;
    HRESULT hr() const noexcept { return m_hr; }

private:
    bool m_active = false;
    HRESULT m_hr = S_OK;
};

} // namespace ondivar
