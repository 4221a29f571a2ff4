#pragma once

#include <string>

namespace qw {

// Where "%Date" and "%Time" come from. Read anew for every placeholder.
class Clock {
public:
    virtual ~Clock() = default;
    virtual std::string shortDate() = 0; // the locale's short date
    virtual std::string longTime() = 0;  // the locale's long time
};

} // namespace qw
