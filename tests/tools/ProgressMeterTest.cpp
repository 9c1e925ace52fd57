// Progress of long runs: on a terminal one line rewritten in place from 0 %, with rows per second and the
// time left; elsewhere a line every few seconds; nothing for short runs. The clock is the test's.
#include "tools/flow-client/ProgressMeter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

namespace ondivar::flow {
namespace {

std::size_t count(const std::string& text, char c)
{
    return static_cast<std::size_t>(std::count(text.begin(), text.end(), c));
}

TEST(ProgressMeter, OnATerminalOneLineIsRewrittenInPlaceFromZero)
{
    double now = 0.0;
    std::ostringstream out;
    const std::uint64_t size = 10 * ProgressMeter::longProfileBytes;
    ProgressMeter progress(out, size, true, [&] { return now; });
    for (std::size_t row = 1; row <= 1000; ++row) {
        now += 0.01;
        progress.update(row, size * row / 1000);
    }
    progress.finish(1000);
    const std::string text = out.str();
    EXPECT_EQ(text.rfind("\rondivar-flow:   0% of the profile, 1 rows", 0), 0u) << text.substr(0, 80);
    EXPECT_EQ(count(text, '\n'), 1u) << "one line, ended once";
    EXPECT_GE(count(text, '\r'), 50u); // ten a second over 10 s
    EXPECT_LE(count(text, '\r'), 102u);
    EXPECT_NE(text.find(" rows, 100 rows/s, 5 s left"), std::string::npos) << text;
    EXPECT_NE(text.find("100% of the profile, 1000 rows, 100 rows/s, done in 10 s\n"), std::string::npos);
}

TEST(ProgressMeter, ElsewhereALineEveryFewSecondsAndNothingForShortRuns)
{
    double now = 0.0;
    std::ostringstream log;
    const std::uint64_t size = 100000; // small: long only by its time
    ProgressMeter progress(log, size, false, [&] { return now; });
    for (std::size_t row = 1; row <= 3000; ++row) {
        now += 0.01; // 30 s
        progress.update(row, size * row / 3000);
    }
    progress.finish(3000);
    const std::string text = log.str();
    EXPECT_EQ(text.find('\r'), std::string::npos);
    EXPECT_GE(count(text, '\n'), 5u);
    EXPECT_LE(count(text, '\n'), 7u);
    EXPECT_EQ(text.rfind("ondivar-flow:  16% of the profile, 50", 0), 0u) << text;

    std::ostringstream quiet;
    now = 0.0;
    ProgressMeter shortRun(quiet, size, true, [&] { return now; });
    for (std::size_t row = 1; row <= 100; ++row) {
        now += 0.01;
        shortRun.update(row, size * row / 100);
    }
    shortRun.finish(100);
    EXPECT_EQ(quiet.str(), "");
}

} // namespace
} // namespace ondivar::flow
