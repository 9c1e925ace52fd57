// interpretHResult: the class, code, text and reported HRESULT of every interpreted code, and the
// fallback text for the rest.
#include "support/ErrorInterpretation.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <typeinfo>

using namespace TarvoException;

namespace {

struct Expected {
    std::uint32_t raised;
    const std::type_info& type;
    const wchar_t* text;
    std::uint32_t reported;
};

const Expected rows[] = {
    {0x80004001u, typeid(CCapeNoImpl), L"Operation not implemented.\n", 0x80040509u},
    {0x80004002u, typeid(CCapeFailedInitialisation),
     L"The interface does not implement the requested interface.\n", 0x8004050Fu},
    {0x8000FFFFu, typeid(CCapeUnknown), L"Unexpected exception.\n", 0x80040501u},
    {0x80020008u, typeid(CCapeComputation),
     L"The source and destination argument have an invalid type (usually uninitialized).\n", 0x8004050Bu},
    {0x8002000Bu, typeid(CCapeData), L"Bad index.\n", 0x80040502u},
    {0x8002000Du, typeid(CCapeComputation), L"One of the arguments contains an array that is locked.\n",
     0x8004050Bu},
    {0x80040005u, typeid(CCapeSolvingError), L"", 0x80040510u},
    {0x80040006u, typeid(CCapeBadInvOrder), L"", 0x80040511u},
    {0x80040007u, typeid(CCapeInvalidArgument), L"", 0x80040506u},
    {0x80040008u, typeid(CCapeOutOfBounds), L"", 0x80040507u},
    {0x80040009u, typeid(CCapeBadArgument), L"", 0x80040505u},
    {0x8004000Au, typeid(CCapeFailedInitialisation), L"", 0x8004050Fu},
    {0x8004000Bu, typeid(CCapeNoImpl), L"", 0x80040509u},
    {0x8004000Du, typeid(CCapeComputation), L"", 0x8004050Bu},
    {0x80040110u, typeid(CCapeFailedInitialisation),
     L"Interface cannot be created as part of an aggregate.\n", 0x8004050Fu},
    {0x80040150u, typeid(CCapeData), L"Bad HKEY.\n", 0x80040502u},
    {0x80040154u, typeid(CCapeFailedInitialisation),
     L"Interface is not registered in the registration database or type of server is not registered or the "
     L"values for the server types in the registry are corrupt. Try to reinstall software.\n",
     0x8004050Fu},
    {0x800401F3u, typeid(CCapeFailedInitialisation),
     L"Windows registry is corrupt. Please, reinstall packages.\n", 0x8004050Fu},
    {0x8007000Eu, typeid(CCapeNoMemory), L"No more memory.\n", 0x8004050Du},
    {0x80070057u, typeid(CCapeData), L"Bad argument.\n", 0x80040502u},
    {0x00040014u, typeid(CCapeUnknown), L"", 0x80040501u},
};

} // namespace

TEST(InterpretHResult, EveryRowGivesItsClassTextAndReportedCode)
{
    for (const Expected& row : rows) {
        SCOPED_TRACE(::testing::Message() << std::hex << row.raised);
        std::unique_ptr<CCapeUser> error;
        EXPECT_EQ(static_cast<HRESULT>(row.reported),
                  interpretHResult(static_cast<HRESULT>(row.raised), error));
        ASSERT_NE(nullptr, error);
        EXPECT_EQ(row.type, typeid(*error));
        EXPECT_EQ(static_cast<HRESULT>(row.raised), error->m_code);
        EXPECT_EQ(row.text, error->m_description);
        EXPECT_EQ(L"", error->m_name);
        EXPECT_EQ(L"", error->m_scope);
    }
}

TEST(InterpretHResult, OtherCodesFallBackToUnknownWithTheSignedDecimal)
{
    const struct {
        std::uint32_t raised;
        const wchar_t* text;
    } fallbacks[] = {
        {0x80004005u, L"Failed to interpret error code -2147467259\n"},
        {0u, L"Failed to interpret error code 0\n"},
        {0x00040015u, L"Failed to interpret error code 262165\n"},
        {0x80040501u, L"Failed to interpret error code -2147220223\n"},
        {0xFFFFFFFFu, L"Failed to interpret error code -1\n"},
    };
    for (const auto& fallback : fallbacks) {
        std::unique_ptr<CCapeUser> error;
        EXPECT_EQ(static_cast<HRESULT>(0x80040501),
                  interpretHResult(static_cast<HRESULT>(fallback.raised), error));
        ASSERT_NE(nullptr, error);
        EXPECT_EQ(typeid(CCapeUnknown), typeid(*error));
        EXPECT_EQ(static_cast<HRESULT>(fallback.raised), error->m_code);
        EXPECT_EQ(fallback.text, error->m_description);
    }
}
