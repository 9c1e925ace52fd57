#include "support/StringConversion.h"

#include "support/ComHandles.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace ondivar;

namespace {

TEST(StringConversion, BstrCopiesAndNullForEmpty)
{
    BSTR out = reinterpret_cast<BSTR>(1);
    stringToBSTR(std::wstring(), out);
    EXPECT_EQ(nullptr, out);
    stringToBSTR(static_cast<const wchar_t*>(nullptr), out);
    EXPECT_EQ(nullptr, out);

    const std::wstring text = L"Homogeneous";
    stringToBSTR(text, out);
    UniqueBstr owned(out);
    ASSERT_NE(nullptr, owned.get());
    EXPECT_NE(text.c_str(), owned.get());
    EXPECT_EQ(text.size(), owned.length());
    EXPECT_EQ(text, std::wstring(owned.get()));

    // Null-terminated text: an empty (not null) text stays a BSTR.
    stringToBSTR(L"", out);
    UniqueBstr empty(out);
    ASSERT_NE(nullptr, empty.get());
    EXPECT_EQ(0u, empty.length());
}

TEST(StringConversion, BstrTextStopsAtFirstNull)
{
    std::wstring out = L"previous";
    bstrToString(nullptr, out);
    EXPECT_EQ(L"", out);

    UniqueBstr withNull(SysAllocStringLen(L"ab\0cd", 5));
    bstrToString(withNull.get(), out);
    EXPECT_EQ(L"ab", out);
}

TEST(StringConversion, NarrowAndWideAscii)
{
    std::wstring wide = L"previous";
    ansiToWide(nullptr, wide);
    EXPECT_EQ(L"", wide);
    ansiToWide(std::string("Slug flow 2.5"), wide);
    EXPECT_EQ(L"Slug flow 2.5", wide);

    std::string narrow = "previous";
    wideToAnsi(std::wstring(), narrow);
    EXPECT_EQ("", narrow);
    wideToAnsi(L"pressureDropTotal", narrow);
    EXPECT_EQ("pressureDropTotal", narrow);
}

TEST(StringConversion, ParseDoublesReadsIndefiniteFormsAsNaN)
{
    CArray1D<std::wstring> texts(5);
    texts[0] = L"1.#IND";
    texts[1] = L"-1.#IND00";
    texts[2] = L"2.5";
    texts[3] = L"not a number";
    texts[4] = L"-3e2 and more";
    CArray1D<double> values(1, 9.0);
    parseDoubles(texts, values);
    ASSERT_EQ(5u, values.size());
    EXPECT_TRUE(std::isnan(values[0]));
    EXPECT_TRUE(std::isnan(values[1]));
    EXPECT_EQ(2.5, values[2]);
    EXPECT_EQ(0.0, values[3]);
    EXPECT_EQ(-300.0, values[4]);

    parseDoubles(CArray1D<std::wstring>(), values);
    EXPECT_EQ(0u, values.size());
}

TEST(StringConversion, Utf8BothWaysAndGuidText)
{
    const std::wstring wide = L"\x00E8 \x03B1 \x20AC \xD83D\xDE00"; // 2-, 3- and 4-byte UTF-8 forms
    const std::string utf8 = wideToUtf8(wide);
    EXPECT_EQ("\xC3\xA8 \xCE\xB1 \xE2\x82\xAC \xF0\x9F\x98\x80", utf8);
    EXPECT_EQ(wide, utf8ToWide(utf8));
    EXPECT_EQ("", wideToUtf8(static_cast<const wchar_t*>(nullptr)));
    EXPECT_EQ(L"", utf8ToWide(""));
    EXPECT_EQ(L"\xFFFD", utf8ToWide("\xFF"));

    const GUID guid = {0x3C5A71E2, 0x6D04, 0x4B8F, {0x9E, 0x21, 0x7A, 0x0D, 0x5C, 0x96, 0xB1, 0xF4}};
    EXPECT_EQ(L"{3C5A71E2-6D04-4B8F-9E21-7A0D5C96B1F4}", guidText(guid));
}

} // namespace
