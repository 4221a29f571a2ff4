#include "platform/SystemClock.h"

#include <ctime>

#include "platform/CalendarTime.h"

namespace qw {

std::string SystemClock::shortDate() {
    return formatCalendarTime(localCalendarTime(std::time(nullptr)), "%x");
}

std::string SystemClock::longTime() {
    return formatCalendarTime(localCalendarTime(std::time(nullptr)), "%X");
}

} // namespace qw
