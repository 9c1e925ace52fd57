// An open registry key, closed when its owner goes. Predefined keys (HKEY_CLASSES_ROOT, ...) are never
// held: the owner only holds keys it opened or created.
#pragma once

#include <windows.h>

#include <utility>

namespace ondivar {

class UniqueRegKey {
public:
    UniqueRegKey() noexcept = default;
    explicit UniqueRegKey(HKEY key) noexcept : m_key(key) {}
    UniqueRegKey(UniqueRegKey&& other) noexcept : m_key(std::exchange(other.m_key, nullptr)) {}
    UniqueRegKey& operator=(UniqueRegKey&& other) noexcept
    {
        if (this != &other)
            reset(std::exchange(other.m_key, nullptr));
        return *this;
    }
    UniqueRegKey(const UniqueRegKey&) = delete;
    UniqueRegKey& operator=(const UniqueRegKey&) = delete;
    ~UniqueRegKey() { reset(); }

    HKEY get() const noexcept { return m_key; }
    explicit operator bool() const noexcept { return m_key != nullptr; }
    // For the registry functions that hand out a key: closes the held one first.
    HKEY* put() noexcept
    {
        reset();
        return &m_key;
    }
    void reset(HKEY key = nullptr) noexcept
    {
        if (m_key != nullptr)
            RegCloseKey(m_key);
        m_key = key;
    }

    // Opens parent\path; status tells why it failed (the key is then empty).
    static UniqueRegKey open(HKEY parent, const wchar_t* path, REGSAM access,
                             LSTATUS* status = nullptr) noexcept
    {
        UniqueRegKey key;
        const LSTATUS result = RegOpenKeyExW(parent, path, 0, access, key.put());
        if (result != ERROR_SUCCESS)
            key.m_key = nullptr;
        if (status != nullptr)
            *status = result;
        return key;
    }
    // Opens parent\path, creating what is missing.
    static UniqueRegKey create(HKEY parent, const wchar_t* path, REGSAM access,
                               LSTATUS* status = nullptr) noexcept
    {
        UniqueRegKey key;
        const LSTATUS result = RegCreateKeyExW(parent, path, 0, nullptr, REG_OPTION_NON_VOLATILE, access,
                                               nullptr, key.put(), nullptr);
        if (result != ERROR_SUCCESS)
            key.m_key = nullptr;
        if (status != nullptr)
            *status = result;
        return key;
    }

private:
    HKEY m_key = nullptr;
};

} // namespace ondivar
