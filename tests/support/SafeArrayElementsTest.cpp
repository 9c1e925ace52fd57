#include "support/SafeArrayElements.h"

#include "CapeErrorExpectations.h"
#include "CountingDispatch.h"

#include <gtest/gtest.h>

using namespace ondivar;
using ondivar::testing::captureError;
using ondivar::testing::expectError;

namespace {

const wchar_t putTypeMessage[] =
    L"Invalid type between Array Type and element type while inserting element. Please, contact support\n";
const wchar_t getTypeMessage[] =
    L"Invalid type between Array Type and element type while getting element. Please, contact support\n";

UniqueSafeArray vectorOf(VARTYPE vt, ULONG count, LONG lowerBound = 0)
{
    return UniqueSafeArray(SafeArrayCreateVector(vt, lowerBound, count));
}

TEST(SafeArrayElements, CreateMakesZeroBasedArrayOfTheGivenShape)
{
    UniqueVariant holder;
    V_VT(holder.get()) = VT_BSTR;
    V_BSTR(holder.get()) = SysAllocString(L"released by createSafeArray");
    const ULONG counts[2] = {2, 3};
    createSafeArray(VT_R8, counts, 2, holder.get());
    ASSERT_EQ(VT_R8 | VT_ARRAY, V_VT(holder.get()));
    SAFEARRAY* array = V_ARRAY(holder.get());
    EXPECT_EQ(2u, SafeArrayGetDim(array));
    LONG bound = -1;
    SafeArrayGetLBound(array, 2, &bound);
    EXPECT_EQ(0, bound);
    SafeArrayGetUBound(array, 1, &bound);
    EXPECT_EQ(1, bound);
    SafeArrayGetUBound(array, 2, &bound);
    EXPECT_EQ(2, bound);

    CArray1D<long> extents;
    safeArrayExtents(array, extents);
    ASSERT_EQ(2u, extents.size());
    EXPECT_EQ(2, extents[0]);
    EXPECT_EQ(3, extents[1]);
}

// The Automation library computes an array's size in 32 bits: a request whose bytes would wrap round is
// refused before it can yield a block smaller than its elements.
TEST(SafeArrayElements, CreateRefusesArraysBeyondTheLibrarysSize)
{
    UniqueVariant holder;
    const ULONG counts[2] = {0x8000, 0x8000};
    expectError(captureError([&] { createSafeArray(VT_VARIANT, counts, 2, holder.get()); }), E_OUTOFMEMORY,
                L"Array Error", L"Error while allocating a 2-array of 1073741824ld elements\n");
    EXPECT_EQ(VT_EMPTY, V_VT(holder.get()));
    const ULONG wrapping[3] = {0x10000, 0x10000, 0x10000};
    expectError(captureError([&] { createSafeArray(VT_R8, wrapping, 3, holder.get()); }), E_OUTOFMEMORY,
                L"Array Error", L"Error while allocating a 3-array of 2147483648ld elements\n");
}

TEST(SafeArrayElements, ExtentsWhateverTheLowerBoundAndNoArray)
{
    UniqueSafeArray array = vectorOf(VT_I4, 3, -2);
    CArray1D<long> extents;
    safeArrayExtents(array.get(), extents);
    ASSERT_EQ(1u, extents.size());
    EXPECT_EQ(3, extents[0]);

    expectError(captureError([&] { safeArrayExtents(nullptr, extents); }), 0x80040009, L"", L"");
}

TEST(SafeArrayElements, ElementTypeMustMatchTheArray)
{
    UniqueSafeArray doubles = vectorOf(VT_R8, 2);
    UniqueSafeArray variants = vectorOf(VT_VARIANT, 2);
    LONG index = 0;

    expectError(captureError([&] { putElement(doubles.get(), &index, 3L); }), E_INVALIDARG, L"Array Error",
                putTypeMessage);
    expectError(captureError([&] { putElement(doubles.get(), &index, L"text"); }), E_INVALIDARG,
                L"Array Error", putTypeMessage);
    // bool goes into VT_BOOL arrays only.
    expectError(captureError([&] { putElement(variants.get(), &index, true); }), E_INVALIDARG, L"Array Error",
                putTypeMessage);
    expectError(captureError([&] { putElement(nullptr, &index, 1.0); }), E_INVALIDARG, L"Array Error",
                putTypeMessage);

    long number = 0;
    expectError(captureError([&] { getElement(doubles.get(), &index, number); }), E_INVALIDARG,
                L"Array Error", getTypeMessage);

    // In an array of VARIANTs the element's own type must be the kind's.
    putElement(variants.get(), &index, 2.5);
    expectError(captureError([&] { getElement(variants.get(), &index, number); }), E_INVALIDARG,
                L"Array Error", getTypeMessage);
    double value = 0;
    getElement(variants.get(), &index, value);
    EXPECT_EQ(2.5, value);
}

TEST(SafeArrayElements, IndexOutsideTheArrayFails)
{
    UniqueSafeArray doubles = vectorOf(VT_R8, 2, 1);
    LONG index = 3;
    expectError(captureError([&] { putElement(doubles.get(), &index, 1.0); }), DISP_E_BADINDEX,
                L"Array Error", L"Error while inserting element in array.\n");
    double value = 0;
    index = 0;
    expectError(captureError([&] { getElement(doubles.get(), &index, value); }), DISP_E_BADINDEX,
                L"Array Error", L"Error while getting element from array.\n");
}

TEST(SafeArrayElements, BoolIsTrueOnlyForVariantTrue)
{
    UniqueSafeArray bools = vectorOf(VT_BOOL, 4);
    LONG index = 0;
    putElement(bools.get(), &index, true);
    index = 1;
    putElement(bools.get(), &index, false);
    VARIANT_BOOL one = 1;
    index = 2;
    SafeArrayPutElement(bools.get(), &index, &one);

    bool value = false;
    index = 0;
    getElement(bools.get(), &index, value);
    EXPECT_TRUE(value);
    VARIANT_BOOL raw = 0;
    SafeArrayGetElement(bools.get(), &index, &raw);
    EXPECT_EQ(VARIANT_TRUE, raw);
    index = 1;
    getElement(bools.get(), &index, value);
    EXPECT_FALSE(value);
    index = 2;
    value = true;
    getElement(bools.get(), &index, value);
    EXPECT_FALSE(value);

    // Read from an array of VARIANTs as well.
    UniqueSafeArray variants = vectorOf(VT_VARIANT, 1);
    UniqueVariant element;
    V_VT(element.get()) = VT_BOOL;
    V_BOOL(element.get()) = VARIANT_TRUE;
    index = 0;
    SafeArrayPutElement(variants.get(), &index, element.get());
    value = false;
    getElement(variants.get(), &index, value);
    EXPECT_TRUE(value);
}

TEST(SafeArrayElements, TextsAreCopiedNullTextIsEmpty)
{
    UniqueSafeArray texts = vectorOf(VT_BSTR, 3);
    LONG index = 0;
    putElement(texts.get(), &index, static_cast<const wchar_t*>(nullptr));
    index = 1;
    putElement(texts.get(), &index, "narrow text");
    index = 2;
    putElement(texts.get(), &index, std::wstring(L"wide text"));

    UniqueBstr raw;
    index = 0;
    SafeArrayGetElement(texts.get(), &index, raw.put());
    ASSERT_NE(nullptr, raw.get());
    EXPECT_EQ(0u, raw.length());

    std::wstring value;
    index = 1;
    getElement(texts.get(), &index, value);
    EXPECT_EQ(L"narrow text", value);
    index = 2;
    getElement(texts.get(), &index, value);
    EXPECT_EQ(L"wide text", value);
}

TEST(SafeArrayElements, DispatchReferencesAreBalanced)
{
    ondivar::testing::CountingDispatch object;
    {
        UniqueSafeArray typed = vectorOf(VT_DISPATCH, 1);
        UniqueSafeArray variants = vectorOf(VT_VARIANT, 1);
        LONG index = 0;
        putElement(typed.get(), &index, static_cast<IDispatch*>(&object));
        putElement(variants.get(), &index, static_cast<IDispatch*>(&object));
        EXPECT_EQ(2u, object.extraReferences());

        ComPtr<IDispatch> fromTyped;
        ComPtr<IDispatch> fromVariants;
        getElement(typed.get(), &index, fromTyped);
        getElement(variants.get(), &index, fromVariants);
        EXPECT_EQ(&object, fromTyped.get());
        EXPECT_EQ(&object, fromVariants.get());
        EXPECT_EQ(4u, object.extraReferences());
    }
    EXPECT_EQ(0u, object.extraReferences());
}

// A descriptor whose element size or copy flags contradict its element type would make an element copy
// write past the element read or free what the array still owns: such arrays are refused.
TEST(SafeArrayElements, DescriptorContradictingItsTypeIsRefused)
{
    struct Lie {
        VARTYPE vt;
        ULONG elementSize;
        USHORT clearedFlags;
    };
    const Lie lies[] = {
        {VT_I4, 8, 0},                      // four-byte integers stored as eight bytes
        {VT_BOOL, 4, 0},                    // a bool wider than VARIANT_BOOL
        {VT_BSTR, sizeof(BSTR), FADF_BSTR}, // strings without the flag that copies them
        {VT_VARIANT, 8, 0},                 // VARIANTs smaller than a VARIANT
    };
    for (const Lie& lie : lies) {
        SAFEARRAY* raw = nullptr;
        ASSERT_EQ(S_OK, SafeArrayAllocDescriptorEx(lie.vt, 1, &raw));
        UniqueSafeArray array(raw);
        raw->cbElements = lie.elementSize;
        raw->fFeatures &= ~lie.clearedFlags;
        raw->rgsabound[0].cElements = 2;
        raw->rgsabound[0].lLbound = 0;
        ASSERT_EQ(S_OK, SafeArrayAllocData(raw));

        EXPECT_EQ(0, safeArrayElementType(raw)) << lie.vt;
        LONG index = 1;
        long number = 0;
        bool flag = false;
        std::wstring text;
        double value = 0;
        switch (lie.vt) {
        case VT_I4:
            expectError(captureError([&] { getElement(raw, &index, number); }), E_INVALIDARG, L"Array Error",
                        getTypeMessage);
            expectError(captureError([&] { putElement(raw, &index, 7L); }), E_INVALIDARG, L"Array Error",
                        putTypeMessage);
            break;
        case VT_BOOL:
            expectError(captureError([&] { getElement(raw, &index, flag); }), E_INVALIDARG, L"Array Error",
                        getTypeMessage);
            break;
        case VT_BSTR:
            expectError(captureError([&] { getElement(raw, &index, text); }), E_INVALIDARG, L"Array Error",
                        getTypeMessage);
            break;
        default:
            expectError(captureError([&] { getElement(raw, &index, value); }), E_INVALIDARG, L"Array Error",
                        getTypeMessage);
            break;
        }
        // No element left to clear: the array's data is freed without being read.
        raw->rgsabound[0].cElements = 0;
        raw->fFeatures |= lie.clearedFlags;
    }
}

} // namespace
