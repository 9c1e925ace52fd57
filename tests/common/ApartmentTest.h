// A fixture with COM (apartment-threaded) and a message-box watcher on the test thread for the whole
// test: every component that goes away shows its farewell box, which the watcher dismisses.
#pragma once

#include "tests/common/MessageBoxWatcher.h"

#include <objbase.h>

#include <gtest/gtest.h>

namespace ondivar::testing {

class ApartmentTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
        m_comInitialised = true;
        ASSERT_TRUE(m_watcher.installed());
    }
    void TearDown() override
    {
        if (m_comInitialised)
            CoUninitialize();
    }

    MessageBoxWatcher m_watcher;

private:
    bool m_comInitialised = false;
};

} // namespace ondivar::testing
