#pragma once

#include <ctime>
#include <mutex>
#include <string>

#include "platform/Clock.h"

namespace qw {

// The machine's clock in local time, formatted as the C library's "%x" (short
// date) and "%X" (long time) for the LC_TIME that the program chose. The time
// is read anew for every call.
class SystemClock : public Clock {
public:
    std::string shortDate() override;
    std::string longTime() override;

private:
    // Formatting the local time costs far more than reading the clock, and a
    // header asks for the date or the time on several lines of every routine:
    // the text is formatted once for each second read.
    struct Formatted {
        bool valid = false;
        std::time_t second = 0;
        std::string text;
    };
    std::string formatted(Formatted& last, const char* format);

    std::mutex mutex_; // one clock serves the passes of all workers
    Formatted date_;
    Formatted time_;
};

} // namespace qw
