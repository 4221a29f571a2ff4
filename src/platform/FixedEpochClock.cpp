#include "platform/FixedEpochClock.h"

#include "platform/CalendarTime.h"

namespace qw {

std::string FixedEpochClock::shortDate() {
    return formatCalendarTime(utcCalendarTime(moment_), "%x");
}

std::string FixedEpochClock::longTime() {
    return formatCalendarTime(utcCalendarTime(moment_), "%X");
}

} // namespace qw
