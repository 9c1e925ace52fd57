// CMyException: the shared record, the accessors and their class checks, the formatting of messages.
#include "support/CapeErrors.h"
#include "support/TarvoException.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

using TarvoException::CMyException;

namespace {

const HRESULT eFail = static_cast<HRESULT>(0x80004005);

std::wstring descriptionOf(const CMyException& e)
{
    std::wstring d;
    EXPECT_EQ(S_OK, e.getDescription(d));
    return d;
}

} // namespace

TEST(CMyException, DefaultHandleHasNoErrorObject)
{
    CMyException e;
    long result = 12;
    EXPECT_EQ(S_OK, e.getHResult(result));
    EXPECT_EQ(0, result);
    EXPECT_EQ(nullptr, e.errorObject());

    std::wstring s;
    using Getter = HRESULT (CMyException::*)(std::wstring&) const;
    for (Getter get : {&CMyException::getName, &CMyException::getDescription, &CMyException::getScope,
                       &CMyException::getInterfaceName, &CMyException::getOperation,
                       &CMyException::getMoreInfo, &CMyException::getParameterName, &CMyException::getType,
                       &CMyException::getRequestedOperation, &CMyException::getItemName}) {
        s = L"stale";
        EXPECT_EQ(eFail, (e.*get)(s));
        EXPECT_EQ(L"", s);
    }
    using Setter = HRESULT (CMyException::*)(const std::wstring&);
    for (Setter set :
         {&CMyException::setName, &CMyException::setDescription, &CMyException::setScope,
          &CMyException::setInterfaceName, &CMyException::setOperation, &CMyException::setMoreInfo,
          &CMyException::setParameterName, &CMyException::setRequestedOperation, &CMyException::setItemName})
        EXPECT_EQ(eFail, (e.*set)(L"x"));

    long code = 5;
    EXPECT_EQ(eFail, e.getCode(code));
    EXPECT_EQ(5, code);
    short position = 3;
    EXPECT_EQ(eFail, e.getPosition(position));
    EXPECT_EQ(-1, position);
    EXPECT_EQ(eFail, e.setPosition(2));
    double bound = 1.5;
    EXPECT_EQ(eFail, e.getLowerBound(bound));
    EXPECT_EQ(eFail, e.getUpperBound(bound));
    EXPECT_EQ(eFail, e.getValue(bound));
    EXPECT_EQ(1.5, bound);
    EXPECT_EQ(eFail, e.setBoundaries(1.0, 2.0, 3.0, L"t"));
    IDispatch* parameter = reinterpret_cast<IDispatch*>(0x10);
    EXPECT_EQ(eFail, e.getParameter(parameter));
    EXPECT_EQ(nullptr, parameter);
    EXPECT_EQ(eFail, e.setParameter(nullptr));
    EXPECT_EQ(eFail, e.appendDescription(L"%d", 1));
}

TEST(CMyException, FormattedConstructorInterpretsNamesAndAppends)
{
    CMyException e(
        static_cast<HRESULT>(0x80070057), L"Array error",
        L"Try to convert a %d-dimensional array into 1-dimensional array. Please contact support\n", 2);
    EXPECT_NE(nullptr, dynamic_cast<const TarvoException::CCapeData*>(e.errorObject()));
    long value = 0;
    e.getHResult(value);
    EXPECT_EQ(static_cast<long>(0x80040502), value);
    EXPECT_EQ(S_OK, e.getCode(value));
    EXPECT_EQ(static_cast<long>(0x80070057), value);
    std::wstring name;
    EXPECT_EQ(S_OK, e.getName(name));
    EXPECT_EQ(L"Array error", name);
    EXPECT_EQ(L"Bad argument.\nTry to convert a 2-dimensional array into 1-dimensional array. Please contact "
              L"support\n",
              descriptionOf(e));
}

TEST(CMyException, CopiesShareOneRecord)
{
    auto first = std::make_unique<CMyException>(static_cast<HRESULT>(0x80040008), L"Bounds", L"low\n");
    CMyException copy(*first);
    EXPECT_EQ(S_OK, first->setInterfaceName(L"ICapeHydroFlow"));
    EXPECT_EQ(S_OK, first->setBoundaries(1.0, 2.0, 3.5, L"pressure"));
    first.reset();

    std::wstring s;
    EXPECT_EQ(S_OK, copy.getInterfaceName(s));
    EXPECT_EQ(L"ICapeHydroFlow", s);
    double value = 0;
    EXPECT_EQ(S_OK, copy.getValue(value));
    EXPECT_EQ(3.5, value);
    EXPECT_EQ(S_OK, copy.getType(s));
    EXPECT_EQ(L"pressure", s);

    CMyException second(copy);
    EXPECT_EQ(S_OK, second.setOperation(L"CalcFlow"));
    EXPECT_EQ(S_OK, copy.getOperation(s));
    EXPECT_EQ(L"CalcFlow", s);
    EXPECT_EQ(copy.errorObject(), second.errorObject());
}

// The class-specific accessors answer by the dynamic class of the error object.
TEST(CMyException, AccessorsFollowTheDynamicClass)
{
    CMyException noMemory(static_cast<HRESULT>(0x8007000E), L"Memory", L"");
    double bound = 7;
    EXPECT_EQ(S_OK, noMemory.getLowerBound(bound));
    EXPECT_EQ(0.0, bound);
    EXPECT_EQ(S_OK, noMemory.setBoundaries(-1.0, 1.0, 2.0, L"bytes"));
    EXPECT_EQ(S_OK, noMemory.getUpperBound(bound));
    EXPECT_EQ(1.0, bound);
    short position = 4;
    EXPECT_EQ(eFail, noMemory.getPosition(position));
    EXPECT_EQ(-1, position);

    CMyException outOfBounds(static_cast<HRESULT>(0x80040008), L"Bounds", L"");
    EXPECT_EQ(S_OK, outOfBounds.getPosition(position));
    EXPECT_EQ(0, position);
    EXPECT_EQ(S_OK, outOfBounds.setPosition(3));
    EXPECT_EQ(S_OK, outOfBounds.getPosition(position));
    EXPECT_EQ(3, position);
    EXPECT_EQ(S_OK, outOfBounds.getValue(bound));

    CMyException invOrder(static_cast<HRESULT>(0x80040006), L"Order", L"");
    std::wstring s = L"stale";
    EXPECT_EQ(S_OK, invOrder.getRequestedOperation(s));
    EXPECT_EQ(L"", s);
    EXPECT_EQ(S_OK, invOrder.setRequestedOperation(L"CalcFlow"));
    EXPECT_EQ(S_OK, invOrder.getRequestedOperation(s));
    EXPECT_EQ(L"CalcFlow", s);
    s = L"stale";
    EXPECT_EQ(eFail, invOrder.getItemName(s));
    EXPECT_EQ(L"", s);
    EXPECT_EQ(eFail, invOrder.getType(s));
    EXPECT_EQ(eFail, invOrder.setParameterName(L"p"));

    CMyException data(static_cast<HRESULT>(0x80070057), L"Array error", L"");
    EXPECT_EQ(eFail, data.getPosition(position));
    EXPECT_EQ(eFail, data.getLowerBound(bound));
    EXPECT_EQ(S_OK, data.setScope(L"scope"));
    EXPECT_EQ(S_OK, data.getScope(s));
    EXPECT_EQ(L"scope", s);
    EXPECT_EQ(S_OK, data.setDescription(L"replaced"));
    EXPECT_EQ(L"replaced", descriptionOf(data));
}

// Wide formats take the Windows meaning on both toolchains: %s is a wide string, %S a narrow one.
TEST(CMyException, FormattingUsesWindowsWideConversions)
{
    CMyException e(static_cast<HRESULT>(0x80040009), L"Model error", L"phase %s, count %d, %S, 100%%\n",
                   L"Vapour", -42, "narrow");
    EXPECT_EQ(L"phase Vapour, count -42, narrow, 100%\n", descriptionOf(e));
    EXPECT_EQ(S_OK, e.appendDescription(L"[%s|%d|%%]", L"more", 7));
    EXPECT_EQ(L"phase Vapour, count -42, narrow, 100%\n[more|7|%]", descriptionOf(e));
}

TEST(CMyException, ConstructorAndCheckConditionHaveNoLengthLimit)
{
    const std::wstring longText(5000, L'x');
    CMyException e(static_cast<HRESULT>(0x80040005), L"Solver", L"<%s>", longText.c_str());
    EXPECT_EQ(L"<" + longText + L">", descriptionOf(e));

    try {
        TarvoException::checkCondition(false, static_cast<HRESULT>(0x80040005), L"Solver", L"%s|%d",
                                       longText.c_str(), 9);
        FAIL() << "no exception";
    } catch (const CMyException& thrown) {
        EXPECT_EQ(longText + L"|9", descriptionOf(thrown));
    }
}

TEST(CMyException, AppendDescriptionKeepsAtMost1023Characters)
{
    CMyException e(static_cast<HRESULT>(0x80040005), L"Solver", L"head:");
    const std::wstring exact(1023, L'a');
    EXPECT_EQ(S_OK, e.appendDescription(L"%s", exact.c_str()));
    EXPECT_EQ(L"head:" + exact, descriptionOf(e));

    e.setDescription(L"");
    const std::wstring tooLong(3000, L'b');
    EXPECT_EQ(S_OK, e.appendDescription(L"%s!", tooLong.c_str()));
    EXPECT_EQ(std::wstring(1023, L'b'), descriptionOf(e));
}

TEST(CheckCondition, TrueConditionNeverFormats)
{
    // Formatting these arguments would read through bogus string pointers.
    EXPECT_NO_THROW(TarvoException::checkCondition(true, static_cast<HRESULT>(0x80040009), L"x", L"%s%s%s%s",
                                                   1, 2, 3, 4));
}

TEST(CheckCondition, FalseConditionThrowsWithTheMessageVerbatim)
{
    try {
        TarvoException::checkCondition(false, static_cast<HRESULT>(0x80040009), L"Configuration error",
                                       L"%s at %d%%\n", L"100% %d %s", 5);
        FAIL() << "no exception";
    } catch (const CMyException& e) {
        EXPECT_EQ(L"100% %d %s at 5%\n", descriptionOf(e));
        EXPECT_NE(nullptr, dynamic_cast<const TarvoException::CCapeBadArgument*>(e.errorObject()));
        long value = 0;
        e.getHResult(value);
        EXPECT_EQ(static_cast<long>(0x80040505), value);
        std::wstring name;
        e.getName(name);
        EXPECT_EQ(L"Configuration error", name);
    }
}
