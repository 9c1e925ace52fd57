// Registry isolation for tests that share a Wine prefix with other test programs (CTest may run them in
// parallel): a private key that stands in for HKEY_CURRENT_USER or HKEY_CLASSES_ROOT within this
// process only, so that settings a test writes or hides are seen by no other program.
#pragma once

#include <windows.h>

#include <string>

namespace ondivar::testing {

// HKEY_CURRENT_USER\Software\OndivarTests\<name>-<process id>, empty at first, deleted at the end.
class PrivateHive {
public:
    explicit PrivateHive(const std::wstring& name)
        : m_path(L"Software\\OndivarTests\\" + name + L"-" + std::to_wstring(GetCurrentProcessId()))
    {
        RegDeleteTreeW(HKEY_CURRENT_USER, m_path.c_str());
        RegCreateKeyExW(HKEY_CURRENT_USER, m_path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &m_key,
                        nullptr);
    }
    ~PrivateHive()
    {
        if (m_key != nullptr)
            RegCloseKey(m_key);
        RegDeleteTreeW(HKEY_CURRENT_USER, m_path.c_str());
    }
    PrivateHive(const PrivateHive&) = delete;
    PrivateHive& operator=(const PrivateHive&) = delete;

    HKEY key() const { return m_key; }

    // Writes a string value at subKey\valueName below the hive.
    LSTATUS writeText(const wchar_t* subKey, const wchar_t* valueName, const wchar_t* text)
    {
        return RegSetKeyValueW(m_key, subKey, valueName, REG_SZ, text,
                               static_cast<DWORD>((wcslen(text) + 1) * sizeof(wchar_t)));
    }

private:
    std::wstring m_path;
    HKEY m_key = nullptr;
};

// While it lives, the predefined key (HKEY_CURRENT_USER, HKEY_CLASSES_ROOT, ...) opens `replacement`
// in this process.
class PredefinedKeyOverride {
public:
    PredefinedKeyOverride(HKEY predefined, HKEY replacement) : m_predefined(predefined)
    {
        m_active = RegOverridePredefKey(predefined, replacement) == ERROR_SUCCESS;
    }
    ~PredefinedKeyOverride()
    {
        if (m_active)
            RegOverridePredefKey(m_predefined, nullptr);
    }
    PredefinedKeyOverride(const PredefinedKeyOverride&) = delete;
    PredefinedKeyOverride& operator=(const PredefinedKeyOverride&) = delete;

    bool active() const { return m_active; }

private:
    HKEY m_predefined;
    bool m_active = false;
};

} // namespace ondivar::testing
