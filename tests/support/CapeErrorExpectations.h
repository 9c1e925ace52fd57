// Checks on a thrown TarvoException::CMyException: the HRESULT it was raised with, its short name and
// the specific message that ends its description.
#pragma once

#include "support/TarvoException.h"

#include <gtest/gtest.h>

#include <string>

namespace ondivar::testing {

struct RaisedError {
    bool thrown = false;
    long code = 0;
    std::wstring name;
    std::wstring description;

    bool descriptionEndsWith(const std::wstring& message) const
    {
        return description.size() >= message.size() &&
               description.compare(description.size() - message.size(), message.size(), message) == 0;
    }
};

// Runs action and captures the CMyException it throws (thrown stays false when it throws none).
template <class Action> RaisedError captureError(Action&& action)
{
    RaisedError error;
    try {
        action();
    } catch (const TarvoException::CMyException& e) {
        error.thrown = true;
        e.getCode(error.code);
        e.getName(error.name);
        e.getDescription(error.description);
    }
    return error;
}

inline void expectError(const RaisedError& error, long code, const std::wstring& name,
                        const std::wstring& message)
{
    ASSERT_TRUE(error.thrown);
    EXPECT_EQ(code, error.code);
    EXPECT_EQ(name, error.name);
    EXPECT_TRUE(error.descriptionEndsWith(message))
        << "description: " << ::testing::PrintToString(error.description);
}

} // namespace ondivar::testing
