#include <gtest/gtest.h>

#include <regex>

#include "platform/FixedEpochClock.h"
#include "platform/SystemClock.h"

namespace qw::test {
namespace {

// The test program never calls setlocale, so LC_TIME is "C": "%x" is
// mm/dd/yy and "%X" is HH:MM:SS.
TEST(FixedEpochClock, TellsTheMomentInUtc) {
    FixedEpochClock epoch(0);
    EXPECT_EQ(epoch.shortDate(), "01/01/70");
    EXPECT_EQ(epoch.longTime(), "00:00:00");
    FixedEpochClock later(1796725800); // 2026-12-08 10:30:00 UTC
    EXPECT_EQ(later.shortDate(), "12/08/26");
    EXPECT_EQ(later.longTime(), "10:30:00");
}

TEST(SystemClock, UsesTheLocaleFormats) {
    SystemClock clock;
    EXPECT_TRUE(std::regex_match(clock.shortDate(), std::regex(R"(\d\d/\d\d/\d\d)")));
    EXPECT_TRUE(std::regex_match(clock.longTime(), std::regex(R"(\d\d:\d\d:\d\d)")));
}

} // namespace
} // namespace qw::test
