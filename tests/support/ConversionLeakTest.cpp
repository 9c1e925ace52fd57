// Every conversion run 100000 times, and every failing one 10000 times (a failure costs a thrown
// exception): the process's memory must not grow. A leak of one small block per run would show as that
// many more blocks in use and a megabyte or more of private bytes.
#include "support/ArrayConversion.h"

#include "CountingDispatch.h"
#include "tests/common/MemoryProbe.h"
#include "support/TarvoException.h"

#include <gtest/gtest.h>

#include <cstdlib>

using namespace ondivar;
using ondivar::testing::expectNoGrowth;
using ondivar::testing::growthOver;
using ondivar::testing::MemoryReading;

namespace {

const int repetitions = 100000;
const int failingRepetitions = 10000;

// Converts values into a VARIANT and back into values, repetitions times.
template <class Array> void expectRoundTripsKeepMemoryFlat(Array& values, bool asVariants)
{
    UniqueVariant v;
    expectNoGrowth(growthOver(repetitions, [&] {
        arrayToVariant(values, v.get(), asVariants);
        variantToArray(v.get(), values);
    }));
}

// Runs f, which must throw CMyException.
template <class F> void failing(F f)
{
    try {
        f();
        ADD_FAILURE() << "no exception";
    } catch (const TarvoException::CMyException&) {
    }
}

TEST(ConversionLeaks, ProbeSeesOneLeakedBlockPerRepetition)
{
    std::vector<void*> kept;
    kept.reserve(repetitions + 1000);
    const MemoryReading growth = growthOver(repetitions, [&] { kept.push_back(std::malloc(16)); });
    EXPECT_GE(growth.heapBlocksInUse, repetitions);
    EXPECT_GE(growth.heapBytesInUse, 16LL * repetitions);
    EXPECT_GE(growth.privateBytes, ondivar::testing::kMaxPrivateGrowth);
    for (void* p : kept)
        std::free(p);
}

TEST(ConversionLeaks, NumbersBothWays)
{
    CArray1D<double> doubles(3, 2.5);
    CArray1D<long> longs(3, 7L);
    for (bool asVariants : {false, true}) {
        expectRoundTripsKeepMemoryFlat(doubles, asVariants);
        expectRoundTripsKeepMemoryFlat(longs, asVariants);
    }
}

TEST(ConversionLeaks, TextsBothWays)
{
    CArray1D<std::wstring> wide(3, L"a phase label");
    CArray1D<std::string> narrow(3, "a narrow label");
    const wchar_t* plain[] = {L"one", nullptr, L"three"};
    UniqueVariant v;
    for (bool asVariants : {false, true}) {
        expectRoundTripsKeepMemoryFlat(wide, asVariants);
        expectNoGrowth(growthOver(repetitions, [&] { arrayToVariant(narrow, v.get(), asVariants); }));
        expectNoGrowth(growthOver(repetitions, [&] { arrayToVariant(plain, 3, v.get(), asVariants); }));
    }
}

TEST(ConversionLeaks, DispatchPointersAndBools)
{
    ondivar::testing::CountingDispatch object;
    CArray1D<ComPtr<IDispatch>> dispatch(3, ComPtr<IDispatch>(&object));
    for (bool asVariants : {false, true})
        expectRoundTripsKeepMemoryFlat(dispatch, asVariants);
    // Only the array's own three references remain once the last VARIANT is cleared.
    EXPECT_EQ(3u, object.extraReferences());

    UniqueVariant bools;
    const ULONG count = 3;
    createSafeArray(VT_BOOL, &count, 1, bools.get());
    CArray1D<bool> out;
    expectNoGrowth(growthOver(repetitions, [&] { variantToArray(bools.get(), out); }));
}

TEST(ConversionLeaks, TwoDimensional)
{
    CArray2D<double> doubles(2, 3, 1.5);
    CArray2D<std::wstring> texts(2, 2, L"cell");
    for (bool asVariants : {false, true}) {
        expectRoundTripsKeepMemoryFlat(doubles, asVariants);
        expectRoundTripsKeepMemoryFlat(texts, asVariants);
    }
}

TEST(ConversionLeaks, FailingConversions)
{
    // Strings before the element of the wrong type: the ones already read are freed with the result.
    UniqueVariant mixed;
    const ULONG count = 3;
    createSafeArray(VT_VARIANT, &count, 1, mixed.get());
    LONG index = 0;
    putElement(V_ARRAY(mixed.get()), &index, L"first");
    index = 1;
    putElement(V_ARRAY(mixed.get()), &index, L"second");
    index = 2;
    putElement(V_ARRAY(mixed.get()), &index, 3.0);
    CArray1D<std::wstring> texts;
    expectNoGrowth(
        growthOver(failingRepetitions, [&] { failing([&] { variantToArray(mixed.get(), texts); }); }));

    CArray1D<double> doubles;
    expectNoGrowth(
        growthOver(failingRepetitions, [&] { failing([&] { variantToArray(mixed.get(), doubles); }); }));

    SAFEARRAYBOUND bounds[2] = {{2, 1}, {2, 0}};
    UniqueVariant shifted;
    V_VT(shifted.get()) = VT_R8 | VT_ARRAY;
    V_ARRAY(shifted.get()) = SafeArrayCreate(VT_R8, 2, bounds);
    CArray2D<double> grid;
    expectNoGrowth(
        growthOver(failingRepetitions, [&] { failing([&] { variantToArray(shifted.get(), grid); }); }));

    // A refused argument: the destination is emptied and nothing is left behind.
    UniqueVariant v;
    expectNoGrowth(growthOver(failingRepetitions, [&] {
        failing([&] { arrayToVariant(static_cast<const wchar_t* const*>(nullptr), 2, v.get(), false); });
    }));
}

TEST(ConversionLeaks, StringConversions)
{
    const std::wstring wide = L"superficialVelocity";
    std::wstring wideOut;
    std::string narrowOut;
    CArray1D<std::wstring> texts(3, L"-1.#IND00");
    CArray1D<double> values;
    expectNoGrowth(growthOver(repetitions, [&] {
        BSTR b = nullptr;
        stringToBSTR(wide, b);
        bstrToString(b, wideOut);
        SysFreeString(b);
        wideToAnsi(wideOut, narrowOut);
        ansiToWide(narrowOut, wideOut);
        parseDoubles(texts, values);
    }));
}

} // namespace
