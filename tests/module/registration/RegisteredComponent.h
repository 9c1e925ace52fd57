// Ondivar.dll registered in the test prefix by regsvr32 for a suite of clients: the fixture, the
// registration runs and the DLL's unload check.
#pragma once

#include "tests/common/ApartmentTest.h"
#include "tests/common/OndivarDll.h"
#include "tests/module/registration/ChildProcess.h"

#include <gtest/gtest.h>

#include <string>

namespace ondivar::testing {

constexpr DWORD kChildTimeout = 60000;

inline const std::wstring& dllPath()
{
    static const std::wstring path = fullPath(ONDIVAR_DLL_PATH);
    return path;
}

inline ChildRun regsvr32(const wchar_t* options)
{
    return runChild(L"regsvr32.exe " + std::wstring(options) + L" \"" + dllPath() + L"\"", kChildTimeout);
}

inline ::testing::AssertionResult succeeded(const ChildRun& run)
{
    if (run.started && run.finished && run.exitCode == 0)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "started " << run.started << ", finished " << run.finished
                                         << ", exit code " << run.exitCode << ", output:\n"
                                         << run.output << "errors:\n"
                                         << run.errors;
}

// DllCanUnloadNow of the DLL that COM loaded into this program.
inline HRESULT canUnloadNow()
{
    const HMODULE module = GetModuleHandleW(dllPath().c_str());
    if (module == nullptr)
        return E_UNEXPECTED;
    const auto entry = reinterpret_cast<HRESULT(STDAPICALLTYPE*)()>(
        reinterpret_cast<void*>(GetProcAddress(module, "DllCanUnloadNow")));
    return entry != nullptr ? entry() : E_UNEXPECTED;
}

// Clients of the registered DLL, in a single-threaded apartment with a farewell watcher. The
// registration lives for the suite.
class RegisteredComponent : public ondivar::testing::ApartmentTest {
protected:
    static void SetUpTestSuite() { s_registered = succeeded(regsvr32(L"/s")); }
    static void TearDownTestSuite()
    {
        if (s_registered)
            regsvr32(L"/s /u");
    }

    void SetUp() override
    {
        ASSERT_TRUE(s_registered) << "regsvr32 could not register " << ::testing::PrintToString(dllPath());
        ApartmentTest::SetUp();
    }

    static inline bool s_registered = false;
};

} // namespace ondivar::testing
