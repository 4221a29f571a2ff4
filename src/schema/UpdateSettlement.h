#pragma once

namespace qw {

class HeaderHost;
struct UpdateRecord;

// At the end of a routine: writes the body checksum into the new update line
// and keeps it when it differs from the previous update line's (the older
// line's label is then blanked, making it a history line), or removes it again
// when the body is unchanged.
void settleUpdateLine(const UpdateRecord& record, int bodyChecksum, HeaderHost& pass);

} // namespace qw
