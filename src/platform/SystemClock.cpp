#include "platform/SystemClock.h"

#include "platform/CalendarTime.h"

namespace qw {

std::string SystemClock::shortDate() {
    return formatted(date_, "%x");
}

std::string SystemClock::longTime() {
    return formatted(time_, "%X");
}

std::string SystemClock::formatted(Formatted& last, const char* format) {
    const std::time_t now = std::time(nullptr);
    const std::lock_guard<std::mutex> lock(mutex_);
    if (!last.valid || last.second != now)
        last = {true, now, formatCalendarTime(localCalendarTime(now), format)};
    return last.text;
}

} // namespace qw
