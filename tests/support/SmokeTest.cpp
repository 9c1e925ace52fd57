#include "support/ComHandles.h"

#include <gtest/gtest.h>

using ondivar::UniqueBstr;

TEST(ComHandles, BstrOwnerFreesAndReleases)
{
    UniqueBstr s(SysAllocString(L"abc"));
    EXPECT_EQ(3u, s.length());
    BSTR raw = s.release();
    EXPECT_EQ(nullptr, s.get());
    SysFreeString(raw);
}
