// Arrays through real SAFEARRAYs and back, for every element kind, typed and as arrays of VARIANTs.
#include "support/ArrayConversion.h"

#include "CountingDispatch.h"

#include <gtest/gtest.h>

using namespace ondivar;

namespace {

template <class T> CArray1D<T> arrayOf(std::initializer_list<T> values)
{
    CArray1D<T> array(values.size());
    std::copy(values.begin(), values.end(), array.begin());
    return array;
}

template <class T> std::vector<T> elementsOf(const CArray1D<T>& array)
{
    return std::vector<T>(array.begin(), array.end());
}

// The VARIANT made from source must be a 0-based one-dimensional safe array of the expected type.
void expectVector(const VARIANT* v, VARTYPE elementType, ULONG count)
{
    ASSERT_EQ(elementType | VT_ARRAY, V_VT(v));
    ASSERT_EQ(1u, SafeArrayGetDim(V_ARRAY(v)));
    VARTYPE stored = 0;
    SafeArrayGetVartype(V_ARRAY(v), &stored);
    EXPECT_EQ(elementType, stored);
    LONG lower = -1;
    LONG upper = -1;
    SafeArrayGetLBound(V_ARRAY(v), 1, &lower);
    SafeArrayGetUBound(V_ARRAY(v), 1, &upper);
    EXPECT_EQ(0, lower);
    EXPECT_EQ(static_cast<LONG>(count) - 1, upper);
}

template <class Source, class Back>
void roundTrip(const CArray1D<Source>& source, VARTYPE kind, CArray1D<Back>& back)
{
    for (bool asVariants : {false, true}) {
        UniqueVariant v;
        arrayToVariant(source, v.get(), asVariants);
        expectVector(v.get(), asVariants ? VARTYPE(VT_VARIANT) : kind, static_cast<ULONG>(source.size()));
        if (asVariants) {
            // Each element is a VARIANT of the kind's own type.
            UniqueVariant element;
            LONG index = 0;
            SafeArrayGetElement(V_ARRAY(v.get()), &index, element.get());
            EXPECT_EQ(kind, V_VT(element.get()));
        }
        variantToArray(v.get(), back);
    }
}

TEST(ArrayRoundTrip, Numbers)
{
    const CArray1D<double> doubles = arrayOf({1.5, -2.25, 1e300, 0.0});
    CArray1D<double> doublesBack;
    roundTrip(doubles, VT_R8, doublesBack);
    EXPECT_EQ(elementsOf(doubles), elementsOf(doublesBack));

    const CArray1D<long> longs = arrayOf<long>({7, -2147483647L - 1, 2147483647L});
    CArray1D<long> longsBack;
    roundTrip(longs, VT_I4, longsBack);
    EXPECT_EQ(elementsOf(longs), elementsOf(longsBack));
}

TEST(ArrayRoundTrip, Texts)
{
    const CArray1D<std::wstring> wide = arrayOf<std::wstring>({L"Slug", L"", L"Separated \u00e9"});
    CArray1D<std::wstring> back;
    roundTrip(wide, VT_BSTR, back);
    EXPECT_EQ(elementsOf(wide), elementsOf(back));

    const CArray1D<std::string> narrow = arrayOf<std::string>({"vapour", "", "water"});
    roundTrip(narrow, VT_BSTR, back);
    EXPECT_EQ((std::vector<std::wstring>{L"vapour", L"", L"water"}), elementsOf(back));

    const wchar_t* plain[] = {L"first", nullptr, L"third"};
    for (bool asVariants : {false, true}) {
        UniqueVariant v;
        arrayToVariant(plain, 3, v.get(), asVariants);
        expectVector(v.get(), asVariants ? VARTYPE(VT_VARIANT) : VARTYPE(VT_BSTR), 3);
        variantToArray(v.get(), back);
        EXPECT_EQ((std::vector<std::wstring>{L"first", L"", L"third"}), elementsOf(back));
    }
}

TEST(ArrayRoundTrip, DispatchPointersKeepTheirReferencesBalanced)
{
    ondivar::testing::CountingDispatch first;
    ondivar::testing::CountingDispatch second;
    {
        CArray1D<ComPtr<IDispatch>> source(3);
        source[0] = ComPtr<IDispatch>(&first);
        source[2] = ComPtr<IDispatch>(&second);
        CArray1D<ComPtr<IDispatch>> back;
        roundTrip(source, VT_DISPATCH, back);
        ASSERT_EQ(3u, back.size());
        EXPECT_EQ(&first, back[0].get());
        EXPECT_EQ(nullptr, back[1].get());
        EXPECT_EQ(&second, back[2].get());
        // The source's and the result's references; the safe arrays are gone.
        EXPECT_EQ(2u, first.extraReferences());
    }
    EXPECT_EQ(0u, first.extraReferences());
    EXPECT_EQ(0u, second.extraReferences());
}

TEST(ArrayRoundTrip, BoolsFromTypedAndVariantArrays)
{
    const bool values[] = {true, false, true};
    for (VARTYPE vt : {VARTYPE(VT_BOOL), VARTYPE(VT_VARIANT)}) {
        UniqueVariant v;
        const ULONG count = 3;
        createSafeArray(vt, &count, 1, v.get());
        for (LONG i = 0; i < 3; ++i) {
            if (vt == VT_BOOL) {
                putElement(V_ARRAY(v.get()), &i, values[i]);
            } else {
                UniqueVariant element;
                V_VT(element.get()) = VT_BOOL;
                V_BOOL(element.get()) = values[i] ? VARIANT_TRUE : VARIANT_FALSE;
                SafeArrayPutElement(V_ARRAY(v.get()), &i, element.get());
            }
        }
        CArray1D<bool> back;
        variantToArray(v.get(), back);
        EXPECT_EQ((std::vector<bool>{true, false, true}), std::vector<bool>(back.begin(), back.end()));
    }
}

TEST(ArrayRoundTrip, EmptyArrayIsAnEmptyVariantAndBack)
{
    UniqueVariant v;
    V_VT(v.get()) = VT_BSTR;
    V_BSTR(v.get()) = SysAllocString(L"released before the conversion");
    arrayToVariant(CArray1D<double>(), v.get(), false);
    EXPECT_EQ(VT_EMPTY, V_VT(v.get()));
    CArray1D<double> back(4, 1.0);
    variantToArray(v.get(), back);
    EXPECT_EQ(0u, back.size());

    arrayToVariant(CArray2D<long>(0, 5), v.get(), true);
    EXPECT_EQ(VT_EMPTY, V_VT(v.get()));
    CArray2D<long> back2(2, 2);
    variantToArray(v.get(), back2);
    EXPECT_EQ(0u, back2.rows());
    EXPECT_EQ(0u, back2.columns());
}

template <class T>
CArray2D<T> grid(std::size_t rows, std::size_t columns, T (*make)(std::size_t, std::size_t))
{
    CArray2D<T> array(rows, columns);
    for (std::size_t i = 0; i < rows; ++i)
        for (std::size_t j = 0; j < columns; ++j)
            array[i][j] = make(i, j);
    return array;
}

// Element (i, j) of the array sits at safe-array indices (i, j): rows are dimension 1.
template <class Source, class Back>
void roundTrip2D(const CArray2D<Source>& source, VARTYPE kind, CArray2D<Back>& back)
{
    for (bool asVariants : {false, true}) {
        UniqueVariant v;
        arrayToVariant(source, v.get(), asVariants);
        ASSERT_EQ((asVariants ? VARTYPE(VT_VARIANT) : kind) | VT_ARRAY, V_VT(v.get()));
        CArray1D<long> extents;
        safeArrayExtents(V_ARRAY(v.get()), extents);
        ASSERT_EQ(2u, extents.size());
        EXPECT_EQ(static_cast<long>(source.rows()), extents[0]);
        EXPECT_EQ(static_cast<long>(source.columns()), extents[1]);
        variantToArray(v.get(), back);
        ASSERT_EQ(source.rows(), back.rows());
        ASSERT_EQ(source.columns(), back.columns());
    }
}

TEST(ArrayRoundTrip, TwoDimensionalKeepsRowsAndColumns)
{
    const auto doubles = grid<double>(2, 3, [](std::size_t i, std::size_t j) { return 10.0 * i + j + 0.5; });
    CArray2D<double> doublesBack;
    roundTrip2D(doubles, VT_R8, doublesBack);
    for (std::size_t i = 0; i < 2; ++i)
        EXPECT_EQ(elementsOf(doubles[i]), elementsOf(doublesBack[i]));

    // Element (1, 2) is where a client indexing (row, column) finds it.
    UniqueVariant v;
    arrayToVariant(doubles, v.get(), false);
    LONG indices[2] = {1, 2};
    double value = 0;
    SafeArrayGetElement(V_ARRAY(v.get()), indices, &value);
    EXPECT_EQ(12.5, value);

    const auto longs = grid<long>(3, 1, [](std::size_t i, std::size_t) { return static_cast<long>(i) - 1; });
    CArray2D<long> longsBack;
    roundTrip2D(longs, VT_I4, longsBack);
    for (std::size_t i = 0; i < 3; ++i)
        EXPECT_EQ(elementsOf(longs[i]), elementsOf(longsBack[i]));

    const auto texts = grid<std::wstring>(
        2, 2, [](std::size_t i, std::size_t j) { return std::to_wstring(i) + L"," + std::to_wstring(j); });
    CArray2D<std::wstring> textsBack;
    roundTrip2D(texts, VT_BSTR, textsBack);
    EXPECT_EQ(L"1,0", textsBack[1][0]);
    EXPECT_EQ(L"0,1", textsBack[0][1]);

    const auto narrow =
        grid<std::string>(1, 2, [](std::size_t, std::size_t j) { return std::string(j, 'n'); });
    roundTrip2D(narrow, VT_BSTR, textsBack);
    EXPECT_EQ(L"", textsBack[0][0]);
    EXPECT_EQ(L"n", textsBack[0][1]);

    ondivar::testing::CountingDispatch object;
    {
        CArray2D<ComPtr<IDispatch>> dispatch(2, 2);
        dispatch[1][0] = ComPtr<IDispatch>(&object);
        CArray2D<ComPtr<IDispatch>> dispatchBack;
        roundTrip2D(dispatch, VT_DISPATCH, dispatchBack);
        EXPECT_EQ(&object, dispatchBack[1][0].get());
        EXPECT_EQ(nullptr, dispatchBack[0][1].get());
    }
    EXPECT_EQ(0u, object.extraReferences());
}

TEST(ArrayRoundTrip, TwoDimensionalBools)
{
    UniqueVariant v;
    const ULONG counts[2] = {2, 2};
    createSafeArray(VT_BOOL, counts, 2, v.get());
    LONG indices[2] = {1, 0};
    putElement(V_ARRAY(v.get()), indices, true);
    CArray2D<bool> back;
    variantToArray(v.get(), back);
    ASSERT_EQ(2u, back.rows());
    EXPECT_TRUE(back[1][0]);
    EXPECT_FALSE(back[0][0]);
    EXPECT_FALSE(back[0][1]);
    EXPECT_FALSE(back[1][1]);
}

} // namespace
