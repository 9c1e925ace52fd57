#include "tests/module/PrivateClassesRoot.h"

namespace ondivar::testing {

namespace {

// {4A5E2E81-C093-11D4-9F1B-0010A4D198C2}, version 1.1
const GUID capeOpenLibid = {0x4A5E2E81, 0xC093, 0x11D4, {0x9F, 0x1B, 0x00, 0x10, 0xA4, 0xD1, 0x98, 0xC2}};

} // namespace

PrivateClassesRoot::PrivateClassesRoot(const std::wstring& name) : m_hive(name)
{
    // Found through the prefix's own registration, before the hive takes its place.
    ComPtr<ITypeLib> capeOpen;
    UniqueBstr path;
    m_hr = LoadRegTypeLib(capeOpenLibid, 1, 1, 0, capeOpen.put());
    if (SUCCEEDED(m_hr))
        m_hr = QueryPathOfRegTypeLib(capeOpenLibid, 1, 1, 0, path.put());
    if (FAILED(m_hr))
        return;
    m_override.emplace(HKEY_CLASSES_ROOT, m_hive.key());
    if (!m_override->active()) {
        m_hr = E_FAIL;
        return;
    }
    m_hr = RegisterTypeLib(capeOpen.get(), path.get(), nullptr);
}

} // namespace ondivar::testing
