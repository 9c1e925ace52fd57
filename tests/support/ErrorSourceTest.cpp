// createCapeError and CMyException(hr, source): the class chosen by the CAPE-OPEN HRESULT, what each class
// reads from a source, the warnings and fallback values when a source cannot tell, and the references
// taken on the source and on a bad parameter.
#include "FakeCapeError.h"

#include "support/ErrorInterpretation.h"
#include "support/TarvoException.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <typeinfo>
#include <vector>

using namespace TarvoException;
using fakes::CapeError;
using fakes::Getters;

namespace {

const wchar_t rootWarning[] =
    L"WARNING: Cannot access ECapeRoot error interface from a third CAPE_OPEN component.\n";
const wchar_t userWarning[] =
    L"WARNING: Cannot access ECapeUser error interface from a third CAPE_OPEN component.\n";
const wchar_t badArgumentWarning[] = L"WARNING: Cannot access ECapeBadArgument error interface from a third "
                                     L"CAPE_OPEN component: attributes are undefined.\n";
const wchar_t positionWarning[] =
    L"WARNING: get_position method on ECapeBadArgument has failed. Position attribute is undefined.\n";
const wchar_t badCOParameterWarning[] = L"WARNING: Cannot access ECapeBadCOParameter error interface from a "
                                        L"third CAPE_OPEN component: attributes are undefined.\n";
const wchar_t parameterWarning[] = L"WARNING: Failed while getting parameter: value is undefined.\n";
const wchar_t parameterNameWarning[] = L"WARNING: Failed while getting parameterName: value is undefined.\n";
const wchar_t badInvOrderWarning[] = L"WARNING: Cannot access ECapeBadInvOrder error interface from a third "
                                     L"CAPE_OPEN component: attributes are undefined.\n";
const wchar_t requestedOperationWarning[] =
    L"WARNING: Failed while getting requestedOperation: value is undefined.\n";
const wchar_t notFoundWarning[] = L"WARNING: Cannot access ECapePersistenceNotFound error interface from a "
                                  L"third CAPE_OPEN component: itemName is undefined.\n";
const wchar_t itemNameWarning[] = L"WARNING: Failed while getting itemName: value is undefined.\n";

HRESULT hr(std::uint32_t value)
{
    return static_cast<HRESULT>(value);
}

IDispatch* asDispatch(CapeError& fake)
{
    return static_cast<ECapeRoot*>(&fake);
}

template <class T> T& as(const std::unique_ptr<CCapeUser>& error)
{
    T* object = dynamic_cast<T*>(error.get());
    if (object == nullptr)
        throw std::bad_cast();
    return *object;
}

void expectUserFieldsOfFake(const CCapeUser& error)
{
    EXPECT_EQ(L"Fake component", error.m_name);
    EXPECT_EQ(hr(0x80040509), error.m_code);
    EXPECT_EQ(L"Fake scope", error.m_scope);
    EXPECT_EQ(L"ICapeFake", error.m_interfaceName);
    EXPECT_EQ(L"Calculate", error.m_operation);
    EXPECT_EQ(L"See the log", error.m_moreInfo);
}

void expectUserFieldsEmpty(const CCapeUser& error)
{
    EXPECT_EQ(0, error.m_code);
    EXPECT_EQ(L"", error.m_scope);
    EXPECT_EQ(L"", error.m_interfaceName);
    EXPECT_EQ(L"", error.m_operation);
    EXPECT_EQ(L"", error.m_moreInfo);
}

void expectNoBoundaries(const CCapeBoundaries& b)
{
    EXPECT_EQ(0.0, b.m_lowerBound);
    EXPECT_EQ(0.0, b.m_upperBound);
    EXPECT_EQ(0.0, b.m_value);
    EXPECT_EQ(L"", b.m_type);
}

} // namespace

TEST(CreateCapeError, ClassAndReadingsFollowTheCapeHResult)
{
    const std::vector<IID> userReading = {IID_ECapeRoot, IID_ECapeUser};
    auto with = [&](std::initializer_list<IID> more) {
        std::vector<IID> all = userReading;
        all.insert(all.end(), more);
        return all;
    };
    const struct {
        std::uint32_t hr;
        const std::type_info& type;
        std::vector<IID> readings;
    } cases[] = {
        {0x80040501u, typeid(CCapeUnknown), userReading},
        {0x80040502u, typeid(CCapeData), userReading},
        {0x80040503u, typeid(CCapeUnknown), userReading},
        {0x80040504u, typeid(CCapeBadCOParameter), with({IID_ECapeBadCOParameter})},
        {0x80040505u, typeid(CCapeBadArgument), with({IID_ECapeBadArgument})},
        {0x80040506u, typeid(CCapeInvalidArgument), with({IID_ECapeBadArgument})},
        {0x80040507u, typeid(CCapeOutOfBounds), with({IID_ECapeBadArgument, IID_ECapeBoundaries})},
        {0x80040508u, typeid(CCapeImplementation), userReading},
        {0x80040509u, typeid(CCapeNoImpl), userReading},
        {0x8004050Au, typeid(CCapeLimitedImpl), userReading},
        {0x8004050Bu, typeid(CCapeComputation), userReading},
        {0x8004050Cu, typeid(CCapeOutOfResources), with({IID_ECapeBoundaries})},
        {0x8004050Du, typeid(CCapeNoMemory), with({IID_ECapeBoundaries})},
        {0x8004050Eu, typeid(CCapeTimeOut), with({IID_ECapeBoundaries})},
        {0x8004050Fu, typeid(CCapeFailedInitialisation), userReading},
        {0x80040510u, typeid(CCapeSolvingError), userReading},
        {0x80040511u, typeid(CCapeBadInvOrder), with({IID_ECapeBadInvOrder})},
        {0x80040512u, typeid(CCapeInvalidOperation), userReading},
        {0x80040513u, typeid(CCapePersistence), userReading},
        {0x80040514u, typeid(CCapeIllegalAccess), userReading},
        {0x80040515u, typeid(CCapePersistenceNotFound), with({IID_ECapePersistenceNotFound})},
        {0x80040516u, typeid(CCapePersistenceSystemError), userReading},
        {0x80040517u, typeid(CCapePersistenceOverflow), with({IID_ECapeBoundaries})},
        {0x80040518u, typeid(CCapeUnknown), userReading},
        {0x80004005u, typeid(CCapeUnknown), userReading},
        {0x80040500u, typeid(CCapeUnknown), userReading},
    };
    fakes::Parameter parameter;
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << std::hex << c.hr);
        CapeError fake(fakes::everything, Getters::values, &parameter);
        {
            CMyException e(hr(c.hr), ondivar::ComPtr<IDispatch>(asDispatch(fake)));
            EXPECT_EQ(1u, fake.refs()); // nothing kept from the source
            ASSERT_NE(nullptr, e.errorObject());
            EXPECT_EQ(c.type, typeid(*e.errorObject()));
            expectUserFieldsOfFake(*e.errorObject());
            EXPECT_EQ(L"Fake failure.\n", e.errorObject()->m_description);
            long result = 0;
            e.getHResult(result);
            EXPECT_EQ(hr(c.hr), result);
        }
        EXPECT_EQ(1u, fake.refs());
        EXPECT_EQ(1u, parameter.refs());
        ASSERT_EQ(c.readings.size(), fake.queried.size());
        for (std::size_t i = 0; i < c.readings.size(); ++i)
            EXPECT_TRUE(IsEqualIID(c.readings[i], fake.queried[i])) << "reading " << i;
    }
}

TEST(CreateCapeError, KindSpecificFieldsComeFromTheSource)
{
    fakes::Parameter parameter;
    CapeError fake(fakes::everything, Getters::values, &parameter);

    auto error = createCapeError(hr(0x80040507), asDispatch(fake));
    EXPECT_EQ(3, as<CCapeOutOfBounds>(error).m_position);
    EXPECT_EQ(-1.5, as<CCapeBoundaries>(error).m_lowerBound);
    EXPECT_EQ(2.5, as<CCapeBoundaries>(error).m_upperBound);
    EXPECT_EQ(7.0, as<CCapeBoundaries>(error).m_value);
    EXPECT_EQ(L"Pressure", as<CCapeBoundaries>(error).m_type);

    error = createCapeError(hr(0x8004050E), asDispatch(fake));
    EXPECT_EQ(7.0, as<CCapeBoundaries>(error).m_value);

    error = createCapeError(hr(0x80040511), asDispatch(fake));
    EXPECT_EQ(L"Initialize", as<CCapeBadInvOrder>(error).m_requestedOperation);
    error = createCapeError(hr(0x80040515), asDispatch(fake));
    EXPECT_EQ(L"Holdup", as<CCapePersistenceNotFound>(error).m_itemName);

    error = createCapeError(hr(0x80040504), asDispatch(fake));
    EXPECT_EQ(L"Diameter", as<CCapeBadCOParameter>(error).m_parameterName);
    EXPECT_EQ(static_cast<IDispatch*>(&parameter), as<CCapeBadCOParameter>(error).m_parameter.get());
    EXPECT_EQ(L"Fake failure.\n", error->m_description);
    EXPECT_EQ(2u, parameter.refs());
    error.reset();
    EXPECT_EQ(1u, parameter.refs());
    EXPECT_EQ(1u, fake.refs());

    CMyException overflow(hr(0x80040517), ondivar::ComPtr<IDispatch>(asDispatch(fake)));
    double bound = 0;
    EXPECT_EQ(S_OK, overflow.getLowerBound(bound));
    EXPECT_EQ(-1.5, bound);
    short position = 5;
    EXPECT_EQ(hr(0x80004005), overflow.getPosition(position));
    EXPECT_EQ(-1, position);
}

// A source with no error interface at all, and no source: only warnings and fallback values.
TEST(CreateCapeError, SourceWithoutInterfacesLeavesWarnings)
{
    CapeError none(0, Getters::values);
    for (IDispatch* source : {asDispatch(none), static_cast<IDispatch*>(nullptr)}) {
        SCOPED_TRACE(source != nullptr ? "fake source" : "null source");
        const std::wstring userWarnings = std::wstring(rootWarning) + userWarning;

        auto error = createCapeError(hr(0x80040509), source);
        EXPECT_EQ(typeid(CCapeNoImpl), typeid(*error));
        EXPECT_EQ(L"CAPE-OPEN interface not implemented.", error->m_name);
        EXPECT_EQ(userWarnings, error->m_description);
        expectUserFieldsEmpty(*error);

        error = createCapeError(hr(0x80040507), source);
        EXPECT_EQ(userWarnings + badArgumentWarning, error->m_description);
        EXPECT_EQ(-1, as<CCapeOutOfBounds>(error).m_position);
        expectNoBoundaries(as<CCapeBoundaries>(error));

        error = createCapeError(hr(0x80040504), source);
        EXPECT_EQ(userWarnings + badCOParameterWarning, error->m_description);
        EXPECT_EQ(L"", as<CCapeBadCOParameter>(error).m_parameterName);
        EXPECT_EQ(nullptr, as<CCapeBadCOParameter>(error).m_parameter.get());

        error = createCapeError(hr(0x80040511), source);
        EXPECT_EQ(userWarnings + badInvOrderWarning, error->m_description);
        error = createCapeError(hr(0x80040515), source);
        EXPECT_EQ(userWarnings + notFoundWarning, error->m_description);
    }
    EXPECT_EQ(1u, none.refs());
}

TEST(CreateCapeError, SourceWithRootAndUserOnly)
{
    CapeError fake(fakes::root | fakes::user, Getters::values);

    auto error = createCapeError(hr(0x80040511), asDispatch(fake));
    expectUserFieldsOfFake(*error);
    EXPECT_EQ(std::wstring(L"Fake failure.\n") + badInvOrderWarning, error->m_description);
    EXPECT_EQ(L"", as<CCapeBadInvOrder>(error).m_requestedOperation);

    // No warning for missing boundaries.
    error = createCapeError(hr(0x80040507), asDispatch(fake));
    EXPECT_EQ(std::wstring(L"Fake failure.\n") + badArgumentWarning, error->m_description);
    expectNoBoundaries(as<CCapeBoundaries>(error));
    error = createCapeError(hr(0x8004050D), asDispatch(fake));
    EXPECT_EQ(L"Fake failure.\n", error->m_description);
    expectNoBoundaries(as<CCapeBoundaries>(error));

    error = createCapeError(hr(0x80040518), asDispatch(fake));
    EXPECT_EQ(typeid(CCapeUnknown), typeid(*error));
    expectUserFieldsOfFake(*error);
    EXPECT_EQ(1u, fake.refs());
}

// Getters that fail, and getters that succeed without giving a value, on a source that answers every
// interface.
TEST(CreateCapeError, GettersWithoutValues)
{
    for (Getters getters : {Getters::fail, Getters::succeedEmpty}) {
        SCOPED_TRACE(getters == Getters::fail ? "failing getters" : "empty getters");
        CapeError fake(fakes::everything, getters);

        auto error = createCapeError(hr(0x80040509), asDispatch(fake));
        EXPECT_EQ(L"", error->m_name);
        EXPECT_EQ(L"", error->m_description);
        expectUserFieldsEmpty(*error);

        error = createCapeError(hr(0x80040507), asDispatch(fake));
        EXPECT_EQ(-1, as<CCapeOutOfBounds>(error).m_position);
        EXPECT_EQ(getters == Getters::fail ? positionWarning : L"", error->m_description);
        expectNoBoundaries(as<CCapeBoundaries>(error));

        error = createCapeError(hr(0x80040504), asDispatch(fake));
        EXPECT_EQ(std::wstring(parameterWarning) + parameterNameWarning, error->m_description);
        EXPECT_EQ(nullptr, as<CCapeBadCOParameter>(error).m_parameter.get());
        EXPECT_EQ(L"", as<CCapeBadCOParameter>(error).m_parameterName);

        error = createCapeError(hr(0x80040511), asDispatch(fake));
        EXPECT_EQ(requestedOperationWarning, error->m_description);
        error = createCapeError(hr(0x80040515), asDispatch(fake));
        EXPECT_EQ(itemNameWarning, error->m_description);
        EXPECT_EQ(L"", as<CCapePersistenceNotFound>(error).m_itemName);
        error.reset();
        EXPECT_EQ(1u, fake.refs());
    }
}

TEST(CCapeBadCOParameter, OwnsOneReferenceOnItsParameter)
{
    fakes::Parameter first;
    fakes::Parameter second;
    CapeError fake(fakes::everything, Getters::values, &first);
    {
        auto e = std::make_unique<CMyException>(hr(0x80040504), ondivar::ComPtr<IDispatch>(asDispatch(fake)));
        CMyException copy(*e);
        EXPECT_EQ(2u, first.refs());

        IDispatch* handedOut = nullptr;
        EXPECT_EQ(S_OK, copy.getParameter(handedOut));
        EXPECT_EQ(static_cast<IDispatch*>(&first), handedOut);
        EXPECT_EQ(3u, first.refs());
        handedOut->Release();

        EXPECT_EQ(S_OK, e->setParameter(&second));
        EXPECT_EQ(1u, first.refs());
        EXPECT_EQ(2u, second.refs());
        EXPECT_EQ(S_OK, e->setParameter(&second));
        EXPECT_EQ(2u, second.refs());
        e.reset();
        EXPECT_EQ(2u, second.refs());
    }
    EXPECT_EQ(1u, first.refs());
    EXPECT_EQ(1u, second.refs());

    CMyException cleared(hr(0x80040504), ondivar::ComPtr<IDispatch>(asDispatch(fake)));
    EXPECT_EQ(S_OK, cleared.setParameter(nullptr));
    EXPECT_EQ(1u, first.refs());
    IDispatch* handedOut = &second;
    EXPECT_EQ(S_OK, cleared.getParameter(handedOut));
    EXPECT_EQ(nullptr, handedOut);
}
