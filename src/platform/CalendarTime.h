#pragma once

#include <ctime>
#include <string>

namespace qw {

// The platform's thread-safe conversions of a time to calendar fields (the
// only place that knows localtime_r from localtime_s).
std::tm localCalendarTime(std::time_t t);
std::tm utcCalendarTime(std::time_t t);

// strftime into a string; the C library's LC_TIME decides what "%x" and "%X"
// look like.
std::string formatCalendarTime(const std::tm& fields, const char* format);

} // namespace qw
