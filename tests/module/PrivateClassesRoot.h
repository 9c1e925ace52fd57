// HKEY_CLASSES_ROOT replaced, within this process only, by an empty private hive in which the CAPE-OPEN
// 1.1 library is registered as on a host machine. Registration tests write there, so test programs
// running at the same time in the prefix see nothing of it.
#pragma once

#include "support/ComHandles.h"
#include "tests/common/PrivateRegistry.h"

#include <optional>
#include <string>

namespace ondivar::testing {

class PrivateClassesRoot {
public:
    explicit PrivateClassesRoot(const std::wstring& name);
    PrivateClassesRoot(const PrivateClassesRoot&) = delete;
    PrivateClassesRoot& operator=(const PrivateClassesRoot&) = delete;

    // S_OK once HKEY_CLASSES_ROOT is the private hive and holds the CAPE-OPEN library's registration.
    HRESULT hr() const noexcept { return m_hr; }

private:
    ondivar::testing::PrivateHive m_hive;
    std::optional<ondivar::testing::PredefinedKeyOverride> m_override;
    HRESULT m_hr = E_FAIL;
};

} // namespace ondivar::testing
