// Array-to-VARIANT conversions refuse missing arguments and leave the destination empty.
#include "support/ArrayConversion.h"

#include "CapeErrorExpectations.h"

#include <gtest/gtest.h>

using namespace ondivar;
using ondivar::testing::captureError;
using ondivar::testing::expectError;

namespace {

TEST(ArrayToVariant, NoDestinationNoTextsOrNoNumbersIsRefused)
{
    expectError(captureError([] { arrayToVariant(CArray1D<double>(1, 1.0), nullptr, false); }), E_POINTER,
                L"Array Error", L"No VARIANT to convert the array into.\n");

    UniqueVariant v;
    V_VT(v.get()) = VT_BSTR;
    V_BSTR(v.get()) = SysAllocString(L"held");
    expectError(
        captureError([&] { arrayToVariant(static_cast<const wchar_t* const*>(nullptr), 2, v.get(), false); }),
        E_POINTER, L"Array Error", L"No texts to convert into an array.\n");
    EXPECT_EQ(VT_EMPTY, V_VT(v.get()));

    // No texts and no count: an empty array.
    arrayToVariant(static_cast<const wchar_t* const*>(nullptr), 0, v.get(), false);
    EXPECT_EQ(VT_EMPTY, V_VT(v.get()));

    V_VT(v.get()) = VT_BSTR;
    V_BSTR(v.get()) = SysAllocString(L"held");
    expectError(captureError([&] { arrayToVariant(static_cast<const double*>(nullptr), 1, v.get(), false); }),
                E_POINTER, L"Array Error", L"No numbers to convert into an array.\n");
    EXPECT_EQ(VT_EMPTY, V_VT(v.get()));
}

TEST(ArrayToVariant, NumbersFromMemoryBecomeAnArrayOfDoubles)
{
    const double numbers[] = {2.5, -1.0, 1e300};
    for (const bool asVariants : {false, true}) {
        UniqueVariant v;
        arrayToVariant(numbers, 3, v.get(), asVariants);
        CArray1D<double> back;
        variantToArray(v.get(), back);
        ASSERT_EQ(3u, back.size());
        EXPECT_EQ(numbers[0], back[0]);
        EXPECT_EQ(numbers[2], back[2]);
        EXPECT_EQ(VARTYPE(VT_ARRAY | (asVariants ? VT_VARIANT : VT_R8)), V_VT(v.get()));
    }
}

} // namespace
