#pragma once

#include <string_view>

namespace qw {

class PassServices;

// At the end of a routine: writes the body checksum into the new update line
// and keeps it when it differs from the previous update line's (the older
// line's label is then blanked, making it a history line), or removes it again
// when the body is unchanged.
void settleUpdateLine(std::string_view record, int bodyChecksum, PassServices& pass);

} // namespace qw
