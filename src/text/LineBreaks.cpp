#include "text/LineBreaks.h"

namespace qw {

std::string_view LineBreaks::dominant() const {
    if (lf > crlf && lf >= cr)
        return "\n";
    if (cr > crlf && cr > lf)
        return "\r";
    return "\r\n";
}

} // namespace qw
