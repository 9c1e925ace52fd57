#include "hydro/AbsoluteValue.h"
#include "hydro/ElementaryFunctions.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <random>

using namespace ondivar;

namespace {

// Distance in units in the last place between two finite doubles of the same sign.
std::int64_t UlpDistance(double a, double b)
{
    std::int64_t ia, ib;
    std::memcpy(&ia, &a, sizeof ia);
    std::memcpy(&ib, &b, sizeof ib);
    return ia > ib ? ia - ib : ib - ia;
}

} // namespace

TEST(ElementaryFunctions, LogAndExpAgreeWithTheRuntimeToOneUlp)
{
    std::mt19937_64 random(12345);
    std::uniform_real_distribution<double> exponent(-300.0, 300.0), near1(0.5, 2.0), argument(-745.0, 709.0),
        small(-2.0, 2.0);
    std::int64_t worstLog = 0, worstExp = 0;
    for (int n = 0; n < 200000; ++n) {
        for (double x : {std::pow(10.0, exponent(random)), near1(random)}) {
            const double expected = std::log(x);
            if (expected != 0.0 && std::signbit(expected) == std::signbit(NaturalLog(x)))
                worstLog = std::max(worstLog, UlpDistance(expected, NaturalLog(x)));
            else
                EXPECT_NEAR(expected, NaturalLog(x), 1e-300) << x;
        }
        for (double x : {argument(random), small(random)})
            if (std::exp(x) > std::numeric_limits<double>::min())
                worstExp = std::max(worstExp, UlpDistance(std::exp(x), NaturalExp(x)));
    }
    EXPECT_LE(worstLog, 1);
    EXPECT_LE(worstExp, 1);
    EXPECT_EQ(0.0, NaturalLog(1.0));
    EXPECT_EQ(1.0, NaturalExp(0.0));
    EXPECT_NEAR(-744.44007192138126, NaturalLog(std::numeric_limits<double>::denorm_min()), 1e-12);
    EXPECT_DOUBLE_EQ(std::exp(-740.0), NaturalExp(-740.0)); // subnormal result
    EXPECT_DOUBLE_EQ(std::exp(709.5), NaturalExp(709.5));
}

TEST(ElementaryFunctions, SpecialValues)
{
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    EXPECT_EQ(-inf, NaturalLog(0.0));
    EXPECT_EQ(-inf, NaturalLog(-0.0));
    EXPECT_EQ(inf, NaturalLog(inf));
    EXPECT_TRUE(std::isnan(NaturalLog(-1.0)) && std::isnan(NaturalLog(nan)));
    EXPECT_EQ(inf, NaturalExp(inf));
    EXPECT_EQ(inf, NaturalExp(710.0));
    EXPECT_EQ(0.0, NaturalExp(-inf));
    EXPECT_EQ(0.0, NaturalExp(-746.0));
    EXPECT_TRUE(std::isnan(NaturalExp(nan)));
    EXPECT_EQ(0.0, AbsPower(0.0, 0.8));
    EXPECT_EQ(inf, AbsPower(-inf, 0.8));
    EXPECT_NEAR(std::pow(2.5, 0.8), AbsPower(-2.5, 0.8), 4e-16);
}

TEST(ElementaryFunctions, AbsoluteValueClearsTheSignBitAsFabs)
{
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    for (double x : {-0.0, 0.0, -1.5, 2.5, -inf, -std::numeric_limits<double>::denorm_min(), -nan, nan}) {
        const double expected = std::fabs(x), actual = AbsoluteValue(x);
        EXPECT_EQ(0, std::memcmp(&expected, &actual, sizeof x)) << x;
    }
}
