#include "tests/module/RegistrySnapshot.h"

#include "support/RegistryKey.h"

#include <algorithm>
#include <cwchar>
#include <utility>

namespace ondivar::testing {

std::string narrow(const std::wstring& text)
{
    std::string result;
    for (wchar_t c : text)
        result += c < 0x80 ? static_cast<char>(c) : '?';
    return result;
}

RegistrySnapshot::RegistrySnapshot(HKEY root, std::wstring path) : m_path(std::move(path))
{
    const UniqueRegKey key = UniqueRegKey::open(root, m_path.c_str(), KEY_READ);
    if (key)
        read(key.get(), L"");
}

void RegistrySnapshot::read(HKEY key, const std::wstring& relative)
{
    Values& values = m_keys[relative];
    for (DWORD i = 0;; ++i) {
        wchar_t name[16384];
        DWORD nameLength = sizeof name / sizeof name[0];
        DWORD type = 0;
        DWORD size = 0;
        if (RegEnumValueW(key, i, name, &nameLength, nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
            break;
        Value value{type, std::vector<BYTE>(size)};
        DWORD read = size;
        RegQueryValueExW(key, name, nullptr, nullptr, value.data.data(), &read);
        value.data.resize(read);
        values.emplace(name, std::move(value));
    }
    for (DWORD i = 0;; ++i) {
        wchar_t name[256];
        DWORD nameLength = sizeof name / sizeof name[0];
        if (RegEnumKeyExW(key, i, name, &nameLength, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        const UniqueRegKey subkey = UniqueRegKey::open(key, name, KEY_READ);
        if (subkey)
            read(subkey.get(), relative.empty() ? name : relative + L"\\" + name);
    }
}

std::wstring RegistrySnapshot::value(const std::wstring& subkey, const std::wstring& name) const
{
    // Registry names are case-insensitive.
    const auto key = std::find_if(m_keys.begin(), m_keys.end(), [&](const auto& entry) {
        return _wcsicmp(entry.first.c_str(), subkey.c_str()) == 0;
    });
    if (key == m_keys.end())
        return {};
    const auto found = std::find_if(key->second.begin(), key->second.end(), [&](const auto& entry) {
        return _wcsicmp(entry.first.c_str(), name.c_str()) == 0;
    });
    if (found == key->second.end() || found->second.type != REG_SZ)
        return {};
    const std::vector<BYTE>& data = found->second.data;
    std::wstring text(reinterpret_cast<const wchar_t*>(data.data()), data.size() / sizeof(wchar_t));
    while (!text.empty() && text.back() == L'\0')
        text.pop_back();
    return text;
}

void PrintTo(const RegistrySnapshot& snapshot, std::ostream* out)
{
    *out << narrow(snapshot.m_path) << (snapshot.exists() ? "" : " (missing)");
    for (const auto& [key, values] : snapshot.m_keys) {
        *out << "\n  [" << narrow(key) << "]";
        for (const auto& [name, value] : values) {
            *out << " " << (name.empty() ? "@" : narrow(name)) << "=";
            if (value.type == REG_SZ)
                *out << '"' << narrow(snapshot.value(key, name)) << '"';
            else
                *out << "(type " << value.type << ", " << value.data.size() << " bytes)";
        }
    }
}

} // namespace ondivar::testing
