#include "platform/CalendarTime.h"

namespace qw {

std::tm localCalendarTime(std::time_t t) {
    std::tm fields{};
#ifdef _WIN32
    localtime_s(&fields, &t);
#else
    localtime_r(&t, &fields);
#endif
    return fields;
}

std::tm utcCalendarTime(std::time_t t) {
    std::tm fields{};
#ifdef _WIN32
    gmtime_s(&fields, &t);
#else
    gmtime_r(&t, &fields);
#endif
    return fields;
}

std::string formatCalendarTime(const std::tm& fields, const char* format) {
    char buffer[256];
    const std::size_t n = std::strftime(buffer, sizeof buffer, format, &fields);
    return std::string(buffer, n);
}

} // namespace qw
