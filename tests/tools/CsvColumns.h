// The column of a results CSV that a header names.
#pragma once

#include <gtest/gtest.h>

#include <cstddef>
#include <string>
#include <vector>

namespace ondivar::flow::testing {

// The index of name in header; a test failure (and 0) when the header lacks it.
inline std::size_t columnOf(const std::vector<std::string>& header, const std::string& name)
{
    for (std::size_t i = 0; i < header.size(); ++i)
        if (header[i] == name)
            return i;
    ADD_FAILURE() << "no column " << name;
    return 0;
}

} // namespace ondivar::flow::testing
