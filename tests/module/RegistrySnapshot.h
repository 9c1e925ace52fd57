// A copy of a registry key with everything beneath it, to check that an operation left it as it was.
#pragma once

#include <windows.h>

#include <map>
#include <ostream>
#include <string>
#include <vector>

namespace ondivar::testing {

// A registry name or value for failure messages: ASCII as it is, any other character as '?'.
std::string narrow(const std::wstring& text);

class RegistrySnapshot {
public:
    // Reads root\path now; a missing key gives a snapshot that does not exist.
    RegistrySnapshot(HKEY root, std::wstring path);

    const std::wstring& path() const noexcept { return m_path; }
    bool exists() const noexcept { return !m_keys.empty(); }
    // The string value `name` ("" for the default value) of `subkey` ("" for the key itself); empty when
    // there is no such string value. Names compare case-insensitively, as the registry's do.
    std::wstring value(const std::wstring& subkey, const std::wstring& name) const;

    // Same keys with the same values (types and data).
    bool operator==(const RegistrySnapshot& other) const { return m_keys == other.m_keys; }
    friend void PrintTo(const RegistrySnapshot& snapshot, std::ostream* out);

private:
    struct Value {
        DWORD type;
        std::vector<BYTE> data;
        bool operator==(const Value& other) const { return type == other.type && data == other.data; }
    };
    using Values = std::map<std::wstring, Value>;

    void read(HKEY key, const std::wstring& relative);

    std::wstring m_path;
    std::map<std::wstring, Values> m_keys; // by path relative to m_path ("" for the key itself)
};

} // namespace ondivar::testing
