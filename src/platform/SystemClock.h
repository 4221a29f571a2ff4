#pragma once

#include "platform/Clock.h"

namespace qw {

// The machine's clock in local time, formatted as the C library's "%x" (short
// date) and "%X" (long time) for the LC_TIME that the program chose. The time
// is read anew for every call.
class SystemClock : public Clock {
public:
    std::string shortDate() override;
    std::string longTime() override;
};

} // namespace qw
