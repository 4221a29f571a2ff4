#pragma once

#include <ctime>

#include "platform/Clock.h"

namespace qw {

// One fixed moment, given as seconds since the epoch and told in UTC with the
// same "%x" and "%X" formats as the system clock: reproducible output, as
// SOURCE_DATE_EPOCH asks for.
class FixedEpochClock : public Clock {
public:
    explicit FixedEpochClock(std::time_t epochSeconds) : moment_(epochSeconds) {}
    std::string shortDate() override;
    std::string longTime() override;

private:
    std::time_t moment_;
};

} // namespace qw
