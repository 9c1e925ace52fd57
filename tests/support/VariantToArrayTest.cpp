// What VARIANT-to-array conversions accept and refuse, and the state they leave after a refusal.
#include "support/ArrayConversion.h"

#include "CapeErrorExpectations.h"

#include <gtest/gtest.h>

#include <vector>

using namespace ondivar;
using ondivar::testing::captureError;
using ondivar::testing::expectError;

namespace {

// A VARIANT owning a one-dimensional safe array of vt with the given bounds, filled by SafeArrayPutElement.
struct VectorVariant {
    UniqueVariant v;
    VectorVariant(VARTYPE vt, LONG lowerBound, ULONG count)
    {
        V_VT(v.get()) = vt | VT_ARRAY;
        V_ARRAY(v.get()) = SafeArrayCreateVector(vt, lowerBound, count);
    }
    template <class Value> void put(LONG index, Value value)
    {
        EXPECT_EQ(S_OK, SafeArrayPutElement(V_ARRAY(v.get()), &index, &value));
    }
    void putVariant(LONG index, VARIANT& value)
    {
        EXPECT_EQ(S_OK, SafeArrayPutElement(V_ARRAY(v.get()), &index, &value));
        VariantClear(&value);
    }
};

VARIANT doubleVariant(double d)
{
    VARIANT v;
    V_VT(&v) = VT_R8;
    V_R8(&v) = d;
    return v;
}

TEST(VariantToArray, OneDimensionalReadsFromLowerToUpperBound)
{
    VectorVariant source(VT_R8, 1, 3);
    source.put(1, 10.0);
    source.put(2, 20.0);
    source.put(3, 30.0);
    CArray1D<double> out;
    variantToArray(source.v.get(), out);
    ASSERT_EQ(3u, out.size());
    EXPECT_EQ(10.0, out[0]);
    EXPECT_EQ(20.0, out[1]);
    EXPECT_EQ(30.0, out[2]);
    // Into an array of the same size: the same storage, the new values.
    const double* storage = out.data();
    source.put(2, -2.0);
    variantToArray(source.v.get(), out);
    EXPECT_EQ(storage, out.data());
    EXPECT_EQ(-2.0, out[1]);

    VectorVariant negative(VT_I4, -5, 2);
    negative.put(-5, 4L);
    negative.put(-4, 5L);
    CArray1D<long> longs;
    variantToArray(negative.v.get(), longs);
    ASSERT_EQ(2u, longs.size());
    EXPECT_EQ(4, longs[0]);
    EXPECT_EQ(5, longs[1]);
}

TEST(VariantToArray, OneElementOfTheWrongTypeFailsTheWholeArray)
{
    VectorVariant source(VT_VARIANT, 0, 3);
    VARIANT element = doubleVariant(1.0);
    source.putVariant(0, element);
    V_VT(&element) = VT_I4;
    V_I4(&element) = 2;
    source.putVariant(1, element);
    element = doubleVariant(3.0);
    source.putVariant(2, element);

    // Whether the destination had another size or the same one, nothing half-read is left in it.
    for (std::size_t held : {5u, 3u}) {
        CArray1D<double> out(held, 1.0);
        expectError(
            captureError([&] { variantToArray(source.v.get(), out); }), E_INVALIDARG, L"Array Error",
            L"Invalid type between Array Type and element type while getting element. Please, contact "
            L"support\n");
        EXPECT_EQ(0u, out.size());
    }
}

TEST(VariantToArray, WrongVariantTypesAreRefused)
{
    CArray1D<double> out(2, 1.0);
    VectorVariant longs(VT_I4, 0, 2);
    expectError(captureError([&] { variantToArray(longs.v.get(), out); }), E_INVALIDARG, L"Array error",
                L"Please contact support.\n");
    EXPECT_EQ(0u, out.size());

    // No coercion of a plain number, no reference form, no VT_NULL.
    UniqueVariant number;
    V_VT(number.get()) = VT_R8;
    V_R8(number.get()) = 1.0;
    expectError(captureError([&] { variantToArray(number.get(), out); }), E_INVALIDARG, L"Array error",
                L"Please contact support.\n");
    VectorVariant doubles(VT_R8, 0, 1);
    VARIANT byReference;
    V_VT(&byReference) = VT_R8 | VT_ARRAY | VT_BYREF;
    SAFEARRAY* held = V_ARRAY(doubles.v.get());
    V_ARRAYREF(&byReference) = &held;
    expectError(captureError([&] { variantToArray(&byReference, out); }), E_INVALIDARG, L"Array error",
                L"Please contact support.\n");
    UniqueVariant null;
    V_VT(null.get()) = VT_NULL;
    expectError(captureError([&] { variantToArray(null.get(), out); }), E_INVALIDARG, L"Array error",
                L"Please contact support.\n");

    // A VARIANT claiming an array without one.
    UniqueVariant noArray;
    V_VT(noArray.get()) = VT_R8 | VT_ARRAY;
    expectError(captureError([&] { variantToArray(noArray.get(), out); }), E_INVALIDARG, L"Array error",
                L"Try to convert a 0-dimensional array into 1-dimensional array. Please contact support\n");

    // The two-dimensional message has no full stop.
    CArray2D<double> grid(1, 1);
    expectError(captureError([&] { variantToArray(longs.v.get(), grid); }), E_INVALIDARG, L"Array error",
                L"Please contact support\n");
    EXPECT_EQ(0u, grid.rows());
}

// A safe array of another element type stored under a VARIANT type that claims the destination's kind.
TEST(VariantToArray, ArrayTypeContradictingTheVariantTypeIsRefused)
{
    VectorVariant longs(VT_I4, 0, 2);
    V_VT(longs.v.get()) = VT_R8 | VT_ARRAY;
    CArray1D<double> out(1, 1.0);
    expectError(captureError([&] { variantToArray(longs.v.get(), out); }), E_INVALIDARG, L"Array Error",
                L"Invalid type between Array Type and element type while getting element. Please, contact "
                L"support\n");
    EXPECT_EQ(0u, out.size());
    V_VT(longs.v.get()) = VT_I4 | VT_ARRAY;
}

TEST(VariantToArray, DimensionsMustMatch)
{
    UniqueVariant twoD;
    const ULONG counts[2] = {2, 2};
    createSafeArray(VT_R8, counts, 2, twoD.get());
    CArray1D<double> out(1, 1.0);
    expectError(captureError([&] { variantToArray(twoD.get(), out); }), E_INVALIDARG, L"Array error",
                L"Try to convert a 2-dimensional array into 1-dimensional array. Please contact support\n");
    EXPECT_EQ(0u, out.size());

    VectorVariant oneD(VT_BSTR, 0, 2);
    CArray2D<std::wstring> grid(1, 1);
    expectError(captureError([&] { variantToArray(oneD.v.get(), grid); }), E_INVALIDARG, L"Array error",
                L"Try to convert a 1-dimensional array into 2-dimensional array. Please contact support\n");
    EXPECT_EQ(0u, grid.rows());
}

TEST(VariantToArray, UpperBoundBelowLowerBoundIsRefused)
{
    VectorVariant none(VT_R8, 5, 0);
    CArray1D<double> out(1, 1.0);
    expectError(captureError([&] { variantToArray(none.v.get(), out); }), E_INVALIDARG, L"Array Error",
                L"Please contact support\n");
    EXPECT_EQ(0u, out.size());
}

TEST(VariantToArray, NullStringElementsBecomeEmptyStrings)
{
    VectorVariant texts(VT_BSTR, 0, 2);
    UniqueBstr second(SysAllocString(L"second"));
    LONG index = 1;
    SafeArrayPutElement(V_ARRAY(texts.v.get()), &index, second.get());
    CArray1D<std::wstring> out;
    variantToArray(texts.v.get(), out);
    ASSERT_EQ(2u, out.size());
    EXPECT_EQ(L"", out[0]);
    EXPECT_EQ(L"second", out[1]);

    VectorVariant variants(VT_VARIANT, 0, 1);
    VARIANT nullText;
    V_VT(&nullText) = VT_BSTR;
    V_BSTR(&nullText) = nullptr;
    variants.putVariant(0, nullText);
    variantToArray(variants.v.get(), out);
    ASSERT_EQ(1u, out.size());
    EXPECT_EQ(L"", out[0]);
}

// The two-dimensional form counts rows and columns from the upper bounds: an array not indexed from 0
// in both dimensions is refused instead of being read at the wrong places.
TEST(VariantToArray, TwoDimensionalArrayMustBeZeroBased)
{
    for (LONG lowerRow : {0, 1, -1}) {
        for (LONG lowerColumn : {0, 2}) {
            SAFEARRAYBOUND bounds[2] = {{2, lowerRow}, {3, lowerColumn}};
            UniqueVariant source;
            V_VT(source.get()) = VT_R8 | VT_ARRAY;
            V_ARRAY(source.get()) = SafeArrayCreate(VT_R8, 2, bounds);
            CArray2D<double> out(1, 1);
            const auto error = captureError([&] { variantToArray(source.get(), out); });
            if (lowerRow == 0 && lowerColumn == 0) {
                EXPECT_FALSE(error.thrown);
                EXPECT_EQ(2u, out.rows());
                EXPECT_EQ(3u, out.columns());
            } else {
                expectError(error, E_INVALIDARG, L"Array error",
                            L"Try to convert a 2-dimensional array with lower bounds " +
                                std::to_wstring(lowerRow) + L" and " + std::to_wstring(lowerColumn) +
                                L"; only arrays indexed from 0 are accepted. Please contact support\n");
                EXPECT_EQ(0u, out.rows());
                EXPECT_EQ(0u, out.columns());
            }
        }
    }
}

TEST(VariantToArray, TwoDimensionalWrongElementLeavesEmptyGrid)
{
    UniqueVariant source;
    const ULONG counts[2] = {2, 2};
    createSafeArray(VT_VARIANT, counts, 2, source.get());
    for (LONG i = 0; i < 2; ++i) {
        for (LONG j = 0; j < 2; ++j) {
            LONG indices[2] = {i, j};
            putElement(V_ARRAY(source.get()), indices, (i == 1 && j == 1) ? L"text" : L"x");
        }
    }
    CArray2D<std::wstring> texts;
    variantToArray(source.get(), texts);
    EXPECT_EQ(L"text", texts[1][1]);

    CArray2D<long> out(3, 3);
    expectError(captureError([&] { variantToArray(source.get(), out); }), E_INVALIDARG, L"Array Error",
                L"Invalid type between Array Type and element type while getting element. Please, contact "
                L"support\n");
    EXPECT_EQ(0u, out.rows());
    EXPECT_EQ(0u, out.columns());
}

// Bounds that claim more elements than a 32-bit process can hold: the result cannot be made, the
// conversion fails without touching an element.
TEST(VariantToArray, ArrayTooLargeForTheProcessFailsAsUnexpected)
{
    if (sizeof(void*) != 4)
        GTEST_SKIP() << "only a 32-bit process is sure to refuse the allocation";
    struct Descriptor {
        SAFEARRAY* raw = nullptr;
        Descriptor(UINT dimensions) { SafeArrayAllocDescriptorEx(VT_R8, dimensions, &raw); }
        ~Descriptor()
        {
            for (USHORT k = 0; k < raw->cDims; ++k)
                raw->rgsabound[k].cElements = 0;
            SafeArrayDestroyDescriptor(raw);
        }
    };
    Descriptor oneD(1);
    oneD.raw->rgsabound[0] = {0x7FFFFFFF, 1};
    UniqueVariant source;
    V_VT(source.get()) = VT_BSTR | VT_ARRAY;
    V_ARRAY(source.get()) = oneD.raw;
    CArray1D<std::wstring> texts(1);
    expectError(captureError([&] { variantToArray(source.get(), texts); }), E_UNEXPECTED, L"Array error",
                L"Creating a 1-D array of size 2147483647\n");
    EXPECT_EQ(0u, texts.size());
    oneD.raw->rgsabound[0].lLbound = 0;
    expectError(captureError([&] { variantToArray(source.get(), texts); }), E_UNEXPECTED, L"Array error",
                L"Creating a 1-D array of size NaN\n");

    Descriptor twoD(2);
    twoD.raw->rgsabound[0] = {2, 0};
    twoD.raw->rgsabound[1] = {0x7FFFFFFF, 0};
    V_VT(source.get()) = VT_R8 | VT_ARRAY;
    V_ARRAY(source.get()) = twoD.raw;
    CArray2D<double> grid(1, 1);
    expectError(captureError([&] { variantToArray(source.get(), grid); }), E_UNEXPECTED, L"Array error",
                L"Creating a 2-D array of size 4294967294.\n");
    EXPECT_EQ(0u, grid.rows());
    // The descriptors belong to their owners above.
    V_VT(source.get()) = VT_EMPTY;
}

} // namespace

namespace {

// Texts read in place must be what the copying conversion gives, and refused with the same error.
TEST(VariantToArray, TextsViewAgreesWithTheCopyingConversion)
{
    VectorVariant texts(VT_BSTR, 2, 3);
    const UniqueBstr gas(SysAllocString(L"gas"));
    const UniqueBstr oil(SysAllocStringLen(L"oil\0tail", 8));
    texts.put(2, gas.get());
    texts.put(4, oil.get());
    VectorVariant variants(VT_VARIANT, 0, 2);
    VARIANT text;
    V_VT(&text) = VT_BSTR;
    V_BSTR(&text) = SysAllocString(L"water");
    variants.putVariant(0, text);
    V_VT(&text) = VT_BSTR;
    V_BSTR(&text) = nullptr;
    variants.putVariant(1, text);
    VectorVariant mixed(VT_VARIANT, 0, 2);
    VARIANT number = doubleVariant(1.0);
    mixed.putVariant(1, number);
    VectorVariant numbers(VT_R8, 0, 1);
    VectorVariant none(VT_BSTR, 0, 0);
    UniqueVariant empty;
    UniqueVariant noArray;
    V_VT(noArray.get()) = VT_BSTR | VT_ARRAY;

    for (const VARIANT* source :
         std::initializer_list<const VARIANT*>{texts.v.get(), variants.v.get(), mixed.v.get(),
                                               numbers.v.get(), none.v.get(), empty.get(), noArray.get()}) {
        CArray1D<std::wstring> copied;
        const auto copyError = captureError([&] { variantToArray(source, copied); });
        std::vector<std::wstring> viewed;
        const auto viewError = captureError([&] {
            const CTextsView view(source);
            for (std::size_t i = 0; i < view.size(); ++i)
                viewed.emplace_back(view[i]);
        });
        EXPECT_EQ(copyError.thrown, viewError.thrown);
        EXPECT_EQ(copyError.code, viewError.code);
        EXPECT_EQ(copyError.name, viewError.name);
        EXPECT_EQ(copyError.description, viewError.description);
        EXPECT_EQ(std::vector<std::wstring>(copied.begin(), copied.end()), viewed);
    }
}

} // namespace
