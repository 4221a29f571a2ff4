#pragma once

namespace qw::cli {

// Standard input and output carry a file's bytes unchanged. On Windows the C
// runtime opens them in text mode, which would turn every LF of a result into
// CR LF, and every CR LF into CR CR LF.
void useBinaryStandardStreams();

} // namespace qw::cli
