// Test helpers that write the suite's settings under HKEY_CURRENT_USER of the test prefix and take them
// away again. Test programs of one prefix may run at the same time: a SuiteSettingsLock keeps them from
// changing the settings under each other.
#pragma once

#include "support/RegistryKey.h"

#include <windows.h>

#include <string>
#include <vector>

namespace ondivar::testing {

class SuiteSettingsLock {
public:
    SuiteSettingsLock() : m_mutex(CreateMutexW(nullptr, FALSE, L"Local\\OndivarSuiteSettingsTests"))
    {
        if (m_mutex != nullptr)
            WaitForSingleObject(m_mutex, INFINITE);
    }
    SuiteSettingsLock(const SuiteSettingsLock&) = delete;
    SuiteSettingsLock& operator=(const SuiteSettingsLock&) = delete;
    ~SuiteSettingsLock()
    {
        if (m_mutex != nullptr) {
            ReleaseMutex(m_mutex);
            CloseHandle(m_mutex);
        }
    }

private:
    HANDLE m_mutex;
};

// Values written through one object are deleted, and the keys it created removed while empty, when it
// is destroyed.
class SuiteSettings {
public:
    SuiteSettings() = default;
    SuiteSettings(const SuiteSettings&) = delete;
    SuiteSettings& operator=(const SuiteSettings&) = delete;
    ~SuiteSettings()
    {
        for (auto it = m_values.rbegin(); it != m_values.rend(); ++it)
            RegDeleteKeyValueW(HKEY_CURRENT_USER, it->first.c_str(), it->second.c_str());
        for (auto it = m_createdKeys.rbegin(); it != m_createdKeys.rend(); ++it)
            RegDeleteKeyW(HKEY_CURRENT_USER, it->c_str());
    }

    // Writes raw data of the given registry type; returns the registry's status.
    LSTATUS writeRaw(const std::wstring& keyPath, const std::wstring& valueName, DWORD type, const void* data,
                     DWORD bytes)
    {
        createKeys(keyPath);
        LSTATUS status = ERROR_SUCCESS;
        const ondivar::UniqueRegKey key =
            ondivar::UniqueRegKey::open(HKEY_CURRENT_USER, keyPath.c_str(), KEY_SET_VALUE, &status);
        if (!key)
            return status;
        status = RegSetValueExW(key.get(), valueName.c_str(), 0, type, static_cast<const BYTE*>(data), bytes);
        if (status == ERROR_SUCCESS)
            m_values.emplace_back(keyPath, valueName);
        return status;
    }

    // A REG_SZ value with its terminating null.
    LSTATUS writeText(const std::wstring& keyPath, const std::wstring& valueName, const std::wstring& text)
    {
        return writeRaw(keyPath, valueName, REG_SZ, text.c_str(),
                        static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
    }

    void remove(const std::wstring& keyPath, const std::wstring& valueName)
    {
        RegDeleteKeyValueW(HKEY_CURRENT_USER, keyPath.c_str(), valueName.c_str());
    }

private:
    // Creates every missing key on the path, remembering which ones did not exist.
    void createKeys(const std::wstring& keyPath)
    {
        std::size_t end = 0;
        do {
            end = keyPath.find(L'\\', end + 1);
            const std::wstring part = keyPath.substr(0, end);
            HKEY key = nullptr;
            DWORD disposition = 0;
            if (RegCreateKeyExW(HKEY_CURRENT_USER, part.c_str(), 0, nullptr, 0, KEY_READ, nullptr, &key,
                                &disposition) == ERROR_SUCCESS) {
                RegCloseKey(key);
                if (disposition == REG_CREATED_NEW_KEY)
                    m_createdKeys.push_back(part);
            }
        } while (end != std::wstring::npos);
    }

    std::vector<std::pair<std::wstring, std::wstring>> m_values;
    std::vector<std::wstring> m_createdKeys;
};

} // namespace ondivar::testing
